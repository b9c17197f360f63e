#pragma once
// A small ZIP writer of the tests' own, so that archives with exactly the records,
// flags and damage a test needs can be built in memory. It records where each
// record starts and ends, so tests can cut or corrupt any one of them.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace ziptest {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text);
std::string textOf(const Bytes& bytes);

struct TestEntry {
    Bytes name;
    Bytes data;                        // uncompressed content (or a link target)
    std::uint16_t method = 0;          // 0 stored, 8 deflated, anything else written raw
    std::uint16_t flags = 0;           // bit 0 encrypted, bit 3 descriptor, bit 11 UTF-8
    std::uint16_t versionMadeBy = 0x0314;  // Unix host, version 2.0
    std::uint32_t externalAttributes = 0100644u << 16;
    std::uint16_t dosTime = 0;
    std::uint16_t dosDate = 0x21;      // 1980-01-01
    bool zip64 = false;                // saturated sizes and offset with a ZIP64 block
    bool descriptorSignature = true;
    std::optional<std::uint32_t> crcOverride;       // recorded checksum instead of the real one
    std::optional<std::uint64_t> localOffsetOverride;  // recorded local header offset
    std::optional<std::size_t> payloadKept;  // write only this many data bytes, record the full sizes
    std::optional<Bytes> deflated;     // method 8's compressed data as written, instead of deflating `data`

    static TestEntry file(const std::string& name, const std::string& data, std::uint16_t method = 0);
    static TestEntry directory(const std::string& name);
    static TestEntry symlink(const std::string& name, const std::string& target);
};

// One record of the written archive: [begin, end) in the file.
struct RecordSpan {
    std::string kind;  // "local", "data", "descriptor", "central", "zip64record", "zip64locator", "end"
    std::size_t begin = 0;
    std::size_t end = 0;
};

struct TestArchiveOptions {
    Bytes comment;
    Bytes trailingJunk;
    bool zip64EndRecord = false;     // write a ZIP64 end record and locator
    bool saturateClassicEnd = false; // classic count 0xFFFF and offset 0xFFFFFFFF
    std::optional<std::uint16_t> classicCountOverride;
};

struct TestArchive {
    Bytes bytes;
    std::vector<RecordSpan> records;
};

TestArchive writeTestArchive(const std::vector<TestEntry>& entries, const TestArchiveOptions& options = {});

// Raw deflate of the bytes at the given level.
Bytes deflateRaw(const Bytes& data, int level = 9);
// `count` empty stored deflate blocks, not the last: 5 bytes each, which an
// inflater reads and which write nothing. Any deflate data may follow.
Bytes emptyDeflateBlocks(std::size_t count);

// Appends `value` as `width` little-endian bytes.
void put(Bytes& out, std::uint64_t value, int width);

// A little-endian field of a record: its value and width in bytes.
struct Field {
    std::uint64_t value;
    int width;
};

// Appends the fields in order, as a record's fixed part is laid out.
void putFields(Bytes& out, std::initializer_list<Field> fields);

// The CRC-32 of the bytes, as zlib computes it.
std::uint32_t crcOf(const Bytes& data);

}  // namespace ziptest
