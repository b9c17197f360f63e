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

// Big-endian numbers of the profile at `offset`; 0 past its end.
std::uint32_t read32(std::span<const std::uint8_t> bytes, std::uint64_t offset) {
    if (offset + 4 > bytes.size()) return 0;
    const std::uint8_t* b = bytes.data() + offset;
    return static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
           static_cast<std::uint32_t>(b[2]) << 8 | b[3];
}

std::uint32_t read16(std::span<const std::uint8_t> bytes, std::uint64_t offset) {
    if (offset + 2 > bytes.size()) return 0;
    return static_cast<std::uint32_t>(bytes[offset]) << 8 | bytes[offset + 1];
}

constexpr std::uint32_t signature(const char (&name)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(name[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[2])) << 8 |
           static_cast<unsigned char>(name[3]);
}

// The segments of the curves of a curve-set element at `element`: the curves
// are listed by position, so one curve listed many times counts each time.
std::uint64_t curveSegments(std::span<const std::uint8_t> bytes, std::uint64_t element) {
    const std::uint32_t channels = read16(bytes, element + 8);
    std::uint64_t segments = 0;
    for (std::uint32_t channel = 0; channel < channels; ++channel) {
        const std::uint64_t curve = element + read32(bytes, element + 12 + 8 * std::uint64_t{channel});
        // Even a curve of no segments is tabulated.
        const bool segmented = read32(bytes, curve) == signature("curf");
        segments += segmented ? std::max<std::uint32_t>(read16(bytes, curve + 8), 1) : 1;
    }
    return segments;
}

// Why the profile would cost more than any real one to convert with, read from
// its bytes before LittleCMS parses them (parsing tabulates curves already);
// nothing when it is within the bounds. Multi-process-element tags list their
// elements by position, so a few bytes can list one element thousands of times.
std::optional<std::string> excessOf(std::span<const std::uint8_t> bytes) {
    using P = ImageColorProfile;
    if (bytes.size() > P::maximumProfileBytes) {
        return "it holds " + std::to_string(bytes.size()) + " bytes, more than " +
               std::to_string(P::maximumProfileBytes);
    }
    constexpr std::uint64_t tagTable = 128;
    const std::uint32_t tags = read32(bytes, tagTable);
    if (tags > P::maximumTagCount) {
        return "it lists " + std::to_string(tags) + " tags, more than " + std::to_string(P::maximumTagCount);
    }
    std::uint64_t segments = 0;
    for (std::uint32_t tag = 0; tag < tags; ++tag) {
        const std::uint64_t tagStart = read32(bytes, tagTable + 4 + 12 * std::uint64_t{tag} + 4);
        if (read32(bytes, tagStart) != signature("mpet")) continue;
        const std::uint32_t stages = read32(bytes, tagStart + 12);
        if (stages > P::maximumStageCount) {
            return "a pipeline of it has " + std::to_string(stages) + " stages, more than " +
                   std::to_string(P::maximumStageCount);
        }
        for (std::uint32_t stage = 0; stage < stages; ++stage) {
            const std::uint64_t element = tagStart + read32(bytes, tagStart + 16 + 8 * std::uint64_t{stage});
            if (read32(bytes, element) == signature("cvst")) segments += curveSegments(bytes, element);
        }
        if (segments > P::maximumCurveSegments) {
            return "its curves have " + std::to_string(segments) + " segments, more than " +
                   std::to_string(P::maximumCurveSegments);
        }
    }
    return std::nullopt;
}

// The conversions of the last few distinct profiles, by the profile's bytes and
// what it converts: images that share a profile build its transform once.
class ConversionCache {
public:
    template <typename Make>
    ImageColorProfile find(std::span<const std::uint8_t> profile, ImageColorProfile::Pixels pixels,
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
        ImageColorProfile made = make();
        const std::lock_guard lock(mutex_);
        entries_.emplace_front(std::move(key), made);
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

}  // namespace

ImageColorProfile ImageColorProfile::from(void* profile, Pixels pixels, Layout layout) {
    ImageColorProfile result;
    result.layout_ = layout;
    if (profile == nullptr) return result;
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    const cmsColorSpaceSignature space = cmsGetColorSpace(profile);
    if (srgb != nullptr && pixels == Pixels::colour && space == cmsSigRgbData) {
        // The profile's perceptual intent: what its maker meant for display.
        // Matrix profiles (the common kind) have no other and clip what lies
        // outside sRGB.
        cmsHTRANSFORM transform = cmsCreateTransform(profile, formatOf(layout), srgb, formatOf(layout),
                                                     INTENT_PERCEPTUAL, cmsFLAGS_COPY_ALPHA);
        if (transform != nullptr) result.colourTransform_ = std::shared_ptr<void>(transform, cmsDeleteTransform);
    } else if (srgb != nullptr && pixels == Pixels::grey && space == cmsSigGrayData) {
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

ImageColorProfile ImageColorProfile::fromICC(std::span<const std::uint8_t> profile, Pixels pixels, Layout layout) {
    if (profile.empty()) return from(nullptr, pixels, layout);
    if (const std::optional<std::string> excess = excessOf(profile)) {
        ImageColorProfile result = from(nullptr, pixels, layout);
        result.warning_ = "Its colour profile is not used, as " + *excess + "; its pixels are taken as sRGB.";
        return result;
    }
    return conversionCache().find(profile, pixels, layout, [&] {
        return from(cmsOpenProfileFromMem(profile.data(), static_cast<cmsUInt32Number>(profile.size())), pixels,
                    layout);
    });
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
        // Through a small buffer: LittleCMS reads and writes separate memory.
        constexpr std::size_t kChunk = 4096;
        std::array<std::uint8_t, kChunk * 4> source;
        for (std::size_t start = 0; start < pixelCount; start += kChunk) {
            const std::size_t count = std::min(kChunk, pixelCount - start);
            std::uint8_t* chunk = pixels + start * 4;
            std::memcpy(source.data(), chunk, count * 4);
            cmsDoTransform(colourTransform_.get(), source.data(), chunk, static_cast<cmsUInt32Number>(count));
        }
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
