#pragma once
// How many decoded pixels the images of one animation may hold together. Each
// image is limited on its own (Image::kMaximumPixelCount), but eight images of
// that size, a few megabytes of compressed data, would still take gigabytes; so
// an animation's images share this budget, and an image that would pass what is
// left is not decoded. Either engine makes one each time it asks its provider
// for all the images (ImageAssetRequests); providers that decode ask it before
// decoding.
// It also carries, to the decoder, the allowance that building the colour
// conversions of the document's images takes from (see ColorConversionAllowance),
// set by the document's image cache for the decoding it asks for, and brings
// back from the decoder why a bound of its own refused an image (too many
// scans, the deadline passed), for the cache to say. Main thread only.

#include <cstddef>
#include <cstdint>
#include <string>

#include "Platform/Graphics/ImageDecoder.h"

namespace lottie {

class ImagePixelBudget {
public:
    // 16 megapixels (a 4,096 x 4,096 image): 64 MB of decoded pixels (the
    // images of real documents hold at most a few megapixels).
    static constexpr std::uint64_t perAnimation = 4096 * 4096;
    // The processor time that decoding the images of one set-up may take
    // together, a deadline of their own beside the set-up's (0.5 s, for its
    // layers): 16 megapixels take some 0.1 s as a JPEG and 0.3 s as a PNG of
    // a photograph (zlib's inflating alone some 0.15 s), more on a busy
    // machine, so that within the set-up's deadline an image within the
    // allowance would be cut at whatever row the time ran out; the images of
    // real documents take at most some 40 ms. Past it the image being decoded
    // is left out, and so are those after it.
    static constexpr double decodingDeadlineSeconds = 1.0;

    explicit ImagePixelBudget(std::uint64_t pixels = perAnimation) : remaining_(pixels) {}

    // Takes an image of width x height from what is left when it fits; otherwise
    // refuses it and counts the refusal. An image admitted from its header counts
    // even if its data then proves broken: trying to decode it cost as much.
    bool admit(int width, int height);
    // Whether admit() would take an image of width x height; takes nothing.
    bool fits(int width, int height) const;
    std::uint64_t remaining() const { return remaining_; }
    // The images this budget refused.
    std::size_t refusals() const { return refusals_; }
    // Whether an image was refused since refusals() was `refusals`, by this
    // budget or by a bound of the decoder: a provider then looks no further.
    bool refusedSince(std::size_t refusals) const { return refusals_ != refusals || !decodingRefusal_.empty(); }
    // A check that lets ImageDecoder admit an image through this budget; valid
    // while the budget lives.
    platform::graphics::ImageDecoder::SizeCheck sizeCheck();

    // What the colour conversions of the images decoded through this budget
    // take from; none, the default, leaves them bounded one by one only.
    platform::graphics::ColorConversionAllowance* colorConversions() const { return colorConversions_; }
    void setColorConversions(platform::graphics::ColorConversionAllowance* allowance) {
        colorConversions_ = allowance;
    }
    // Why the decoder refused the image it was last asked for, as
    // ImageDecoder::decode says it; empty when it did not.
    std::string* decodingRefusal() { return &decodingRefusal_; }

private:
    std::uint64_t remaining_;
    std::size_t refusals_ = 0;
    platform::graphics::ColorConversionAllowance* colorConversions_ = nullptr;
    std::string decodingRefusal_;
};

}  // namespace lottie
