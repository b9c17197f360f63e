#include "Lottie/DotLottie/Zip/ChunkedData.h"

#include "Lottie/DotLottie/Zip/CompressionError.h"

#include <zlib.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace lottie {

namespace {

// Ends the inflater on every way out of inflateData, errors included.
class InflateStream {
public:
    InflateStream()
    {
        if (inflateInit2(&stream_, -MAX_WBITS) != Z_OK) {
            throw CompressionError(CompressionError::Kind::invalidStream);
        }
    }
    ~InflateStream() { inflateEnd(&stream_); }
    InflateStream(const InflateStream&) = delete;
    InflateStream& operator=(const InflateStream&) = delete;

    z_stream* get() { return &stream_; }

private:
    z_stream stream_{};
};

}  // namespace

std::uint32_t ChunkedData::crc32(std::span<const std::uint8_t> bytes, std::uint32_t checksum)
{
    // zlib counts in 32 bits; longer buffers go through in slices.
    constexpr std::size_t slice = std::numeric_limits<uInt>::max();
    uLong value = checksum;
    while (!bytes.empty()) {
        const std::size_t length = std::min(bytes.size(), slice);
        value = ::crc32(value, bytes.data(), static_cast<uInt>(length));
        bytes = bytes.subspan(length);
    }
    return static_cast<std::uint32_t>(value);
}

std::uint32_t ChunkedData::copyChunks(std::int64_t size, std::int64_t bufferSize, bool skipCRC32,
                                      const ChunkProvider& provider, const ChunkConsumer& consumer)
{
    if (size < 1) {
        consumer({});
        return 0;
    }
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min(size, bufferSize)));
    std::uint32_t checksum = 0;
    std::int64_t position = 0;
    while (position < size) {
        const auto chunk = static_cast<std::size_t>(std::min<std::int64_t>(size - position, bufferSize));
        const std::size_t delivered = provider(position, std::span(buffer.data(), chunk));
        const std::span<const std::uint8_t> bytes(buffer.data(), delivered);
        consumer(bytes);
        if (!skipCRC32) {
            checksum = crc32(bytes, checksum);
        }
        position += static_cast<std::int64_t>(chunk);
        if (delivered < chunk) {
            break;
        }
    }
    return checksum;
}

std::uint32_t ChunkedData::inflateData(std::int64_t size, std::int64_t bufferSize, bool skipCRC32,
                                       const ChunkProvider& provider, const ChunkConsumer& consumer)
{
    // zlib's counters are 32-bit, so a chunk never exceeds what they can hold.
    const auto chunkSize = static_cast<std::size_t>(
        std::clamp<std::int64_t>(bufferSize, 1, std::numeric_limits<uInt>::max()));
    InflateStream inflater;
    z_stream* stream = inflater.get();
    std::vector<std::uint8_t> input(chunkSize);
    std::vector<std::uint8_t> output(chunkSize);
    std::uint32_t checksum = 0;
    std::int64_t position = 0;
    bool inputEnded = false;
    stream->avail_in = 0;

    while (true) {
        if (stream->avail_in == 0 && !inputEnded) {
            const auto wanted = static_cast<std::size_t>(
                std::clamp<std::int64_t>(size - position, 0, static_cast<std::int64_t>(chunkSize)));
            const std::size_t delivered = wanted == 0 ? 0 : provider(position, std::span(input.data(), wanted));
            position += static_cast<std::int64_t>(delivered);
            inputEnded = delivered < chunkSize || position >= size;
            stream->next_in = input.data();
            stream->avail_in = static_cast<uInt>(delivered);
        }
        const uInt inputBefore = stream->avail_in;
        stream->next_out = output.data();
        stream->avail_out = static_cast<uInt>(chunkSize);
        const int status = inflate(stream, Z_NO_FLUSH);
        const std::size_t produced = chunkSize - stream->avail_out;
        const bool progressed = produced > 0 || stream->avail_in != inputBefore;

        if (status == Z_BUF_ERROR && !progressed) {
            if (stream->avail_in == 0 && !inputEnded) {
                continue;
            }
            throw CompressionError(CompressionError::Kind::corruptedData, "the deflate stream ends too soon");
        }
        if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
            throw CompressionError(CompressionError::Kind::corruptedData,
                                   stream->msg != nullptr ? stream->msg : "inflate failed");
        }
        const std::span<const std::uint8_t> bytes(output.data(), produced);
        consumer(bytes);
        if (!skipCRC32) {
            checksum = crc32(bytes, checksum);
        }
        if (status == Z_STREAM_END) {
            return checksum;
        }
    }
}

}  // namespace lottie
