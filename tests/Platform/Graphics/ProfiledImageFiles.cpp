#include "tests/Platform/Graphics/ProfiledImageFiles.h"

#include <cstdio>  // jpeglib.h needs FILE declared first

#include <jpeglib.h>
#include <lcms2.h>
#include <webp/encode.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <stdexcept>

namespace profiledimages {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

std::string bigEndian(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    return out;
}

std::string littleEndian(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    return out;
}

std::string compressed(const std::string& bytes) {
    uLongf size = compressBound(bytes.size());
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
                  bytes.size(), 9) != Z_OK) {
        throw std::runtime_error("zlib refused to compress");
    }
    out.resize(size);
    return out;
}

// The zlib stream with `count` empty stored blocks (not the last: a zero
// header, padding, a length of 0 and its complement) after its header.
std::string withEmptyBlocks(const std::string& stream, std::size_t count) {
    std::string out = stream.substr(0, 2);
    out.reserve(stream.size() + count * 5);
    for (std::size_t block = 0; block < count; ++block) out.append("\0\0\0\xff\xff", 5);
    return out + stream.substr(2);
}

std::string saved(cmsHPROFILE profile) {
    cmsUInt32Number size = 0;
    if (profile == nullptr || !cmsSaveProfileToMem(profile, nullptr, &size)) throw std::runtime_error("no profile");
    std::string bytes(size, '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

double determinant(const Matrix& a) {
    return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
           a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
}

// x such that m x = v (Cramer's rule).
std::array<double, 3> solve(const Matrix& m, std::array<double, 3> v) {
    std::array<double, 3> x;
    for (int c = 0; c < 3; ++c) {
        Matrix replaced = m;
        for (int row = 0; row < 3; ++row) replaced[row][c] = v[row];
        x[c] = determinant(replaced) / determinant(m);
    }
    return x;
}

// RGB to CIE XYZ for the primaries, white of luminance 1.
Matrix rgbToXYZ(const Primaries& p) {
    auto column = [](double x, double y) { return std::array<double, 3>{x / y, 1, (1 - x - y) / y}; };
    const auto r = column(p.redX, p.redY);
    const auto g = column(p.greenX, p.greenY);
    const auto b = column(p.blueX, p.blueY);
    const Matrix m{{{r[0], g[0], b[0]}, {r[1], g[1], b[1]}, {r[2], g[2], b[2]}}};
    // Each primary scaled so that the three together make the white.
    const auto scale = solve(m, column(p.whiteX, p.whiteY));
    Matrix out;
    for (int row = 0; row < 3; ++row) {
        for (int c = 0; c < 3; ++c) out[row][c] = m[row][c] * scale[c];
    }
    return out;
}

double srgbDecoded(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }
double srgbEncoded(double v) { return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055; }

}  // namespace

std::string pngChunk(const std::string& type, const std::string& data) {
    const std::string typed = type + data;
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()));
    return bigEndian(static_cast<std::uint32_t>(data.size()), 4) + typed + bigEndian(static_cast<std::uint32_t>(crc), 4);
}

std::string rgbProfile(const Primaries& p, double gamma) {
    const cmsCIExyY white{p.whiteX, p.whiteY, 1};
    const cmsCIExyYTRIPLE primaries{{p.redX, p.redY, 1}, {p.greenX, p.greenY, 1}, {p.blueX, p.blueY, 1}};
    cmsToneCurve* curve = cmsBuildGamma(nullptr, gamma);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(curve);
    return saved(profile);
}

std::string greyProfile(double gamma) {
    const cmsCIExyY white{kSRGBPrimaries.whiteX, kSRGBPrimaries.whiteY, 1};
    cmsToneCurve* curve = cmsBuildGamma(nullptr, gamma);
    cmsHPROFILE profile = cmsCreateGrayProfile(&white, curve);
    cmsFreeToneCurve(curve);
    return saved(profile);
}

std::string labProfile() { return saved(cmsCreateLab4Profile(nullptr)); }

namespace {

std::string s15Fixed16(double value) {
    return bigEndian(static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(value * 65536))), 4);
}

std::string float32(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, 4);
    return bigEndian(bits, 4);
}

std::string xyzTag(double x, double y, double z) {
    return "XYZ " + std::string(4, '\0') + s15Fixed16(x) + s15Fixed16(y) + s15Fixed16(z);
}

