#pragma once
// The work that building colour conversions may take for the images of one
// document together. Each embedded profile is bounded on its own (see
// ImageColorProfile), but a document of hundreds of small images, each with a
// profile of its own within those bounds, would still take seconds: so every
// conversion built while its images are decoded takes its estimated work from
// this allowance, and once that would pass what is left the image's profile is
// not used. A conversion found already built (ImageColorProfile keeps the last
// few) costs nothing. The first refusal is said, the later ones are not.
//
// Owned with a document's decoded images (DocumentImageCache) and handed to the
// decoder through the image providers; safe from any thread.

#include <cstdint>
#include <mutex>

namespace platform::graphics {

class ColorConversionAllowance {
public:
    // In the steps of ImageColorProfile's estimate, about a nanosecond each:
    // some half a second, thirty or so of the costliest profiles a document's
    // images could hold, where real documents share one or two plain ones.
    static constexpr std::uint64_t perDocument = 512'000'000;

    enum class Outcome {
        taken,
        // Refused, for the first time: the one refusal to say.
        refused,
        refusedAgain,
    };

    explicit ColorConversionAllowance(std::uint64_t steps = perDocument) : total_(steps), remaining_(steps) {}
    ColorConversionAllowance(const ColorConversionAllowance&) = delete;
    ColorConversionAllowance& operator=(const ColorConversionAllowance&) = delete;

    // Takes `steps` from what is left when they fit; otherwise takes nothing, so
    // that a cheaper conversion later may still fit.
    Outcome take(std::uint64_t steps);
    std::uint64_t remaining() const;
    // What it held at first.
    std::uint64_t total() const { return total_; }

private:
    const std::uint64_t total_;
    mutable std::mutex mutex_;
    std::uint64_t remaining_;
    bool refused_ = false;
};

}  // namespace platform::graphics
