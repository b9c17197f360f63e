// The WebP half of ImageDecoder: still images only. A profile the file
// embeds (its ICCP chunk, which libwebp's decoder passes over) is read through
// the container's demultiplexer. The pixels come from libwebp's incremental
// decoder, which has no call back from inside: what one slice of the file
// decodes is bounded by the pixels admitted.

#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <utility>

#include "Platform/Graphics/DecodedRows.h"
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
                                             ImageColorProfile::Pixels::colour, DecodedRows::profileLayout, conversions);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    WebPDemuxDelete(demuxer);
    return profile;
}

}  // namespace

std::shared_ptr<const Image> ImageDecoder::decodeWebP(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode,
                                                      ColorConversionAllowance* conversions, std::string* refusal) {
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
    // Straight even without alpha: the flag that says so is only a hint of
    // the bitstream's, and premultiplying passes over opaque pixels.
    DecodedRows rows(features.width, features.height, DecodedRows::Layout::straight);
    if (!rows.allocated()) return nullptr;
    rows.setProfile(colourProfileOf(bytes, conversions));
    // The incremental decoder is handed the file a slice at a time and says
    // how many rows it has finished after each; the deadline is read between
    // slices, and while those rows are made ready.
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    constexpr WEBP_CSP_MODE mode = MODE_BGRA;
#else
    constexpr WEBP_CSP_MODE mode = MODE_ARGB;
#endif
    WebPIDecoder* decoder = WebPINewRGB(mode, rows.data(), rows.size(), rows.width() * 4);
    if (decoder == nullptr) return nullptr;
    constexpr std::size_t sliceBytes = 16 * 1024;
    VP8StatusCode status = VP8_STATUS_SUSPENDED;
    for (std::size_t offset = 0; offset < bytes.size() && status == VP8_STATUS_SUSPENDED && !rows.late();
         offset += sliceBytes) {
        status = WebPIAppend(decoder, bytes.data() + offset, std::min(sliceBytes, bytes.size() - offset));
        int finished = 0;
        WebPIDecGetRGB(decoder, &finished, nullptr, nullptr, nullptr);
        rows.finishUpTo(finished);
    }
    WebPIDelete(decoder);
    if (rows.late()) {
        if (refusal) *refusal = lateRefusal();
        return nullptr;
    }
    if (status != VP8_STATUS_OK) return nullptr;
    return std::move(rows).image();
}

}  // namespace platform::graphics
