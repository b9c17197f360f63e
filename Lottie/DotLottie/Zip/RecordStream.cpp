#include "Lottie/DotLottie/Zip/RecordStream.h"

#include <sys/types.h>

#include <limits>

namespace lottie {

static_assert(sizeof(off_t) == 8, "archives need 64-bit file offsets");

bool RecordStream::seek(std::FILE* file, std::uint64_t offset)
{
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
        return false;
    }
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

std::optional<ByteBuffer> RecordStream::readAt(std::FILE* file, std::uint64_t offset, std::size_t size)
{
    if (!seek(file, offset)) {
        return std::nullopt;
    }
    ByteBuffer bytes(size);
    const std::size_t count = std::fread(bytes.data(), 1, size, file);
    if (std::ferror(file)) {
        std::clearerr(file);
        return std::nullopt;
    }
    bytes.resize(count);
    return bytes;
}

std::optional<ByteBuffer> RecordStream::readTail(std::FILE* file, std::size_t size)
{
    ByteBuffer bytes(size);
    if (size == 0) {
        return bytes;
    }
    const std::size_t count = std::fread(bytes.data(), 1, size, file);
    if (std::ferror(file)) {
        std::clearerr(file);
        return std::nullopt;
    }
    if (count != size) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace lottie
