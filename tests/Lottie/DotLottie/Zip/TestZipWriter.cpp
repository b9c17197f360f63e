#include "tests/Lottie/DotLottie/Zip/TestZipWriter.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace ziptest {

void put(Bytes& out, std::uint64_t value, int width)
{
    for (int i = 0; i < width; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void putFields(Bytes& out, std::initializer_list<Field> fields)
{
    for (const Field& field : fields) {
        put(out, field.value, field.width);
    }
}

std::uint32_t crcOf(const Bytes& data)
{
    return static_cast<std::uint32_t>(crc32(0, data.data(), static_cast<uInt>(data.size())));
}

Bytes bytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

std::string textOf(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

TestEntry TestEntry::file(const std::string& name, const std::string& data, std::uint16_t method)
{
    TestEntry entry;
    entry.name = bytesOf(name);
    entry.data = bytesOf(data);
    entry.method = method;
    return entry;
}

TestEntry TestEntry::directory(const std::string& name)
{
    TestEntry entry;
    entry.name = bytesOf(name);
    entry.externalAttributes = 040755u << 16;
    return entry;
}

TestEntry TestEntry::symlink(const std::string& name, const std::string& target)
{
    TestEntry entry;
    entry.name = bytesOf(name);
    entry.data = bytesOf(target);
    entry.externalAttributes = 0120777u << 16;
    return entry;
}

Bytes deflateRaw(const Bytes& data, int level)
{
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2 failed");
    }
    Bytes out(deflateBound(&stream, static_cast<uLong>(data.size())) + 16);
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END) {
        throw std::runtime_error("deflate failed");
    }
    return out;
}

Bytes emptyDeflateBlocks(std::size_t count)
{
    // A block header of three zero bits (not the last, stored), padding to
    // the byte, a length of 0 and its complement.
    const std::uint8_t block[5] = {0x00, 0x00, 0x00, 0xff, 0xff};
    Bytes out(count * sizeof block);
    for (std::size_t offset = 0; offset < out.size(); offset += sizeof block) {
        std::copy(block, block + sizeof block, out.begin() + static_cast<long>(offset));
    }
    return out;
}

TestArchive writeTestArchive(const std::vector<TestEntry>& entries, const TestArchiveOptions& options)
{
    TestArchive archive;
    Bytes& out = archive.bytes;
    std::vector<std::uint64_t> offsets;
    std::vector<std::size_t> payloadSizes;
    // Room for the data of large entries, made once.
    std::size_t room = 4096;
    for (const TestEntry& entry : entries) {
        room += 2 * entry.name.size() + 200 + (entry.deflated ? entry.deflated->size() : entry.data.size());
    }
    out.reserve(room);
    for (const TestEntry& entry : entries) {
        Bytes deflatedHere;
        if (entry.method == 8 && !entry.deflated) {
            deflatedHere = deflateRaw(entry.data);
        }
        const Bytes& payload = entry.method != 8 ? entry.data : entry.deflated ? *entry.deflated : deflatedHere;
        const std::uint32_t crc = entry.crcOverride.value_or(crcOf(entry.data));
        const bool descriptor = (entry.flags & 0x0008) != 0;
        offsets.push_back(out.size());
        std::size_t begin = out.size();
        putFields(out, {{0x04034b50, 4}, {entry.zip64 ? 45u : 20u, 2}, {entry.flags, 2}, {entry.method, 2},
                        {entry.dosTime, 2}, {entry.dosDate, 2}, {descriptor ? 0 : crc, 4},
                        {entry.zip64 ? 0xFFFFFFFF : (descriptor ? 0 : payload.size()), 4},
                        {entry.zip64 ? 0xFFFFFFFF : (descriptor ? 0 : entry.data.size()), 4},
                        {entry.name.size(), 2}, {entry.zip64 ? 20u : 0u, 2}});
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        if (entry.zip64) {
            putFields(out, {{1, 2}, {16, 2}, {entry.data.size(), 8}, {payload.size(), 8}});
        }
        archive.records.push_back({"local", begin, out.size()});
        begin = out.size();
        const std::size_t kept = std::min(payload.size(), entry.payloadKept.value_or(payload.size()));
        out.insert(out.end(), payload.begin(), payload.begin() + static_cast<long>(kept));
        archive.records.push_back({"data", begin, out.size()});
        if (descriptor) {
            begin = out.size();
            if (entry.descriptorSignature) {
                put(out, 0x08074b50, 4);
            }
            putFields(out, {{crc, 4}, {payload.size(), entry.zip64 ? 8 : 4}, {entry.data.size(), entry.zip64 ? 8 : 4}});
            archive.records.push_back({"descriptor", begin, out.size()});
        }
        payloadSizes.push_back(payload.size());
    }

    const std::uint64_t centralStart = out.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TestEntry& entry = entries[i];
        const std::uint64_t offset = entry.localOffsetOverride.value_or(offsets[i]);
        const std::size_t begin = out.size();
        putFields(out, {{0x02014b50, 4}, {entry.versionMadeBy, 2}, {entry.zip64 ? 45u : 20u, 2}, {entry.flags, 2},
                        {entry.method, 2}, {entry.dosTime, 2}, {entry.dosDate, 2},
                        {entry.crcOverride.value_or(crcOf(entry.data)), 4},
                        {entry.zip64 ? 0xFFFFFFFF : payloadSizes[i], 4},
                        {entry.zip64 ? 0xFFFFFFFF : entry.data.size(), 4}, {entry.name.size(), 2},
                        {entry.zip64 ? 28u : 0u, 2}, {0, 2}, {0, 2}, {0, 2}, {entry.externalAttributes, 4},
                        {entry.zip64 ? 0xFFFFFFFF : offset, 4}});
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        if (entry.zip64) {
            putFields(out, {{1, 2}, {24, 2}, {entry.data.size(), 8}, {payloadSizes[i], 8}, {offset, 8}});
        }
        archive.records.push_back({"central", begin, out.size()});
    }
    const std::uint64_t centralSize = out.size() - centralStart;

    if (options.zip64EndRecord) {
        const std::uint64_t recordOffset = out.size();
        std::size_t begin = out.size();
        putFields(out, {{0x06064b50, 4}, {44, 8}, {45, 2}, {45, 2}, {0, 4}, {0, 4}, {entries.size(), 8},
                        {entries.size(), 8}, {centralSize, 8}, {centralStart, 8}});
        archive.records.push_back({"zip64record", begin, out.size()});
        begin = out.size();
        putFields(out, {{0x07064b50, 4}, {0, 4}, {recordOffset, 8}, {1, 4}});
        archive.records.push_back({"zip64locator", begin, out.size()});
    }

    const std::size_t begin = out.size();
    const std::uint64_t classicCount = options.classicCountOverride.value_or(
        options.saturateClassicEnd || entries.size() > 0xFFFF ? 0xFFFF : entries.size());
    putFields(out, {{0x06054b50, 4}, {0, 2}, {0, 2}, {classicCount, 2}, {classicCount, 2},
                    {options.saturateClassicEnd ? 0xFFFFFFFF : centralSize, 4},
                    {options.saturateClassicEnd ? 0xFFFFFFFF : centralStart, 4}, {options.comment.size(), 2}});
    out.insert(out.end(), options.comment.begin(), options.comment.end());
    archive.records.push_back({"end", begin, out.size()});
    out.insert(out.end(), options.trailingJunk.begin(), options.trailingJunk.end());
    return archive;
}

}  // namespace ziptest