// A version 4 display profile of RGB to XYZ with sRGB's primaries and a linear
// tone curve, and a D2B0 tag of multiple process elements that lists the
// `elements`, each held once, in order, `copies` times.
std::string srgbProfileWith(const std::string& name, const std::string& body);
std::string profileRepeating(const std::vector<std::string>& elements, int copies) {
    const auto stages = static_cast<std::uint32_t>(elements.size() * copies);
    std::vector<std::uint32_t> positions;
    std::uint32_t position = 16 + 8 * stages;
    for (const std::string& element : elements) {
        positions.push_back(position);
        position += static_cast<std::uint32_t>(element.size());
    }
    std::string pipeline = "mpet" + std::string(4, '\0') + bigEndian(3, 2) + bigEndian(3, 2) + bigEndian(stages, 4);
    for (int copy = 0; copy < copies; ++copy) {
        for (std::size_t index = 0; index < elements.size(); ++index) {
            pipeline += bigEndian(positions[index], 4) + bigEndian(static_cast<std::uint32_t>(elements[index].size()), 4);
        }
    }
    for (const std::string& element : elements) pipeline += element;
    return srgbProfileWith("D2B0", pipeline);
}

// A version 4 display profile of RGB to XYZ with sRGB's primaries and a linear
// tone curve, and the tag `name` holding `body`.
std::string srgbProfileWith(const std::string& name, const std::string& body) {
    const std::string linear = "curv" + std::string(4, '\0') + bigEndian(0, 4);
    const std::vector<std::pair<std::string, std::string>> tags = {
        {"wtpt", xyzTag(0.9642, 1.0, 0.8249)}, {"rXYZ", xyzTag(0.4361, 0.2225, 0.0139)},
        {"gXYZ", xyzTag(0.3851, 0.7169, 0.0971)}, {"bXYZ", xyzTag(0.1431, 0.0606, 0.7141)},
        {"rTRC", linear}, {"gTRC", linear}, {"bTRC", linear}, {name, body}};
    std::string table = bigEndian(static_cast<std::uint32_t>(tags.size()), 4);
    std::string data;
    const std::size_t dataStart = 128 + 4 + 12 * tags.size();
    for (const auto& [name, body] : tags) {
        while (data.size() % 4) data.push_back('\0');
        table += name + bigEndian(static_cast<std::uint32_t>(dataStart + data.size()), 4) +
                 bigEndian(static_cast<std::uint32_t>(body.size()), 4);
        data += body;
    }
    std::string header = bigEndian(static_cast<std::uint32_t>(dataStart + data.size()), 4) + std::string(4, '\0') +
                         bigEndian(0x04300000, 4) + "mntrRGB XYZ " + std::string(12, '\0') + "acsp" +
                         std::string(24, '\0') + bigEndian(0, 4) + s15Fixed16(0.9642) + s15Fixed16(1.0) +
                         s15Fixed16(0.8249);
    header += std::string(128 - header.size(), '\0');
    return header + table + data;
}

}  // namespace

namespace {

// A matrix element of `inputs` to `outputs` channels, ones on its diagonal.
std::string matrixElement(int inputs, int outputs) {
    std::string matrix = "matf" + std::string(4, '\0') + bigEndian(static_cast<std::uint32_t>(inputs), 2) +
                         bigEndian(static_cast<std::uint32_t>(outputs), 2);
    for (int row = 0; row < outputs; ++row) {
        for (int column = 0; column < inputs; ++column) matrix += float32(row == column ? 1.0f : 0.0f);
    }
    for (int offset = 0; offset < outputs; ++offset) matrix += float32(0);
    return matrix;
}

}  // namespace

std::string repeatedMatrixProfile(int copies) { return profileRepeating({matrixElement(3, 3)}, copies); }

std::string widenedTableProfile(int inputs, int copies, int claimedGridSize) {
    std::string table = "clut" + std::string(4, '\0') + bigEndian(static_cast<std::uint32_t>(inputs), 2) +
                        bigEndian(3, 2);
    for (int dimension = 0; dimension < 16; ++dimension) {
        table.push_back(static_cast<char>(dimension < inputs ? claimedGridSize : 0));
    }
    table += std::string((std::size_t{1} << inputs) * 3 * 4, '\0');
    return profileRepeating({matrixElement(3, inputs), table}, copies);
}

