#pragma once
// Reads the records of an archive from its C stdio stream: a fixed part at an
// offset, then the variable tail directly behind it. Every read seeks first, so
// callers never depend on where an earlier read left the stream.

#include "Lottie/DotLottie/Zip/LittleEndian.h"

#include <cstdint>
#include <cstdio>
#include <optional>

namespace lottie {

class RecordStream {
public:
    // Seeks to `offset` and reads up to `size` bytes. Nothing when the offset is not
    // a valid file position or the stream reports an error; otherwise the bytes
    // actually read, which a parser rejects when they are fewer than it needs.
    static std::optional<ByteBuffer> readAt(std::FILE* file, std::uint64_t offset, std::size_t size);

    // Reads exactly `size` bytes from where the stream stands; nothing on an error
    // or a short read. A size of 0 succeeds without reading.
    static std::optional<ByteBuffer> readTail(std::FILE* file, std::size_t size);

    // Seeks to an absolute offset; false when it does not fit a file position or
    // the seek fails.
    static bool seek(std::FILE* file, std::uint64_t offset);
};

}  // namespace lottie
