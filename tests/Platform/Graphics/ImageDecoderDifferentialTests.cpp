// The decoders against each image library's own whole-buffer call: images
// made here by libwebp's, libpng's and libjpeg's encoders, in the forms
// exporters write (lossy and lossless WebP with alpha, a profile or the
// extended header; PNG of every colour type and depth, interlaced or not;
// baseline and progressive JPEG), from one pixel to the pixel allowance of
// an animation, each decoded by ImageDecoder and by the library alone and
// compared pixel for pixel once both are premultiplied.

#include <gtest/gtest.h>

#include <jpeglib.h>
#include <lcms2.h>
#include <png.h>
#include <webp/decode.h>
#include <webp/encode.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Platform/Graphics/ImageDecoder.h"
#include "tests/Platform/Graphics/ProfiledImageFiles.h"

namespace platform::graphics {
namespace {

// Straight RGBA of a kind: smooth (colour and alpha ramps, which compress to
// little), or noise (which compresses to nothing, for long bitstreams).
std::vector<std::uint8_t> pattern(int width, int height, bool noise, bool opaque) {
    std::vector<std::uint8_t> rgba(std::size_t(width) * height * 4);
    std::uint32_t state = 0x9e3779b9u ^ static_cast<std::uint32_t>(width * 7919 + height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &rgba[(std::size_t(y) * width + x) * 4];
            if (noise) {
                for (int c = 0; c < 4; ++c) {
                    state = state * 1664525u + 1013904223u;
                    p[c] = static_cast<std::uint8_t>(state >> 24);
                }
            } else {
                p[0] = static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1));
                p[1] = static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1));
                p[2] = static_cast<std::uint8_t>((x + y) * 127 / std::max(1, width + height - 2) + 64);
                p[3] = static_cast<std::uint8_t>(255 - (x ^ y) % 200);
            }
            if (opaque) p[3] = 255;
        }
    }
    return rgba;
}

std::string littleEndian(std::uint32_t value, int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
    return bytes;
}