std::string repeatedCurvesProfile(int copies, int segments) {
    // Segments of y = x, split evenly over 0...1; the three channels share the curve.
    std::string curve = "curf" + std::string(4, '\0') + bigEndian(static_cast<std::uint32_t>(segments), 2) +
                        std::string(2, '\0');
    for (int breakpoint = 1; breakpoint < segments; ++breakpoint) {
        curve += float32(static_cast<float>(breakpoint) / static_cast<float>(segments));
    }
    for (int segment = 0; segment < segments; ++segment) {
        curve += "parf" + std::string(4, '\0') + bigEndian(0, 2) + std::string(2, '\0') + float32(1) + float32(1) +
                 float32(0) + float32(0);
    }
    const std::uint32_t curveAt = 12 + 3 * 8;
    std::string set = "cvst" + std::string(4, '\0') + bigEndian(3, 2) + bigEndian(3, 2);
    for (int channel = 0; channel < 3; ++channel) {
        set += bigEndian(curveAt, 4) + bigEndian(static_cast<std::uint32_t>(curve.size()), 4);
    }
    return profileRepeating({set + curve}, copies);
}

std::string tableTagProfile(const std::string& type, int inputs, int gridSize) {
    const auto in = static_cast<char>(inputs);
    if (type == "mft2") {
        // The numbers of inputs, outputs and grid points, a matrix and the
        // lengths of the curves; no curves nor points follow.
        return srgbProfileWith("A2B0", type + std::string(4, '\0') + in + '\3' + static_cast<char>(gridSize) + '\0' +
                                           std::string(36, '\0') + bigEndian(2, 2) + bigEndian(2, 2));
    }
    // The numbers of inputs and outputs, then the offsets of the curves, the
    // matrix and the table: the table's grid points of each input follow at once.
    std::string tag = type + std::string(4, '\0') + in + '\3' + std::string(2, '\0') + bigEndian(0, 4) +
                      bigEndian(0, 4) + bigEndian(0, 4) + bigEndian(32, 4) + bigEndian(0, 4);
    for (int input = 0; input < 16; ++input) tag.push_back(static_cast<char>(input < inputs ? gridSize : 0));
    tag += std::string(4, '\0');
    return srgbProfileWith(type == "mBA " ? "B2A0" : "A2B0", tag);
}

std::string distinctCopy(std::string profile, int serial) {
    // The year and month of the date, at bytes 24 to 27.
    const std::string date = bigEndian(static_cast<std::uint32_t>(serial), 4);
    return profile.replace(24, 4, date);
}

std::string iccpChunk(const std::string& profile, std::size_t emptyBlocks) {
    return pngChunk("iCCP",
                    std::string("test profile") + '\0' + '\0' + withEmptyBlocks(compressed(profile), emptyBlocks));
}

std::string gamaChunk(double encodingGamma) {
    return pngChunk("gAMA", bigEndian(static_cast<std::uint32_t>(std::lround(encodingGamma * 100000)), 4));
}

std::string chrmChunk(const Primaries& p) {
    std::string data;
    for (double value : {p.whiteX, p.whiteY, p.redX, p.redY, p.greenX, p.greenY, p.blueX, p.blueY}) {
        data += bigEndian(static_cast<std::uint32_t>(std::lround(value * 100000)), 4);
    }
    return pngChunk("cHRM", data);
}

std::string srgbChunk() { return pngChunk("sRGB", std::string(1, '\0')); }

std::string png(int width, int height, const std::vector<std::uint8_t>& rgba, bool grey,
                const std::vector<std::string>& chunks) {
    const int channels = grey ? 1 : 4;
    std::vector<std::string> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* pixel = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            rows[static_cast<std::size_t>(y)].append(reinterpret_cast<const char*>(pixel), channels);
        }
    }
    return pngOfType(width, height, grey ? 0 : 6, 8, rows, chunks);
}

std::string pngOfType(int width, int height, int colourType, int depth, const std::vector<std::string>& rows,
                      const std::vector<std::string>& chunks, std::size_t emptyBlocks) {
    std::string data;
    for (const std::string& row : rows) {
        data.push_back('\0');  // no filter
        data += row;
    }
    std::string header = bigEndian(width, 4) + bigEndian(height, 4);
    header += std::string{static_cast<char>(depth), static_cast<char>(colourType), 0, 0, 0};
    std::string file = "\x89PNG\r\n\x1a\n" + pngChunk("IHDR", header);
    for (const std::string& chunk : chunks) file += chunk;
    return file + pngChunk("IDAT", withEmptyBlocks(compressed(data), emptyBlocks)) + pngChunk("IEND", "");
}

