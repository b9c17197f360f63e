#pragma once
// The chunks of a WebP file that decoding its pixels and its colour profile
// needs, found by one walk over the headers of its RIFF container, each chunk
// passed over by its stated size without being read. libwebp's incremental
// decoder holds and parses again all it is given until it reaches the image
// data, so a large chunk before that data (an unknown one, EXIF, a profile)
// would cost it the square of the chunk's size; it is given only the image's
// bitstream instead, or, for a lossy image with an alpha chunk, a small
// container of those two chunks alone. Made by ImageDecoder for one file; a
// value that points into the file's bytes.

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace platform::graphics {

class WebPChunks {
public:
    // Nothing for a container that is broken (a chunk passing its end, no
    // image chunk) or animated.
    static std::optional<WebPChunks> of(std::span<const std::uint8_t> file);

    WebPChunks(const WebPChunks&) = delete;
    WebPChunks& operator=(const WebPChunks&) = delete;
    WebPChunks(WebPChunks&&) = default;
    WebPChunks& operator=(WebPChunks&&) = default;

    // What the decoder is given: the image's bitstream as the file holds it,
    // or the small container made of its alpha and image chunks.
    std::span<const std::uint8_t> image() const;
    // The colour profile the container flags and holds first (empty for none).
    std::span<const std::uint8_t> profile() const { return profile_; }
    // The canvas an extended container states, which the image must fill.
    std::optional<std::pair<int, int>> canvas() const { return canvas_; }

private:
    WebPChunks() = default;

    std::span<const std::uint8_t> bitstream_;
    std::vector<std::uint8_t> container_;
    std::span<const std::uint8_t> profile_;
    std::optional<std::pair<int, int>> canvas_;
};

}  // namespace platform::graphics
