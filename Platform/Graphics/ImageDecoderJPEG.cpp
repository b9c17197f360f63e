// The JPEG half of ImageDecoder. libjpeg reports fatal errors through a jump, so
// the library calls live in a function that holds nothing a jump could leak. A
// profile the file embeds (in APP2 markers, split when long) converts the
// pixels to sRGB.

#include <cstdio>  // jpeglib.h needs FILE declared first

#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "Platform/Graphics/ImageColorProfile.h"
#include "Platform/Graphics/ImageDecoder.h"

namespace platform::graphics {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool truncated;
};

// What decodeInto hands back; the buffers are malloc'd and the caller frees them.
struct DecodedPixels {
    unsigned char* pixels;
    int width;
    int height;
    bool grey;
    JOCTET* profile;  // the embedded ICC profile, if any
    unsigned int profileSize;
};

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr J_COLOR_SPACE kOutputSpace = JCS_EXT_BGRA;
constexpr auto kOutputLayout = ImageColorProfile::Layout::bgra;
#else
constexpr J_COLOR_SPACE kOutputSpace = JCS_EXT_ARGB;
constexpr auto kOutputLayout = ImageColorProfile::Layout::argb;
#endif

[[noreturn]] void jumpOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// libjpeg only warns about a file that ends early and fills the rest with grey;
// a truncated file must not pass for a whole image, so that warning is remembered.
void noteMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) {
        reinterpret_cast<ErrorManager*>(info->err)->truncated = true;
    }
}

// `admits` is asked about the size in the header before anything is allocated.
bool decodeInto(const unsigned char* data, unsigned long size,
                const std::function<bool(std::uint64_t, std::uint64_t)>& admits, DecodedPixels* out) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jumpOnError;
    errors.base.emit_message = noteMessage;
    errors.truncated = false;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_save_markers(&info, JPEG_APP0 + 2, 0xffff);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !admits(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    out->grey = info.jpeg_color_space == JCS_GRAYSCALE;
    if (!jpeg_read_icc_profile(&info, &out->profile, &out->profileSize)) {
        out->profile = nullptr;
        out->profileSize = 0;
    }
    info.out_color_space = kOutputSpace;
    jpeg_start_decompress(&info);
    if (info.output_components != 4 || info.output_width != info.image_width ||
        info.output_height != info.image_height) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    out->width = static_cast<int>(info.output_width);
    out->height = static_cast<int>(info.output_height);
    out->pixels = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(out->width) * out->height * 4));
    if (out->pixels == nullptr) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->pixels + static_cast<std::size_t>(info.output_scanline) * out->width * 4;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return !errors.truncated;
}

}  // namespace

std::shared_ptr<const Image> ImageDecoder::decodeJPEG(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode,
                                                      ColorConversionAllowance* conversions) {
    DecodedPixels decoded{nullptr, 0, 0, false, nullptr, 0};
    const bool ok = decodeInto(
        bytes.data(), static_cast<unsigned long>(bytes.size()),
        [&mayDecode](std::uint64_t width, std::uint64_t height) { return admits(width, height, mayDecode); },
        &decoded);
    ImageColorProfile profile;
    if (ok && decoded.profile != nullptr) {
        profile = ImageColorProfile::fromICC(
            std::span(decoded.profile, decoded.profileSize),
            decoded.grey ? ImageColorProfile::Pixels::grey : ImageColorProfile::Pixels::colour, kOutputLayout,
            conversions);
    }
    std::free(decoded.profile);
    if (!ok) {
        std::free(decoded.pixels);
        return nullptr;
    }
    // Opaque pixels are their own premultiplied form.
    const std::size_t size = static_cast<std::size_t>(decoded.width) * decoded.height * 4;
    std::vector<std::uint8_t> pixels(decoded.pixels, decoded.pixels + size);
    std::free(decoded.pixels);
    profile.convertToSRGB(pixels.data(), pixels.size() / 4);
    return noted(Image::make(decoded.width, decoded.height, Image::Format::argb32Premultiplied, std::move(pixels)),
                 profile.warning());
}

}  // namespace platform::graphics