std::string jpeg(int width, int height, const std::vector<std::uint8_t>& rgba, bool grey, const std::string& profile,
                 bool progressive) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    // At least two markers, as a profile too long for one is split, and as many
    // as its length takes.
    constexpr std::size_t markerSpace = 65'519;
    const std::size_t parts = std::max<std::size_t>(2, (profile.size() + markerSpace - 1) / markerSpace);
    const std::size_t pieceSize = (profile.size() + parts - 1) / parts;
    for (std::size_t part = 0; part < parts && !profile.empty(); ++part) {
        const std::string piece = profile.substr(std::min(profile.size(), part * pieceSize), pieceSize);
        std::string marker = std::string("ICC_PROFILE") + '\0' + static_cast<char>(part + 1) +
                             static_cast<char>(parts) + piece;
        jpeg_write_marker(&info, JPEG_APP0 + 2, reinterpret_cast<const JOCTET*>(marker.data()),
                          static_cast<unsigned int>(marker.size()));
    }
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < info.input_components; ++c) {
                row[x * info.input_components + c] = rgba[(static_cast<std::size_t>(info.next_scanline) * width + x) * 4 + c];
            }
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

std::string webp(int width, int height, const std::vector<std::uint8_t>& rgba, const std::string& profile) {
    std::uint8_t* output = nullptr;
    const std::size_t size = WebPEncodeLosslessRGBA(rgba.data(), width, height, width * 4, &output);
    std::string simple(reinterpret_cast<char*>(output), size);
    WebPFree(output);
    if (profile.empty()) return simple;
    // The extended form: a header chunk saying a profile and alpha follow, the
    // profile, then the image chunk of the simple file.
    std::string extended = "VP8X" + littleEndian(10, 4) + std::string(1, '\x30') + std::string(3, '\0') +
                           littleEndian(width - 1, 3) + littleEndian(height - 1, 3);
    extended += "ICCP" + littleEndian(static_cast<std::uint32_t>(profile.size()), 4) + profile;
    if (profile.size() % 2) extended.push_back('\0');
    extended += simple.substr(12);
    return "RIFF" + littleEndian(static_cast<std::uint32_t>(extended.size() + 4), 4) + "WEBP" + extended;
}

std::string progressiveJPEG(int width, int height, int scans) {
    const auto segment = [](int marker, const std::string& payload) {
        return std::string{'\xff', static_cast<char>(marker)} + bigEndian(static_cast<std::uint32_t>(payload.size() + 2), 2) +
               payload;
    };
    // One component; a quantisation table of ones; a Huffman table for the
    // refinement of its AC values whose only code, "0", starts a run of at
    // least 16,384 blocks with nothing to say (fourteen more bits, all ones,
    // make it 32,767).
    std::string file = "\xff\xd8" + segment(0xdb, std::string(1, '\0') + std::string(64, '\1'));
    file += segment(0xc2, std::string(1, '\x08') + bigEndian(static_cast<std::uint32_t>(height), 2) +
                              bigEndian(static_cast<std::uint32_t>(width), 2) + std::string("\x01\x01\x11\x00", 4));
    file += segment(0xc4, std::string("\x10\x01") + std::string(15, '\0') + "\xe0");
    const std::size_t blocks = static_cast<std::size_t>((width + 7) / 8) * static_cast<std::size_t>((height + 7) / 8);
    std::string bits;
    for (std::size_t run = 0; run * 32767 < blocks; ++run) bits += "0" + std::string(14, '1');
    while (bits.size() % 8) bits.push_back('1');
    std::string data;
    for (std::size_t bit = 0; bit < bits.size(); bit += 8) {
        data.push_back(static_cast<char>(std::stoi(bits.substr(bit, 8), nullptr, 2)));
        if (data.back() == '\xff') data.push_back('\0');
    }
    // The first AC value of the component, over and over.
    const std::string scan = segment(0xda, std::string("\x01\x01\x00\x01\x01\x00", 6)) + data;
    for (int index = 0; index < scans; ++index) file += scan;
    return file + "\xff\xd9";
}

std::string plainPNG(int width, int height, bool interlaced) {
    // The rows as the file holds them: one image's, or those of each of the
    // seven passes of an interlaced one (each pass's columns and rows start
    // and step as below), each row a filter byte and a byte a pixel, all zero.
    struct Pass {
        int x, y, xStep, yStep;
    };
    const std::vector<Pass> passes = interlaced ? std::vector<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8},
                                                                    {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2},
                                                                    {0, 1, 1, 2}}
                                                : std::vector<Pass>{{0, 0, 1, 1}};
    std::vector<std::size_t> rowBytes;
    for (const Pass& pass : passes) {
        const int columns = (width - pass.x + pass.xStep - 1) / pass.xStep;
        const int rows = (height - pass.y + pass.yStep - 1) / pass.yStep;
        if (columns <= 0) continue;
        for (int row = 0; row < rows; ++row) rowBytes.push_back(static_cast<std::size_t>(columns) + 1);
    }
    z_stream stream{};
    deflateInit(&stream, 9);
    const std::string row(static_cast<std::size_t>(width) + 1, '\0');  // no filter, black
    std::string out;
    char buffer[1 << 16];
    for (std::size_t index = 0; index <= rowBytes.size(); ++index) {
        const bool last = index == rowBytes.size();
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(row.data()));
        stream.avail_in = last ? 0 : static_cast<uInt>(rowBytes[index]);
        do {
            stream.next_out = reinterpret_cast<Bytef*>(buffer);
            stream.avail_out = sizeof buffer;
            deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            out.append(buffer, sizeof buffer - stream.avail_out);
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    const std::string header = bigEndian(static_cast<std::uint32_t>(width), 4) +
                               bigEndian(static_cast<std::uint32_t>(height), 4) +
                               std::string{8, 0, 0, 0, static_cast<char>(interlaced ? 1 : 0)};
    return "\x89PNG\r\n\x1a\n" + pngChunk("IHDR", header) + pngChunk("IDAT", out) + pngChunk("IEND", "");
}

