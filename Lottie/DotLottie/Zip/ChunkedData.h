#pragma once
// Moves an entry's bytes from the archive to their destination in bounded chunks:
// a chunked copy for stored data and a raw-deflate decoder for deflated data, both
// computing the ZIP CRC-32 of what they deliver. Stateless; each call owns its
// buffers.

#include <cstdint>
#include <functional>
#include <span>

namespace lottie {

// Fills `into` with the next bytes of the entry's data and returns how many it
// wrote; fewer than asked means the data ended. `position` counts the bytes
// already asked for (copy) or already delivered (inflate).
using ChunkProvider = std::function<std::size_t(std::int64_t position, std::span<std::uint8_t> into)>;
// Receives one chunk; the bytes are valid only during the call.
using ChunkConsumer = std::function<void(std::span<const std::uint8_t> chunk)>;

class ChunkedData {
public:
    // zlib's CRC-32 of the bytes, continuing from `checksum`.
    static std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t checksum = 0);

    // Copies `size` bytes in chunks of at most `bufferSize`. A size below 1 hands
    // the consumer one empty chunk. Stops early when the provider runs dry, so a
    // recorded size larger than the data cannot spin the loop. Returns the CRC-32
    // of everything delivered (0 when skipped).
    static std::uint32_t copyChunks(std::int64_t size, std::int64_t bufferSize, bool skipCRC32,
                                    const ChunkProvider& provider, const ChunkConsumer& consumer);

    // Inflates raw deflate data of `size` compressed bytes, reading and writing at
    // most `bufferSize` bytes at a time, and stops at the end of the deflate
    // stream. Throws CompressionError::corruptedData on damaged or cut-short data.
    static std::uint32_t inflateData(std::int64_t size, std::int64_t bufferSize, bool skipCRC32,
                                     const ChunkProvider& provider, const ChunkConsumer& consumer);
};

}  // namespace lottie
