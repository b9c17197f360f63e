// The PNG half of ImageDecoder. libpng's full interface is used, not its
// simplified one, because only the full one hands over the chunks that say what
// colour space the pixels are in (iCCP, sRGB, gAMA, cHRM), and leaves the values
// as the file has them for the conversion to sRGB to start from. libpng reports
// fatal errors through a jump, so the library calls live in a function that
// holds nothing a jump could leak: what the decoding makes is kept by its
// caller. The rows are read one at a time, each counted toward the deadline.
// The colour profile is read by our own walk over the chunks (EmbeddedProfile),
// and libpng skips every iCCP chunk.

#include <png.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include "Platform/Graphics/DecodedRows.h"
#include "Platform/Graphics/ImageColorProfile.h"
#include "Platform/Graphics/ImageDecoder.h"
#include "Platform/Graphics/EmbeddedProfile.h"
#include "Platform/Graphics/ProcessorDeadline.h"

namespace platform::graphics {

namespace {

struct MemoryReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t offset;
    // Set, outside the function libpng jumps back to, when the deadline passed.
    bool* late;
};

// libpng reads the file a piece at a time (a chunk's header, a few kilobytes
// of image data to inflate, of a chunk it passes over): each piece counts
// toward the deadline, a unit per 64 bytes, so that inflating image data that
// writes nothing (a stream may hold any number of empty blocks) or passing
// over a long chunk stops there too.
void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->offset) png_error(png, "the file ends early");
    if (ProcessorDeadline::checkCurrent(static_cast<int>(std::min<png_size_t>(length / 64, 1 << 20)) + 1)) {
        *reader->late = true;
        png_error(png, "the deadline passed");
    }
    std::memcpy(out, reader->data + reader->offset, length);
    reader->offset += length;
}

[[noreturn]] void jumpOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// A damaged ancillary chunk (a broken profile, say) is dropped with a warning
// and the pixels still decode; the warning has nowhere useful to go.
void ignoreWarning(png_structp, png_const_charp) {}

// What the file says about its colour space, read before its pixels.
struct ColourChunks {
    bool grey = false;
    std::vector<std::uint8_t> profile;  // the embedded ICC profile, if any
    bool profileRefused = false;        // one the file has, not read (EmbeddedProfile)
    bool declaresSRGB = false;
    bool hasGamma = false;
    png_fixed_point gamma = 0;
    bool hasChromaticities = false;
    png_fixed_point chromaticities[8] = {};
};

// Keeps what the file says about its colour space besides its profile,
// before the pixels are read.
void readColourChunks(png_structp png, png_infop info, ColourChunks* out) {
    int intent = 0;
    out->declaresSRGB = png_get_sRGB(png, info, &intent) != 0;
    out->hasGamma = png_get_gAMA_fixed(png, info, &out->gamma) != 0;
    png_fixed_point* c = out->chromaticities;
    out->hasChromaticities = png_get_cHRM_fixed(png, info, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5], &c[6], &c[7]) != 0;
}

