#include "Platform/Graphics/ImageColorProfile.h"

#include <lcms2.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <list>
#include <mutex>
#include <string>
#include <utility>

#include "Platform/Graphics/ColorConversionAllowance.h"
#include "Platform/Graphics/ICCProfileCost.h"

namespace platform::graphics {

namespace {

using Chromaticities = ImageColorProfile::Chromaticities;

// sRGB's white point (D65) and primaries.
constexpr Chromaticities kSRGBChromaticities{0.3127, 0.3290, 0.64, 0.33, 0.30, 0.60, 0.15, 0.06};

// Encoders write gamma 1 / 2.2 and sRGB's chromaticities to mean sRGB (the
// format has no other way to say so to older readers); decoders have always
// drawn such files as sRGB, with its own tone curve.
bool meansSRGB(double gamma) { return std::fabs(gamma * 2.2 - 1) < 0.05; }

bool meansSRGB(const Chromaticities& c) {
    const std::array<double, 8> given{c.whiteX, c.whiteY, c.redX, c.redY, c.greenX, c.greenY, c.blueX, c.blueY};
    const auto& s = kSRGBChromaticities;
    const std::array<double, 8> srgb{s.whiteX, s.whiteY, s.redX, s.redY, s.greenX, s.greenY, s.blueX, s.blueY};
    for (std::size_t i = 0; i < given.size(); ++i) {
        if (!(std::fabs(given[i] - srgb[i]) < 0.005)) return false;
    }
    return true;
}

// sRGB's own tone curve: a line near black, then a 2.4 power.
cmsToneCurve* srgbToneCurve() {
    const cmsFloat64Number parameters[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    return cmsBuildParametricToneCurve(nullptr, 4, parameters);
}

cmsUInt32Number formatOf(ImageColorProfile::Layout layout) {
    switch (layout) {
        case ImageColorProfile::Layout::rgba: return TYPE_RGBA_8;
        case ImageColorProfile::Layout::bgra: return TYPE_BGRA_8;
        case ImageColorProfile::Layout::argb: return TYPE_ARGB_8;
    }
    return TYPE_RGBA_8;
}

// Where red, green and blue sit in a pixel of the layout.
std::array<std::size_t, 3> colourOffsets(ImageColorProfile::Layout layout) {
    switch (layout) {
        case ImageColorProfile::Layout::rgba: return {0, 1, 2};
        case ImageColorProfile::Layout::bgra: return {2, 1, 0};
        case ImageColorProfile::Layout::argb: return {1, 2, 3};
    }
    return {0, 1, 2};
}

// Whether a conversion of the pixels can be made from a profile of its colour
// space; none is made from another.
bool convertsFrom(cmsHPROFILE profile, ImageColorProfile::Pixels pixels) {
    // The colour space is the header's four bytes as a profile holds them:
    // any number at all, not only the signatures the enumeration names, so it
    // is taken as a number and never held in the enumeration's type.
    const auto space = static_cast<std::uint32_t>(cmsGetColorSpace(profile));
    return space == static_cast<std::uint32_t>(pixels == ImageColorProfile::Pixels::colour ? cmsSigRgbData
                                                                                          : cmsSigGrayData);
}

// The conversions of the last few distinct profiles, by the profile's bytes and
// what it converts: images that share a profile build its transform once.
class ConversionCache {
public:
    // What `make` gives is kept; nothing, when it makes none, is not.
    template <typename Make>
    std::optional<ImageColorProfile> find(std::span<const std::uint8_t> profile, ImageColorProfile::Pixels pixels,
                                          ImageColorProfile::Layout layout, Make&& make) {
        std::string key(reinterpret_cast<const char*>(profile.data()), profile.size());
        key += static_cast<char>(pixels);
        key += static_cast<char>(layout);
        {
            const std::lock_guard lock(mutex_);
            for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
                if (entry->first == key) {
                    entries_.splice(entries_.begin(), entries_, entry);
                    return entry->second;
                }
            }
        }
        // Built outside the lock: another thread may build the same one at
        // once, which costs time but changes nothing.
        std::optional<ImageColorProfile> made = make();
        if (!made) return made;
        const std::lock_guard lock(mutex_);
        entries_.emplace_front(std::move(key), *made);
        if (entries_.size() > kEntries) entries_.pop_back();
        return made;
    }

private:
    static constexpr std::size_t kEntries = 16;
    std::mutex mutex_;
    std::list<std::pair<std::string, ImageColorProfile>> entries_;
};

ConversionCache& conversionCache() {
    static ConversionCache cache;
    return cache;
}

// The bits of a pixel's value (four bytes read as one number) that hold its
// colour, in the layout given: all but its alpha.
std::uint32_t colourBitsOf(ImageColorProfile::Layout layout) {
    std::array<std::uint8_t, 4> bytes{0xff, 0xff, 0xff, 0xff};
    bytes[layout == ImageColorProfile::Layout::argb ? 0 : 3] = 0;
    std::uint32_t bits;
    std::memcpy(&bits, bytes.data(), 4);
    return bits;
}

}  // namespace

void ImageColorProfile::convertThroughTransform(std::uint8_t* pixels, std::size_t pixelCount) const {
    // Little CMS takes some nanoseconds a pixel whatever the pixels hold, and
    // the images of real documents (drawings exported with their profile, above
    // all) hold long runs of few colours: each colour met is kept with what it
    // became, by its value, alpha aside (the conversion keeps alpha as it is),
    // and only colours not met before go through Little CMS, a run of one
    // colour once, gathered into a small buffer (it reads and writes separate
    // memory).
    constexpr std::size_t kChunk = 1024;
    constexpr int kMetBits = 10;
    struct Met {
        std::uint32_t key = 0;  // never 0 once filled: the marker below is set
        std::uint32_t converted = 0;
    };
    std::array<Met, std::size_t{1} << kMetBits> met{};
    std::array<std::uint8_t, kChunk * 4> unmet;
    std::array<std::uint8_t, kChunk * 4> converted;
    std::array<std::uint16_t, kChunk> unmetAt;
    std::array<std::uint16_t, kChunk> convertedAt;
    const std::uint32_t colourBits = colourBitsOf(layout_);
    const std::uint32_t marker = ~colourBits & 0x01010101u;
    const auto keyOf = [&](std::uint32_t value) { return (value & colourBits) | marker; };
    const auto slotOf = [&](std::uint32_t key) -> Met& { return met[(key * 0x9e3779b1u) >> (32 - kMetBits)]; };
    // The last colour met, which the next pixel most often repeats.
    Met previous;
    for (std::size_t start = 0; start < pixelCount; start += kChunk) {
        std::uint8_t* chunk = pixels + start * 4;
        const std::size_t count = std::min(kChunk, pixelCount - start);
        std::size_t misses = 0;
        std::size_t toConvert = 0;
        std::uint32_t lastKey = 0;
        for (std::size_t index = 0; index < count; ++index) {
            std::uint32_t value;
            std::memcpy(&value, chunk + index * 4, 4);
            const std::uint32_t key = keyOf(value);
            if (key == previous.key) {
                value = previous.converted | (value & ~colourBits);
                std::memcpy(chunk + index * 4, &value, 4);
                continue;
            }
            const Met& known = slotOf(key);
            if (known.key == key) {
                previous = known;
                value = known.converted | (value & ~colourBits);
                std::memcpy(chunk + index * 4, &value, 4);
                continue;
            }
            if (key != lastKey) {
                std::memcpy(unmet.data() + toConvert * 4, &value, 4);
                ++toConvert;
                lastKey = key;
            }
            unmetAt[misses] = static_cast<std::uint16_t>(index);
            convertedAt[misses++] = static_cast<std::uint16_t>(toConvert - 1);
        }
        if (toConvert == 0) continue;
        cmsDoTransform(colourTransform_.get(), unmet.data(), converted.data(), static_cast<cmsUInt32Number>(toConvert));
        for (std::size_t miss = 0; miss < misses; ++miss) {
            std::uint8_t* pixel = chunk + std::size_t{unmetAt[miss]} * 4;
            std::uint32_t value;
            std::uint32_t result;
            std::memcpy(&value, pixel, 4);
            std::memcpy(&result, converted.data() + std::size_t{convertedAt[miss]} * 4, 4);
            result &= colourBits;
            slotOf(keyOf(value)) = {keyOf(value), result};
            value = result | (value & ~colourBits);
            std::memcpy(pixel, &value, 4);
        }
    }
}

ImageColorProfile ImageColorProfile::from(void* profile, Pixels pixels, Layout layout) {
    ImageColorProfile result;
    result.layout_ = layout;
    if (profile == nullptr) return result;
    cmsHPROFILE srgb = convertsFrom(profile, pixels) ? cmsCreate_sRGBProfile() : nullptr;
    if (srgb != nullptr && pixels == Pixels::colour) {
        // The profile's perceptual intent: what its maker meant for display.
        // Matrix profiles (the common kind) have no other and clip what lies
        // outside sRGB.
        cmsHTRANSFORM transform = cmsCreateTransform(profile, formatOf(layout), srgb, formatOf(layout),
                                                     INTENT_PERCEPTUAL, cmsFLAGS_COPY_ALPHA);
        if (transform != nullptr) result.colourTransform_ = std::shared_ptr<void>(transform, cmsDeleteTransform);
    } else if (srgb != nullptr) {
        // A grey image has 256 levels at most: converting them once is the whole work.
        cmsHTRANSFORM transform = cmsCreateTransform(profile, TYPE_GRAY_8, srgb, TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
        if (transform != nullptr) {
            std::array<std::uint8_t, 256> levels;
            for (std::size_t level = 0; level < levels.size(); ++level) levels[level] = static_cast<std::uint8_t>(level);
            std::shared_ptr<std::uint8_t[]> colours(new std::uint8_t[3 * levels.size()]);
            cmsDoTransform(transform, levels.data(), colours.get(), static_cast<cmsUInt32Number>(levels.size()));
            cmsDeleteTransform(transform);
            result.greyLevels_ = std::move(colours);
        }
    }
    if (srgb != nullptr) cmsCloseProfile(srgb);
    cmsCloseProfile(profile);
    return result;
}

ImageColorProfile ImageColorProfile::notUsed(Pixels pixels, Layout layout, std::string warning) {
    ImageColorProfile result = from(nullptr, pixels, layout);
    result.warning_ = std::move(warning);
    return result;
}

ImageColorProfile ImageColorProfile::fromICC(std::span<const std::uint8_t> profile, Pixels pixels, Layout layout,
                                             ColorConversionAllowance* allowance) {
    if (profile.empty()) return from(nullptr, pixels, layout);
    const ICCProfileCost cost = ICCProfileCost::of(profile);
    if (cost.excess()) {
        return notUsed(pixels, layout, "Its colour profile is not used, as " + *cost.excess() +
                                           "; its pixels are taken as sRGB.");
    }
    auto outcome = ColorConversionAllowance::Outcome::taken;
    const std::optional<ImageColorProfile> found =
        conversionCache().find(profile, pixels, layout, [&]() -> std::optional<ImageColorProfile> {
            cmsHPROFILE opened = cmsOpenProfileFromMem(profile.data(), static_cast<cmsUInt32Number>(profile.size()));
            // Only a conversion that is built costs what building it evaluates.
            if (opened != nullptr && allowance != nullptr && convertsFrom(opened, pixels)) {
                outcome = allowance->take(cost.conversionSteps());
                if (outcome != ColorConversionAllowance::Outcome::taken) {
                    cmsCloseProfile(opened);
                    return std::nullopt;
                }
            }
            return from(opened, pixels, layout);
        });
    if (found) return *found;
    if (outcome == ColorConversionAllowance::Outcome::refusedAgain) return notUsed(pixels, layout, "");
    return notUsed(pixels, layout,
                   "Its colour profile is not used, as building its conversion would pass the " +
                       std::to_string(allowance->total()) +
                       " steps that the colour conversions of a document's images may take together; its pixels, "
                       "and those of the document's later images whose conversions are not built yet, are taken "
                       "as sRGB.");
}

ImageColorProfile ImageColorProfile::fromGammaAndChromaticities(std::optional<double> gamma,
                                                                std::optional<Chromaticities> chromaticities,
                                                                Pixels pixels, Layout layout) {
    // A gamma far outside what any display has is a broken chunk, not a colour space.
    if (gamma && !(*gamma >= 0.1 && *gamma <= 10)) gamma.reset();
    if (gamma && meansSRGB(*gamma)) gamma.reset();
    if (pixels == Pixels::grey || (chromaticities && meansSRGB(*chromaticities))) chromaticities.reset();
    if (!gamma && !chromaticities) return from(nullptr, pixels, layout);

    cmsToneCurve* curve = gamma ? cmsBuildGamma(nullptr, 1 / *gamma) : srgbToneCurve();
    if (curve == nullptr) return from(nullptr, pixels, layout);
    const Chromaticities& c = chromaticities ? *chromaticities : kSRGBChromaticities;
    const cmsCIExyY white{c.whiteX, c.whiteY, 1};
    cmsHPROFILE profile = nullptr;
    if (pixels == Pixels::grey) {
        profile = cmsCreateGrayProfile(&white, curve);
    } else {
        const cmsCIExyYTRIPLE primaries{{c.redX, c.redY, 1}, {c.greenX, c.greenY, 1}, {c.blueX, c.blueY, 1}};
        cmsToneCurve* curves[3] = {curve, curve, curve};
        profile = cmsCreateRGBProfile(&white, &primaries, curves);
    }
    cmsFreeToneCurve(curve);
    return from(profile, pixels, layout);
}

void ImageColorProfile::convertToSRGB(std::uint8_t* pixels, std::size_t pixelCount) const {
    if (colourTransform_) {
        convertThroughTransform(pixels, pixelCount);
    } else if (greyLevels_) {
        const auto offsets = colourOffsets(layout_);
        for (std::size_t index = 0; index < pixelCount; ++index) {
            std::uint8_t* pixel = pixels + index * 4;
            const std::uint8_t* colour = greyLevels_.get() + 3 * pixel[offsets[0]];
            for (std::size_t channel = 0; channel < 3; ++channel) pixel[offsets[channel]] = colour[channel];
        }
    }
}

}  // namespace platform::graphics