std::string srgbProfile() {
    cmsHPROFILE profile = cmsCreate_sRGBProfile();
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::string bytes(size, '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

// --- WebP --------------------------------------------------------------------

struct WebPForm {
    bool lossless = false;
    float quality = 90;
    bool extended = false;  // a VP8X header even where nothing needs it
    std::string profile = {};
};

std::string encodeWebP(int width, int height, const std::vector<std::uint8_t>& rgba, const WebPForm& form) {
    WebPConfig config;
    WebPConfigInit(&config);
    config.lossless = form.lossless ? 1 : 0;
    config.quality = form.quality;
    config.method = 0;  // the fastest: what is compared is the decoding
    WebPPicture picture;
    WebPPictureInit(&picture);
    picture.use_argb = 1;
    picture.width = width;
    picture.height = height;
    WebPMemoryWriter writer;
    WebPMemoryWriterInit(&writer);
    picture.writer = WebPMemoryWrite;
    picture.custom_ptr = &writer;
    EXPECT_TRUE(WebPPictureImportRGBA(&picture, rgba.data(), width * 4));
    EXPECT_TRUE(WebPEncode(&config, &picture));
    std::string file(reinterpret_cast<const char*>(writer.mem), writer.size);
    WebPPictureFree(&picture);
    WebPMemoryWriterClear(&writer);
    if (!form.extended && form.profile.empty()) return file;
    // Into the extended form: its header (made here when the encoder wrote
    // the simple one), the profile after it, then the chunks of the file.
    std::string chunks = file.substr(12);
    std::string header;
    if (chunks.compare(0, 4, "VP8X") == 0) {
        header = chunks.substr(0, 18);
        chunks = chunks.substr(18);
    } else {
        const bool alpha = chunks.compare(0, 4, "VP8L") == 0;
        header = "VP8X" + littleEndian(10, 4) + std::string(1, alpha ? '\x10' : '\0') + std::string(3, '\0') +
                 littleEndian(width - 1, 3) + littleEndian(height - 1, 3);
    }
    if (!form.profile.empty()) {
        header[8] = static_cast<char>(header[8] | 0x20);
        header += "ICCP" + littleEndian(static_cast<std::uint32_t>(form.profile.size()), 4) + form.profile;
        if (form.profile.size() % 2 != 0) header.push_back('\0');
    }
    const std::string body = "WEBP" + header + chunks;
    return "RIFF" + littleEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

std::optional<std::vector<std::uint8_t>> libwebpDecodes(const std::string& file, int& width, int& height) {
    std::uint8_t* decoded =
        WebPDecodeRGBA(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), &width, &height);
    if (decoded == nullptr) return std::nullopt;
    std::vector<std::uint8_t> rgba(decoded, decoded + std::size_t(width) * height * 4);
    WebPFree(decoded);
    return rgba;
}

// --- PNG ---------------------------------------------------------------------

struct PNGForm {
    int colourType = PNG_COLOR_TYPE_RGBA;
    int depth = 8;
    bool interlaced = false;
};

std::string encodePNG(int width, int height, const std::vector<std::uint8_t>& rgba, const PNGForm& form) {
    std::string file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &file,
        [](png_structp p, png_bytep data, png_size_t size) {
            static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<const char*>(data), size);
        },
        nullptr);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, width, height, form.depth, form.colourType,
                 form.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    // A palette of 16 colours, each with an alpha of its own; pixels take the
    // colour of their red's top bits.
    std::vector<png_color> palette(16);
    std::vector<png_byte> alphas(16);
    for (int i = 0; i < 16; ++i) {
        palette[i] = {static_cast<png_byte>(i * 17), static_cast<png_byte>(255 - i * 13), static_cast<png_byte>(i * 5)};
        alphas[i] = static_cast<png_byte>(255 - i * 11);
    }
    if (form.colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_PLTE(png, info, palette.data(), 16);
        png_set_tRNS(png, info, alphas.data(), 16, nullptr);
    }
    png_write_info(png, info);
    const int channels = form.colourType == PNG_COLOR_TYPE_GRAY || form.colourType == PNG_COLOR_TYPE_PALETTE ? 1
                         : form.colourType == PNG_COLOR_TYPE_GRAY_ALPHA                                    ? 2
                         : form.colourType == PNG_COLOR_TYPE_RGB                                           ? 3
                                                                                                           : 4;
    const int bytesPerSample = form.depth == 16 ? 2 : 1;
    std::vector<std::vector<png_byte>> rows(height, std::vector<png_byte>(std::size_t(width) * channels * 2 + 1));
    std::vector<png_bytep> pointers(height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &rgba[(std::size_t(y) * width + x) * 4];
            png_byte* out = &rows[y][std::size_t(x) * channels * bytesPerSample];
            const std::uint8_t samples[4] = {p[0], form.colourType == PNG_COLOR_TYPE_GRAY_ALPHA ? p[3] : p[1], p[2],
                                             p[3]};
            if (form.colourType == PNG_COLOR_TYPE_PALETTE) {
                // Sixteen colours of four bits, packed two to a byte below eight bits.
                const int index = p[0] >> 4;
                if (form.depth == 8) {
                    out[0] = static_cast<png_byte>(index);
                } else {
                    png_byte& packed = rows[y][std::size_t(x) / 2];
                    packed = static_cast<png_byte>(x % 2 == 0 ? index << 4 : (packed | index));
                }
                continue;
            }
            for (int c = 0; c < channels; ++c) {
                // Sixteen bits: the high byte the sample, the low one its
                // complement, so that scaling and stripping differ.
                out[c * bytesPerSample] = samples[c];
                if (bytesPerSample == 2) out[c * 2 + 1] = static_cast<png_byte>(~samples[c]);
            }
        }
        pointers[y] = rows[y].data();
    }
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

// libpng reading the whole file at once into straight eight-bit RGBA (the
// files are made here: libpng's own handler ends the program on an error).
std::optional<std::vector<std::uint8_t>> libpngDecodes(const std::string& file, int& width, int& height) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    struct Reader {
        const std::string* file;
        std::size_t at = 0;
    } reader{&file};
    png_set_read_fn(png, &reader, [](png_structp p, png_bytep data, png_size_t size) {
        auto* r = static_cast<Reader*>(png_get_io_ptr(p));
        std::memcpy(data, r->file->data() + r->at, size);
        r->at += size;
    });
    png_read_info(png, info);
    width = static_cast<int>(png_get_image_width(png, info));
    height = static_cast<int>(png_get_image_height(png, info));
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    std::vector<std::uint8_t> rgba(std::size_t(width) * height * 4);
    std::vector<png_bytep> rows(height);
    for (int y = 0; y < height; ++y) rows[y] = &rgba[std::size_t(y) * width * 4];
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return rgba;
}

// --- JPEG --------------------------------------------------------------------

std::optional<std::vector<std::uint8_t>> libjpegDecodes(const std::string& file, int& width, int& height) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(file.data()), file.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_RGBA;
    jpeg_start_decompress(&info);
    width = static_cast<int>(info.output_width);
    height = static_cast<int>(info.output_height);
    std::vector<std::uint8_t> rgba(std::size_t(width) * height * 4);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &rgba[std::size_t(info.output_scanline) * width * 4];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return rgba;
}

// --- the comparison ----------------------------------------------------------

struct Row {
    std::string name;
    std::string file;
    std::function<std::optional<std::vector<std::uint8_t>>(const std::string&, int&, int&)> reference;
    // Beyond the premultiplication's rounding: an sRGB profile converted to sRGB.
    int tolerance = 1;
};

