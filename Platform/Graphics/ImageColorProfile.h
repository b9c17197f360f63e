#pragma once
// The colour space an image file says its pixels are in, as a conversion of the
// decoded pixels to sRGB, the space everything is drawn in. ImageDecoder makes
// one per file from what the file declares: an embedded ICC profile, or a PNG's
// gamma and chromaticities. A file that declares nothing, or sRGB, or something
// unusable (a broken profile, a printer's CMYK profile on RGB pixels) is taken as
// sRGB and its pixels are left as they are. Converts through LittleCMS. A value
// owned by the decoding call; safe on any thread.
//
// Building a conversion evaluates the profile's whole pipeline at tens of
// thousands of points, so a profile of a few hundred bytes that lists one
// element thousands of times, or whose lookup table has a dozen inputs, would
// take seconds. A profile beyond the bounds below (real ones are a few
// kilobytes and a handful of stages) is taken as sRGB, with a warning saying
// why. The conversions of the last few distinct profiles are kept
// process-wide, so that images sharing a profile build it once; each one built
// for a document's image takes what it costs from the document's
// ColorConversionAllowance, when the decoder is given one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace platform::graphics {

class ColorConversionAllowance;

class ImageColorProfile {
public:
    // What the pixels hold: grey pixels (R = G = B, from a grey file) take a grey
    // profile, colour pixels an RGB one; a profile of the other kind is ignored.
    enum class Pixels { colour, grey };
    // The order of the four bytes of a pixel in memory. Alpha, straight or
    // opaque, is kept as it is.
    enum class Layout { rgba, bgra, argb };

    // CIE xy chromaticities of the white point and the three primaries.
    struct Chromaticities {
        double whiteX, whiteY, redX, redY, greenX, greenY, blueX, blueY;
    };

    // sRGB: converting changes nothing.
    ImageColorProfile() = default;

    // What a profile may hold: its bytes, its tags, the stages of one of its
    // pipelines, and the segments of the curves in them (each tabulated at
    // thousands of points as it is read).
    static constexpr std::size_t maximumProfileBytes = 1 << 20;
    static constexpr std::uint32_t maximumTagCount = 64;
    static constexpr std::uint32_t maximumStageCount = 16;
    static constexpr std::uint32_t maximumCurveSegments = 1024;
    // The lookup tables in them: evaluating one doubles in cost with each
    // input, and an image's pixels have 1, 3 or 4 channels; LittleCMS makes
    // room for every point of the grid a table claims before reading them, and
    // the finest real tables have 65 points a side on three inputs.
    static constexpr std::uint32_t maximumTableInputs = 8;
    static constexpr std::uint64_t maximumTableGridPoints = 65 * 65 * 65;
    // What building a conversion from one profile may take, in the steps of
    // ICCProfileCost's estimate (about a nanosecond each): a plain profile of
    // a matrix and curves takes some 9 million, one with a lookup table of
    // three inputs some 18 million.
    static constexpr std::uint64_t maximumConversionSteps = 128'000'000;

    // A conversion that has to be built takes its steps from `allowance`, when
    // given; when they would pass what is left the profile is not used (the
    // first such image of a document says so, the others do not).
    static ImageColorProfile fromICC(std::span<const std::uint8_t> profile, Pixels pixels, Layout layout,
                                     ColorConversionAllowance* allowance = nullptr);
    // A PNG's gAMA (the encoding exponent, 1 / 2.2 for a display of gamma 2.2)
    // and cHRM. Values within a few percent of sRGB's are taken as sRGB's, as
    // encoders write them to mean sRGB; grey pixels keep only the gamma.
    static ImageColorProfile fromGammaAndChromaticities(std::optional<double> gamma,
                                                        std::optional<Chromaticities> chromaticities, Pixels pixels,
                                                        Layout layout);

    // Whether convertToSRGB changes anything.
    bool converts() const { return colourTransform_ || greyLevels_; }
    // Converts `pixelCount` pixels of four bytes each, in the layout given when
    // the conversion was made, in place.
    void convertToSRGB(std::uint8_t* pixels, std::size_t pixelCount) const;
    // Whether both convert through the one transform built for their profile.
    bool sharesConversionWith(const ImageColorProfile& other) const {
        return colourTransform_ && colourTransform_ == other.colourTransform_;
    }
    // Why the profile the file embeds is not used although it may be a real
    // one: it passes the bounds above. Empty otherwise.
    const std::string& warning() const { return warning_; }

private:
    // The conversion from `profile` (a LittleCMS profile handle, closed here).
    static ImageColorProfile from(void* profile, Pixels pixels, Layout layout);
    // convertToSRGB() of colour pixels.
    void convertThroughTransform(std::uint8_t* pixels, std::size_t pixelCount) const;
    // sRGB, saying why the profile the file embeds is not used.
    static ImageColorProfile notUsed(Pixels pixels, Layout layout, std::string warning);

    // Colour pixels: the LittleCMS transform of the layout to sRGB.
    std::shared_ptr<void> colourTransform_;
    // Grey pixels: the sRGB red, green and blue of each of the 256 grey levels.
    std::shared_ptr<const std::uint8_t[]> greyLevels_;
    Layout layout_ = Layout::rgba;
    std::string warning_;
};

}  // namespace platform::graphics
