// The WebP half of ImageDecoder: still images only. A profile the file
// embeds (its ICCP chunk, which libwebp's decoder passes over) is read through
// the container's demultiplexer.

#include <webp/decode.h>
#include <webp/demux.h>

#include <utility>
#include <vector>

#include "Platform/Graphics/ImageColorProfile.h"
#include "Platform/Graphics/ImageDecoder.h"

namespace platform::graphics {

namespace {

// The conversion from the profile the file embeds; none when it has none.
ImageColorProfile colourProfileOf(std::span<const std::uint8_t> bytes, ColorConversionAllowance* conversions) {
    const WebPData data{bytes.data(), bytes.size()};
    WebPDemuxer* demuxer = WebPDemux(&data);
    if (demuxer == nullptr) return ImageColorProfile();
    ImageColorProfile profile;
    WebPChunkIterator chunk;
    if ((WebPDemuxGetI(demuxer, WEBP_FF_FORMAT_FLAGS) & ICCP_FLAG) != 0 &&
        WebPDemuxGetChunk(demuxer, "ICCP", 1, &chunk)) {
        profile = ImageColorProfile::fromICC(std::span(chunk.chunk.bytes, chunk.chunk.size),
                                             ImageColorProfile::Pixels::colour, ImageColorProfile::Layout::rgba, conversions);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    WebPDemuxDelete(demuxer);
    return profile;
}

}  // namespace

std::shared_ptr<const Image> ImageDecoder::decodeWebP(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode,
                                                      ColorConversionAllowance* conversions) {
    // The container states its size. libwebp decodes what it is given and can
    // finish a cut-off lossless stream without complaint, so a file shorter than
    // it says is refused here.
    const std::uint64_t stated = static_cast<std::uint64_t>(bytes[4]) | (static_cast<std::uint64_t>(bytes[5]) << 8) |
                                 (static_cast<std::uint64_t>(bytes[6]) << 16) |
                                 (static_cast<std::uint64_t>(bytes[7]) << 24);
    if (stated + 8 > bytes.size()) {
        return nullptr;
    }
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(bytes.data(), bytes.size(), &features) != VP8_STATUS_OK || features.has_animation ||
        features.width <= 0 || features.height <= 0 ||
        !admits(static_cast<std::uint64_t>(features.width), static_cast<std::uint64_t>(features.height), mayDecode)) {
        return nullptr;
    }
    const int width = features.width;
    const int height = features.height;
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    if (!WebPDecodeRGBAInto(bytes.data(), bytes.size(), rgba.data(), rgba.size(), width * 4)) {
        return nullptr;
    }
    const ImageColorProfile profile = colourProfileOf(bytes, conversions);
    profile.convertToSRGB(rgba.data(), rgba.size() / 4);
    return noted(Image::fromStraightRGBA(width, height, std::move(rgba)), profile.warning());
}

}  // namespace platform::graphics