std::string compressedTextChunk(std::size_t inflatedBytes) {
    return pngChunk("zTXt", std::string("Comment\0\0", 9) + compressed(std::string(inflatedBytes, 'a')));
}

std::string webpAfterChunk(const std::string& webpFile, const std::string& name, std::size_t size) {
    const std::string image = webpFile.substr(12);
    std::string body = "WEBPVP8X" + littleEndian(10, 4) + std::string(4, '\0');
    // The canvas, from the lossless image's own header (14 bits a side).
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(image[9 + i])) << (8 * i);
    body += littleEndian(bits & 0x3fff, 3) + littleEndian((bits >> 14) & 0x3fff, 3);
    body += name + littleEndian(static_cast<std::uint32_t>(size), 4) + std::string(size + size % 2, '\0');
    body += image;
    return "RIFF" + littleEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

std::string jpegAfterMarkers(const std::string& jpegFile, int count) {
    const std::string marker = std::string("\xff\xe2\xff\xff") + std::string(65533, 'x');
    std::string file = jpegFile.substr(0, 2);
    file.reserve(jpegFile.size() + marker.size() * static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) file += marker;
    return file + jpegFile.substr(2);
}

std::string plainWebP(int width, int height) {
    // The lossless bit stream, least significant bits first: the signature,
    // the size, no alpha, version 0, no transform, no colour cache, one group
    // of codes, and each of its five codes a single symbol, so that no pixel
    // takes a bit: green 0, red 128, blue 128, alpha 255, distance 0.
    std::vector<bool> bits;
    const auto put = [&bits](std::uint32_t value, int count) {
        for (int bit = 0; bit < count; ++bit) bits.push_back(((value >> bit) & 1) != 0);
    };
    put(0x2f, 8);
    put(static_cast<std::uint32_t>(width - 1), 14);
    put(static_cast<std::uint32_t>(height - 1), 14);
    put(0, 1 + 3 + 1 + 1 + 1);
    for (std::uint32_t symbol : {0u, 128u, 128u, 255u, 0u}) put(1 | 0 << 1 | 1 << 2 | symbol << 3, 11);
    std::string stream((bits.size() + 7) / 8, '\0');
    for (std::size_t bit = 0; bit < bits.size(); ++bit) {
        if (bits[bit]) stream[bit / 8] = static_cast<char>(stream[bit / 8] | (1 << (bit % 8)));
    }
    std::string chunk = "VP8L" + littleEndian(static_cast<std::uint32_t>(stream.size()), 4) + stream;
    if (stream.size() % 2) chunk.push_back('\0');
    return "RIFF" + littleEndian(static_cast<std::uint32_t>(chunk.size() + 4), 4) + "WEBP" + chunk;
}

std::array<int, 3> toSRGB(std::array<int, 3> rgb, const Primaries& primaries, double gamma) {
    std::array<double, 3> linear;
    for (int c = 0; c < 3; ++c) {
        const double v = rgb[c] / 255.0;
        linear[c] = gamma > 0 ? std::pow(v, gamma) : srgbDecoded(v);
    }
    const Matrix from = rgbToXYZ(primaries);
    std::array<double, 3> xyz{};
    for (int row = 0; row < 3; ++row) {
        for (int c = 0; c < 3; ++c) xyz[row] += from[row][c] * linear[c];
    }
    const auto srgbLinear = solve(rgbToXYZ(kSRGBPrimaries), xyz);
    std::array<int, 3> out;
    for (int c = 0; c < 3; ++c) {
        out[c] = static_cast<int>(std::lround(255 * srgbEncoded(std::clamp(srgbLinear[c], 0.0, 1.0))));
    }
    return out;
}

}  // namespace profiledimages
