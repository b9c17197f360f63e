#pragma once
// What converting with an ICC profile would cost, read from its bytes before
// LittleCMS parses them (parsing already tabulates curves and allocates
// tables): whether the profile passes one of ImageColorProfile's bounds, and
// an estimate of the steps that building a conversion to sRGB from it takes.
//
// Building a conversion evaluates the pipeline the profile converts with (its
// D2B0 tag, else its A2B0 tag, else its matrix and curves) at every point of a
// grid of 33 points a side. At one point a curve costs 32 steps and one more
// per segment it is made of (the segment is searched for, then a power
// computed), a matrix one per entry, a lookup table two per corner of its cell
// and output (tables of more than three inputs are interpolated by halving the
// cell once per input, so each input doubles the cost), and the rest of the
// conversion, to sRGB, 256. A step is about a nanosecond here. Made by
// ImageColorProfile::fromICC; a value.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace platform::graphics {

class ICCProfileCost {
public:
    // The points at which building a conversion of colour pixels evaluates the
    // pipeline; grey ones take far fewer, and are charged the same.
    static constexpr std::uint64_t evaluatedPoints = 33 * 33 * 33;
    // The steps of a conversion at one point besides the profile's pipeline.
    static constexpr std::uint64_t stepsBesidesThePipeline = 256;

    static ICCProfileCost of(std::span<const std::uint8_t> profile);

    // Why the profile passes a bound, in words that follow "as"; nothing when
    // it is within them all.
    const std::optional<std::string>& excess() const { return excess_; }
    // What building a conversion from the profile takes.
    std::uint64_t conversionSteps() const { return conversionSteps_; }

private:
    std::optional<std::string> excess_;
    std::uint64_t conversionSteps_ = 0;
};

}  // namespace platform::graphics
