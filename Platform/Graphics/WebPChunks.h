#pragma once
// The chunks of a WebP file that decoding its pixels and its colour profile
// needs, found by one walk over the headers of its RIFF container, each chunk
// passed over by its stated size without being read. The decoder is given the
// file from its start to the end of the image's chunk, where it lies: the
// container's headers and the image chunk's own header tell libwebp how long
// the bitstream is (a bare bitstream given in slices would be taken as ending
// where the first slice ends), and the chunks before the image (a lossy
// image's alpha among them) are read by it in place, nothing copied. Made by
// ImageDecoder for one file; a value that points into the file's bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

namespace platform::graphics {

class WebPChunks {
public:
    // Nothing for a container that is broken (a chunk passing its end, no
    // image chunk) or animated.
    static std::optional<WebPChunks> of(std::span<const std::uint8_t> file);

    // What the decoder is given: the file up to the end of its image chunk.
    std::span<const std::uint8_t> image() const { return image_; }
    // Where the image's bitstream begins in `image()`: all that comes before
    // it must be given to the decoder at once, so that it parses the headers
    // of the chunks before the image a single time.
    std::size_t bitstreamOffset() const { return bitstreamOffset_; }
    // The colour profile the container flags and holds first (empty for none).
    std::span<const std::uint8_t> profile() const { return profile_; }
    // The canvas an extended container states, which the image must fill.
    std::optional<std::pair<int, int>> canvas() const { return canvas_; }

private:
    WebPChunks() = default;

    std::span<const std::uint8_t> image_;
    std::size_t bitstreamOffset_ = 0;
    std::span<const std::uint8_t> profile_;
    std::optional<std::pair<int, int>> canvas_;
};

}  // namespace platform::graphics