// The conversion from the colour space the file declares: its profile first,
// then an sRGB chunk, then its gamma and chromaticities.
ImageColorProfile colourProfileOf(const ColourChunks& decoded, ColorConversionAllowance* conversions) {
    const auto pixels = decoded.grey ? ImageColorProfile::Pixels::grey : ImageColorProfile::Pixels::colour;
    constexpr auto layout = DecodedRows::profileLayout;
    if (!decoded.profile.empty()) {
        const auto fromProfile = ImageColorProfile::fromICC(decoded.profile, pixels, layout, conversions);
        // A profile too costly to use means sRGB, whatever else the file says.
        if (fromProfile.converts() || !fromProfile.warning().empty()) return fromProfile;
    }
    if (decoded.profileRefused) return ImageColorProfile();
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

// What one decoding makes and finds, kept outside the function libpng jumps
// back to.
struct Decoding {
    std::function<bool(std::uint64_t, std::uint64_t)> admits;
    ColorConversionAllowance* conversions;
    ColourChunks chunks;
    std::optional<DecodedRows> rows;
    bool late = false;

    // Room for the pixels and the conversion of what the chunks declare;
    // false when memory runs out.
    // Kept out of line: the function libpng jumps back to holds no objects of its own.
    [[gnu::noinline]] bool prepare(int width, int height, DecodedRows::Layout layout) noexcept {
        try {
            rows.emplace(width, height, layout);
            if (!rows->allocated()) return false;
            rows->setProfile(colourProfileOf(chunks, conversions));
            return true;
        } catch (...) {
            return false;
        }
    }
};

// `admits` is asked about the size in the header before anything is allocated.
bool decodeInto(const std::uint8_t* data, std::size_t size, Decoding* out) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpOnError, ignoreWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    MemoryReader reader{data, size, 0, &out->late};
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, readFromMemory);
    // The chunks that say nothing about the pixels go unread: libpng would
    // inflate and keep each text chunk, up to 8 MB apiece, so a file of a few
    // megabytes of them took gigabytes before its first row. So do the
    // profiles, read before (a second one would be inflated as the first).
    static constexpr png_byte unused[] =
        "tEXt\0zTXt\0iTXt\0sPLT\0eXIf\0tIME\0bKGD\0hIST\0pCAL\0sCAL\0oFFs\0pHYs\0sBIT\0sTER\0iCCP";
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, unused, static_cast<int>(sizeof unused / 5));
    png_read_info(png, info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int depth = 0;
    int colourType = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &colourType, nullptr, nullptr, nullptr);
    if (!out->admits(width, height)) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    readColourChunks(png, info, &out->chunks);
    out->chunks.grey = (colourType & PNG_COLOR_MASK_COLOR) == 0;
    // Every kind of PNG becomes eight-bit pixels in the image's byte order:
    // palettes and small greys expanded, transparency made alpha, sixteen bits
    // rounded to eight, an opaque file given an opaque alpha that needs no
    // premultiplying.
    const bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    png_set_bgr(png);
    if (!hasAlpha) png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
#else
    if (hasAlpha) png_set_swap_alpha(png);
    else png_set_add_alpha(png, 0xff, PNG_FILLER_BEFORE);
#endif
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const auto layout = hasAlpha ? DecodedRows::Layout::straight : DecodedRows::Layout::opaque;
    if (png_get_rowbytes(png, info) != static_cast<std::size_t>(width) * 4 ||
        !out->prepare(static_cast<int>(width), static_cast<int>(height), layout)) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    DecodedRows& rows = *out->rows;
    // Interlaced images fill the same rows once per pass, and are finished
    // after the last.
    for (int pass = 0; pass < passes; ++pass) {
        for (int row = 0; row < rows.height(); ++row) {
            png_read_row(png, rows.row(row), nullptr);
            if (passes == 1 ? rows.finishUpTo(row + 1) : rows.countWritten()) {
                out->late = true;
                png_destroy_read_struct(&png, &info, nullptr);
                return false;
            }
        }
    }
    // What follows the pixels (the closing chunk) is not read: a file that lost
    // only that still holds every pixel.
    png_destroy_read_struct(&png, &info, nullptr);
    out->late = rows.finishUpTo(rows.height());
    return !out->late;
}

}  // namespace

std::shared_ptr<const Image> ImageDecoder::decodePNG(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode,
                                                     ColorConversionAllowance* conversions, std::string* refusal) {
    Decoding decoding;
    decoding.admits = [&mayDecode](std::uint64_t width, std::uint64_t height) {
        return admits(width, height, mayDecode);
    };
    decoding.conversions = conversions;
    // One byte past the bound tells a profile too large for it.
    EmbeddedProfile::Inflated profile = EmbeddedProfile::ofPNG(bytes, ImageColorProfile::maximumProfileBytes + 1);
    decoding.chunks.profile = std::move(profile.bytes);
    decoding.chunks.profileRefused = !profile.refusal.empty();
    decoding.late = profile.late;
    const bool ok = !decoding.late && decodeInto(bytes.data(), bytes.size(), &decoding);
    if (refusal && decoding.late) *refusal = lateRefusal();
    if (!ok) return nullptr;
    auto image = std::move(*decoding.rows).image();
    if (!decoding.chunks.profileRefused) return image;
    // A profile too costly to read means sRGB, whatever else the file says.
    return Image::withDecodingWarning(image, "Its colour profile is not used, as " + profile.refusal +
                                                 "; its pixels are taken as sRGB.");
}

}  // namespace platform::graphics
