// The WebP half of ImageDecoder: still images only. Our own walk over the
// container (WebPChunks) finds the image's chunk and the profile the file
// embeds (its ICCP chunk, which libwebp's decoder passes over). The pixels
// come from libwebp's incremental decoder, which has no call back from
// inside: what one call decodes is bounded by the pixels admitted and by the
// bytes it is given.

#include <webp/decode.h>

#include <algorithm>
#include <utility>

#include "Platform/Graphics/DecodedRows.h"
#include "Platform/Graphics/ImageColorProfile.h"
#include "Platform/Graphics/ImageDecoder.h"
#include "Platform/Graphics/ProcessorDeadline.h"
#include "Platform/Graphics/WebPChunks.h"

namespace platform::graphics {

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
    const std::optional<WebPChunks> chunks = WebPChunks::of(bytes);
    if (!chunks) return nullptr;
    const std::span<const std::uint8_t> image = chunks->image();
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(image.data(), image.size(), &features) != VP8_STATUS_OK || features.has_animation ||
        features.width <= 0 || features.height <= 0 ||
        (chunks->canvas() && *chunks->canvas() != std::pair{features.width, features.height}) ||
        !admits(static_cast<std::uint64_t>(features.width), static_cast<std::uint64_t>(features.height), mayDecode)) {
        return nullptr;
    }
    // A deadline already passed refuses the image before its pixels take any memory.
    if (ProcessorDeadline::checkCurrent(ProcessorDeadline::unitsPerReading)) {
        if (refusal) *refusal = lateRefusal();
        return nullptr;
    }
    // Straight even without alpha: the flag that says so is only a hint of
    // the bitstream's, and premultiplying passes over opaque pixels.
    DecodedRows rows(features.width, features.height, DecodedRows::Layout::straight);
    if (!rows.allocated()) return nullptr;
    if (!chunks->profile().empty()) {
        rows.setProfile(ImageColorProfile::fromICC(chunks->profile(), ImageColorProfile::Pixels::colour,
                                                   DecodedRows::profileLayout, conversions));
    }
    // The incremental decoder reads the file where it lies, a longer part of
    // it at each call, and says how many rows it has finished after each; the
    // deadline is read before every call, and while those rows are made ready.
    // Its first part holds every chunk before the image and the first bytes
    // of the bitstream, so that it parses the container's headers once; each
    // later part is a quarter longer, at least 16 KB more, so that what it
    // parses again from its last resting point adds up to a few times the
    // bitstream.
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    constexpr WEBP_CSP_MODE mode = MODE_BGRA;
#else
    constexpr WEBP_CSP_MODE mode = MODE_ARGB;
#endif
    WebPIDecoder* decoder = WebPINewRGB(mode, rows.data(), rows.size(), rows.width() * 4);
    if (decoder == nullptr) return nullptr;
    constexpr std::size_t leastSliceBytes = 16 * 1024;
    VP8StatusCode status = VP8_STATUS_SUSPENDED;
    bool late = false;
    const std::size_t start = chunks->bitstreamOffset();
    for (std::size_t given = start; given < image.size() && status == VP8_STATUS_SUSPENDED && !rows.late();) {
        late = ProcessorDeadline::checkCurrent(ProcessorDeadline::unitsPerReading);
        if (late) break;
        given = std::min(image.size(), given + std::max(leastSliceBytes, (given - start) / 4));
        status = WebPIUpdate(decoder, image.data(), given);
        int finished = 0;
        WebPIDecGetRGB(decoder, &finished, nullptr, nullptr, nullptr);
        rows.finishUpTo(finished);
    }
    WebPIDelete(decoder);
    if (late || rows.late()) {
        if (refusal) *refusal = lateRefusal();
        return nullptr;
    }
    if (status != VP8_STATUS_OK) return nullptr;
    return std::move(rows).image();
}

}  // namespace platform::graphics
