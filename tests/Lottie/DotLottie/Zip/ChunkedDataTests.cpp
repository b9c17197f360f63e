// The chunked copy and the raw-deflate decoder: chunk sizes, checksums, the
// end of the deflate stream, and damaged or cut-short data.

#include "Lottie/DotLottie/Zip/ChunkedData.h"
#include "Lottie/DotLottie/Zip/CompressionError.h"

#include "tests/Lottie/DotLottie/Zip/TestZipWriter.h"
#include "tests/Lottie/DotLottie/Zip/ZipTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using lottie::ChunkedData;
using ziptest::Bytes;

// Serves bytes from a buffer and records every request.
struct Source {
    explicit Source(Bytes bytes) : data(std::move(bytes)) {}
    std::size_t operator()(std::int64_t, std::span<std::uint8_t> into)
    {
        requests.push_back(into.size());
        const std::size_t count = std::min(into.size(), data.size() - offset);
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(offset), count, into.begin());
        offset += count;
        return count;
    }
    Bytes data;
    std::size_t offset = 0;
    std::vector<std::size_t> requests;
};

struct Sink {
    void operator()(std::span<const std::uint8_t> chunk)
    {
        chunks.push_back(chunk.size());
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    }
    Bytes bytes;
    std::vector<std::size_t> chunks;
};

TEST(ZipChunkedData, CopyDeliversBoundedChunksAndTheirChecksum)
{
    struct Case {
        const char* label;
        std::size_t size;
        std::int64_t recordedSize;
        std::int64_t bufferSize;
        bool skipCRC;
        std::vector<std::size_t> chunks;
    };
    const Case cases[] = {
        {"empty entry gets one empty chunk", 0, 0, 16384, false, {0}},
        {"40000 bytes in 16384-byte chunks", 40000, 40000, 16384, false, {16384, 16384, 7232}},
        // A recorded size far beyond the data must not spin through empty reads.
        {"recorded size beyond the data", 100, std::int64_t(1) << 50, 16384, false, {100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const Bytes data = ziptest::bytesOf(ziptest::sampleText(c.size, 3));
        Source source(data);
        Sink sink;
        const std::uint32_t checksum = ChunkedData::copyChunks(c.recordedSize, c.bufferSize, c.skipCRC,
                                                               std::ref(source), std::ref(sink));
        EXPECT_EQ(sink.chunks, c.chunks);
        EXPECT_LE(source.requests.size(), c.chunks.size());
        EXPECT_EQ(sink.bytes, data);
        EXPECT_EQ(checksum, c.skipCRC || c.size == 0 ? 0u : ziptest::crcOf(data));
    }
}

TEST(ZipChunkedData, InflateReadsNothingPastTheStreamEnd)
{
    // Incompressible data stored in deflate blocks, padded to exactly 16384 bytes.
    Bytes oneBuffer;
    Bytes oneBufferCompressed;
    for (std::size_t size = 16000; oneBufferCompressed.size() != 16384; ++size) {
        oneBuffer = ziptest::bytesOf(ziptest::sampleText(size, 11));
        auto scramble = [n = 0u](std::uint8_t b) mutable {
            n = n * 1103515245u + 12345u;
            return static_cast<std::uint8_t>(b ^ (n >> 16));
        };
        std::transform(oneBuffer.begin(), oneBuffer.end(), oneBuffer.begin(), scramble);
        oneBufferCompressed = ziptest::deflateRaw(oneBuffer, 0);
        ASSERT_LE(oneBufferCompressed.size(), 16384u + 64u) << "could not reach 16384 compressed bytes";
    }
    // A short stream with bytes behind it that belong to something else.
    const Bytes shortDocument = ziptest::bytesOf("a short document");
    Bytes trailed = ziptest::deflateRaw(shortDocument);
    trailed.insert(trailed.end(), 50000, 0xEE);
    struct Case {
        const char* label;
        const Bytes& data;
        const Bytes& compressed;
    };
    const Case cases[] = {
        {"stream of exactly one buffer", oneBuffer, oneBufferCompressed},
        {"stream followed by other bytes", shortDocument, trailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Source source(c.compressed);
        Sink sink;
        const auto declared = static_cast<std::int64_t>(c.compressed.size());
        ChunkedData::inflateData(declared, 16384, false, std::ref(source), std::ref(sink));
        EXPECT_EQ(sink.bytes, c.data);
        EXPECT_EQ(source.requests, std::vector<std::size_t>{16384});
    }
}

TEST(ZipChunkedData, DamagedOrShortDeflateDataIsCorrupted)
{
    const Bytes data = ziptest::bytesOf(ziptest::sampleText(50000, 5));
    const Bytes compressed = ziptest::deflateRaw(data);
    struct Case {
        const char* label;
        Bytes input;
        std::int64_t declared;
    };
    Bytes invalidBlockType = {0x07};  // final block of reserved type 3
    Bytes flipped = compressed;
    flipped[flipped.size() / 2] ^= 0xFF;
    flipped[flipped.size() / 2 + 1] ^= 0x5A;
    const Case cases[] = {
        {"reserved block type", invalidBlockType, 1},
        {"cut in half", Bytes(compressed.begin(), compressed.begin() + static_cast<long>(compressed.size() / 2)),
         static_cast<std::int64_t>(compressed.size() / 2)},
        {"no data at all", {}, 0},
        {"corrupted middle", flipped, static_cast<std::int64_t>(flipped.size())},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Source source(c.input);
        Sink sink;
        const std::string outcome = ziptest::outcomeOf([&] {
            const std::uint32_t checksum =
                ChunkedData::inflateData(c.declared, 16384, false, std::ref(source), std::ref(sink));
            // Corruption that still decodes must at least show in the checksum.
            if (checksum != ziptest::crcOf(data)) {
                throw lottie::CompressionError(lottie::CompressionError::Kind::corruptedData);
            }
        });
        EXPECT_EQ(outcome, "CompressionError.corruptedData");
    }
}

}  // namespace