// The largest difference of any channel between our decoding and the
// library's straight pixels premultiplied as our images hold them; -1 when
// either gives nothing or the sizes differ.
int largestDifference(const Row& row) {
    int width = 0, height = 0;
    const auto straight = row.reference(row.file, width, height);
    const auto ours = ImageDecoder::decode(row.file);
    if (!straight || ours == nullptr) {
        ADD_FAILURE() << (straight ? "our decoder gives nothing" : "the library's own call gives nothing");
        return -1;
    }
    const auto expected = Image::fromStraightRGBA(width, height, *straight);
    if (expected == nullptr || ours->width() != width || ours->height() != height) return -1;
    int largest = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t a = ours->pixel(x, y), b = expected->pixel(x, y);
            for (int shift = 0; shift < 32; shift += 8) {
                largest = std::max(largest, std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff)));
            }
        }
    }
    return largest;
}

TEST(ImageDecoderDifferential, EachFormGivesWhatTheLibrarysWholeBufferCallGives) {
    const std::string profile = srgbProfile();
    std::vector<Row> rows;
    const auto webp = [&](std::string name, int width, int height, bool noise, bool opaque, WebPForm form) {
        const int tolerance = form.profile.empty() ? 1 : 3;
        rows.push_back({std::move(name), encodeWebP(width, height, pattern(width, height, noise, opaque), form),
                        libwebpDecodes, tolerance});
    };
    const WebPForm lossless{.lossless = true};
    const WebPForm lossy{};
    webp("lossless 1 x 1", 1, 1, false, false, lossless);
    webp("lossless 128 x 128", 128, 128, true, true, lossless);
    webp("lossless 256 x 256 with alpha", 256, 256, true, false, lossless);
    webp("lossless 300 x 300 with alpha and a profile", 300, 300, true, false, {.lossless = true, .extended = true, .profile = profile});
    webp("lossless 600 x 600 of noise (past 1 MB)", 600, 600, true, false, lossless);
    webp("lossless in the extended header", 180, 180, true, false, {.lossless = true, .extended = true});
    webp("lossy 1 x 1", 1, 1, false, true, lossy);
    webp("lossy 512 x 512", 512, 512, true, true, lossy);
    webp("lossy 1024 x 1024 at quality 90", 1024, 1024, true, true, lossy);
    webp("lossy 1024 x 1024 at quality 100", 1024, 1024, true, true, {.quality = 100});
    webp("lossy with alpha", 300, 300, true, false, lossy);
    webp("lossy with alpha and a profile", 300, 300, true, false, {.profile = profile});
    webp("lossy 4096 x 4096", 4096, 4096, false, true, lossy);

    const auto png = [&](std::string name, int width, int height, PNGForm form) {
        rows.push_back({std::move(name), encodePNG(width, height, pattern(width, height, false, false), form),
                        libpngDecodes});
    };
    for (const bool interlaced : {false, true}) {
        const std::string suffix = interlaced ? ", interlaced" : "";
        for (const int depth : {8, 16}) {
            for (const auto& [type, kind] : {std::pair{PNG_COLOR_TYPE_GRAY, "grey"}, {PNG_COLOR_TYPE_GRAY_ALPHA, "grey and alpha"},
                                             {PNG_COLOR_TYPE_RGB, "RGB"}, {PNG_COLOR_TYPE_RGB_ALPHA, "RGBA"}}) {
                png(std::string("png ") + kind + " of " + std::to_string(depth) + " bits" + suffix, 67, 45,
                    {type, depth, interlaced});
            }
        }
        for (const int depth : {4, 8}) {
            png("png palette of " + std::to_string(depth) + " bits" + suffix, 67, 45,
                {PNG_COLOR_TYPE_PALETTE, depth, interlaced});
        }
    }
    png("png 1 x 1", 1, 1, {});
    png("png 4096 x 4096", 4096, 4096, {PNG_COLOR_TYPE_RGB, 8, false});

    const auto jpeg = [&](std::string name, int width, int height, bool progressive, const std::string& withProfile) {
        rows.push_back({std::move(name),
                        profiledimages::jpeg(width, height, pattern(width, height, false, true), false, withProfile,
                                             progressive),
                        libjpegDecodes, withProfile.empty() ? 1 : 3});
    };
    jpeg("jpeg baseline 1 x 1", 1, 1, false, "");
    jpeg("jpeg baseline", 333, 217, false, "");
    jpeg("jpeg progressive", 333, 217, true, "");
    jpeg("jpeg with a profile", 333, 217, false, profile);
    jpeg("jpeg progressive 4096 x 4096", 4096, 4096, true, "");

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name + " (" + std::to_string(row.file.size()) + " bytes)");
        const int difference = largestDifference(row);
        EXPECT_GE(difference, 0);
        EXPECT_LE(difference, row.tolerance);
    }
}

}  // namespace
}  // namespace platform::graphics
