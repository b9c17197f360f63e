// The PNG half of ImageDecoder. libpng's full interface is used, not its
// simplified one, because only the full one hands over the chunks that say what
// colour space the pixels are in (iCCP, sRGB, gAMA, cHRM), and leaves the values
// as the file has them for the conversion to sRGB to start from. libpng reports
// fatal errors through a jump, so the library calls live in a function that
// holds nothing a jump could leak.

#include <png.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include "Platform/Graphics/ImageColorProfile.h"
#include "Platform/Graphics/ImageDecoder.h"

namespace platform::graphics {

namespace {

struct MemoryReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t offset;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->offset) png_error(png, "the file ends early");
    std::memcpy(out, reader->data + reader->offset, length);
    reader->offset += length;
}

[[noreturn]] void jumpOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// A damaged ancillary chunk (a broken profile, say) is dropped with a warning
// and the pixels still decode; the warning has nowhere useful to go.
void ignoreWarning(png_structp, png_const_charp) {}

// What decodeInto hands back; the buffers are malloc'd and the caller frees them.
struct DecodedPNG {
    unsigned char* pixels;  // straight RGBA, eight bits a channel
    int width;
    int height;
    bool grey;
    unsigned char* profile;  // the embedded ICC profile, if any
    std::size_t profileSize;
    bool declaresSRGB;
    bool hasGamma;
    png_fixed_point gamma;
    bool hasChromaticities;
    png_fixed_point chromaticities[8];
};

// Keeps what the file says about its colour space, before the pixels are read.
void readColourChunks(png_structp png, png_infop info, DecodedPNG* out) {
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 profileSize = 0;
    if (png_get_iCCP(png, info, &name, &compression, &profile, &profileSize) && profileSize > 0) {
        out->profile = static_cast<unsigned char*>(std::malloc(profileSize));
        if (out->profile != nullptr) {
            std::memcpy(out->profile, profile, profileSize);
            out->profileSize = profileSize;
        }
    }
    int intent = 0;
    out->declaresSRGB = png_get_sRGB(png, info, &intent) != 0;
    out->hasGamma = png_get_gAMA_fixed(png, info, &out->gamma) != 0;
    png_fixed_point* c = out->chromaticities;
    out->hasChromaticities = png_get_cHRM_fixed(png, info, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5], &c[6], &c[7]) != 0;
}

// `admits` is asked about the size in the header before anything is allocated.
bool decodeInto(const std::uint8_t* data, std::size_t size,
                const std::function<bool(std::uint64_t, std::uint64_t)>& admits, DecodedPNG* out) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpOnError, ignoreWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    MemoryReader reader{data, size, 0};
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, readFromMemory);
    png_read_info(png, info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int depth = 0;
    int colourType = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &colourType, nullptr, nullptr, nullptr);
    if (!admits(width, height)) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    readColourChunks(png, info, out);
    out->grey = (colourType & PNG_COLOR_MASK_COLOR) == 0;
    // Every kind of PNG becomes eight-bit RGBA: palettes and small greys
    // expanded, transparency made alpha, sixteen bits rounded to eight.
    const bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    if (!hasAlpha) png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<std::size_t>(width) * 4) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    out->width = static_cast<int>(width);
    out->height = static_cast<int>(height);
    out->pixels = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(width) * height * 4));
    if (out->pixels == nullptr) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    // Interlaced images fill the same rows once per pass.
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 row = 0; row < height; ++row) {
            png_read_row(png, out->pixels + static_cast<std::size_t>(row) * width * 4, nullptr);
        }
    }
    // What follows the pixels (the closing chunk) is not read: a file that lost
    // only that still holds every pixel.
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// The conversion from the colour space the file declares: its profile first,
// then an sRGB chunk, then its gamma and chromaticities.
ImageColorProfile colourProfileOf(const DecodedPNG& decoded, ColorConversionAllowance* conversions) {
    const auto pixels = decoded.grey ? ImageColorProfile::Pixels::grey : ImageColorProfile::Pixels::colour;
    constexpr auto layout = ImageColorProfile::Layout::rgba;
    if (decoded.profile != nullptr) {
        const auto fromProfile =
            ImageColorProfile::fromICC(std::span(decoded.profile, decoded.profileSize), pixels, layout, conversions);
        // A profile too costly to use means sRGB, whatever else the file says.
        if (fromProfile.converts() || !fromProfile.warning().empty()) return fromProfile;
    }
    if (decoded.declaresSRGB) return ImageColorProfile();
    std::optional<double> gamma;
    if (decoded.hasGamma) gamma = decoded.gamma / 100000.0;
    std::optional<ImageColorProfile::Chromaticities> chromaticities;
    if (decoded.hasChromaticities) {
        const png_fixed_point* c = decoded.chromaticities;
        chromaticities = ImageColorProfile::Chromaticities{c[0] / 1e5, c[1] / 1e5, c[2] / 1e5, c[3] / 1e5,
                                                           c[4] / 1e5, c[5] / 1e5, c[6] / 1e5, c[7] / 1e5};
    }
    return ImageColorProfile::fromGammaAndChromaticities(gamma, chromaticities, pixels, layout);
}

}  // namespace

std::shared_ptr<const Image> ImageDecoder::decodePNG(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode,
                                                     ColorConversionAllowance* conversions) {
    DecodedPNG decoded{};
    const bool ok = decodeInto(
        bytes.data(), bytes.size(),
        [&mayDecode](std::uint64_t width, std::uint64_t height) { return admits(width, height, mayDecode); },
        &decoded);
    std::vector<std::uint8_t> rgba;
    if (ok) rgba.assign(decoded.pixels, decoded.pixels + static_cast<std::size_t>(decoded.width) * decoded.height * 4);
    std::free(decoded.pixels);
    const ImageColorProfile profile = ok ? colourProfileOf(decoded, conversions) : ImageColorProfile();
    std::free(decoded.profile);
    if (!ok) return nullptr;
    profile.convertToSRGB(rgba.data(), rgba.size() / 4);
    return noted(Image::fromStraightRGBA(decoded.width, decoded.height, std::move(rgba)), profile.warning());
}

}  // namespace platform::graphics
