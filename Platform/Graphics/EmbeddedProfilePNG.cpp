// The PNG half of EmbeddedProfile.

#include "Platform/Graphics/EmbeddedProfile.h"
#include "Platform/Graphics/ProcessorDeadline.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace platform::graphics {

namespace {

std::uint32_t bigEndian(const std::uint8_t* bytes) {
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
           bytes[3];
}

// At most `limit` bytes inflated from a zlib stream; empty when the stream is
// damaged before that many come out. The output grows a piece at a time
// (real profiles hold a few kilobytes, the limit is a megabyte), and the
// input is given a piece at a time, each reading the deadline. Deflate
// stores what does not compress at 5 bytes per 64 KB, and the worst choice
// of codes an encoder can make costs an eighth more: input past a quarter
// more than the output and a piece holds blocks that write nothing.
EmbeddedProfile::Inflated inflated(std::span<const std::uint8_t> compressed, std::size_t limit) {
    constexpr std::size_t piece = 64 * 1024;
    EmbeddedProfile::Inflated found;
    std::vector<std::uint8_t>& out = found.bytes;
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) return {};
    int status = Z_OK;
    std::size_t produced = 0;
    std::size_t consumed = 0;
    while (status == Z_OK && produced < limit && consumed < compressed.size()) {
        if (consumed > produced + produced / 4 + piece) {
            found.refusal = "its compressed data is longer than any compression of what it holds";
            break;
        }
        if (ProcessorDeadline::checkCurrent(ProcessorDeadline::unitsPerReading)) {
            found.late = true;
            break;
        }
        const std::size_t given = std::min(piece, compressed.size() - consumed);
        stream.next_in = const_cast<Bytef*>(compressed.data() + consumed);
        stream.avail_in = static_cast<uInt>(given);
        out.resize(std::min(limit, produced + piece));
        stream.next_out = out.data() + produced;
        stream.avail_out = static_cast<uInt>(out.size() - produced);
        status = inflate(&stream, Z_NO_FLUSH);
        consumed += given - stream.avail_in;
        produced = out.size() - stream.avail_out;
    }
    inflateEnd(&stream);
    if (!found.refusal.empty() || found.late) {
        out.clear();
        return found;
    }
    // Cut off at the limit, or whole; anything else is damaged.
    if (status != Z_STREAM_END && produced < limit) return {};
    out.resize(produced);
    return found;
}

}  // namespace

EmbeddedProfile::Inflated EmbeddedProfile::ofPNG(std::span<const std::uint8_t> file, std::size_t limit) {
    constexpr std::size_t signature = 8, header = 8, checksum = 4;
    for (std::size_t offset = signature; offset + header <= file.size();) {
        const std::uint8_t* chunk = file.data() + offset;
        const std::size_t length = bigEndian(chunk);
        if (length > file.size() - offset - header || file.size() - offset - header - length < checksum) return {};
        if (std::memcmp(chunk + 4, "IDAT", 4) == 0 || std::memcmp(chunk + 4, "IEND", 4) == 0) return {};
        if (std::memcmp(chunk + 4, "iCCP", 4) != 0) {
            offset += header + length + checksum;
            continue;
        }
        const std::uint8_t* data = chunk + header;
        const uLong crc = crc32(crc32(0, nullptr, 0), chunk + 4, static_cast<uInt>(4 + length));
        if (crc != bigEndian(data + length)) return {};
        // A name of 1 to 79 bytes, its terminating zero, the compression
        // method (0, deflate), then the compressed profile.
        const auto* end = static_cast<const std::uint8_t*>(std::memchr(data, 0, std::min<std::size_t>(length, 80)));
        if (end == nullptr || end == data) return {};
        const std::size_t used = static_cast<std::size_t>(end - data) + 2;
        if (used > length || end[1] != 0) return {};
        return inflated(std::span(data + used, length - used), limit);
    }
    return {};
}

}  // namespace platform::graphics
