#pragma once
// Image files that say what colour space their pixels are in, made by the
// tests: ICC profiles built with LittleCMS, PNG files written chunk by chunk
// (with a profile, or gamma, chromaticities and sRGB chunks), JPEG files with
// their profile split over two APP2 markers or more, and WebP files with an
// ICCP chunk. Also the colour science to check a decoder's conversion against,
// worked out here without LittleCMS, and files of few bytes that cost much to
// decode, written by hand. Shared by the decoder tests, the engines'
// tests and the package tests.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace profiledimages {

// CIE xy of the white point and the three primaries.
struct Primaries {
    double whiteX, whiteY, redX, redY, greenX, greenY, blueX, blueY;
};
constexpr Primaries kSRGBPrimaries{0.3127, 0.3290, 0.64, 0.33, 0.30, 0.60, 0.15, 0.06};
// A wide gamut with sRGB's white: its green lies far outside sRGB.
constexpr Primaries kWideGamutPrimaries{0.3127, 0.3290, 0.64, 0.33, 0.21, 0.71, 0.15, 0.06};

// ICC profiles. `gamma` is the display's exponent (2.2 for a common display).
std::string rgbProfile(const Primaries& primaries, double gamma);
std::string greyProfile(double gamma);
// A profile of another kind than the pixels of any image (CIE Lab).
std::string labProfile();
// RGB profiles whose floating-point pipeline (which takes precedence over their
// sRGB primaries) lists one element `copies` times by position: an identity
// matrix, or a set of identity curves of `segments` segments each. Either maps
// RGB straight to CIE XYZ, so colours change when the profile is used; either
// takes a few hundred bytes per thousand copies.
std::string repeatedMatrixProfile(int copies);
std::string repeatedCurvesProfile(int copies, int segments);
// An RGB profile whose floating-point pipeline lists, `copies` times, a matrix
// of 3 to `inputs` channels followed by a lookup table of `inputs` inputs, two
// points a side, and 3 outputs, all zero (every colour becomes black). Its
// bytes are mostly that table, (2 ^ inputs) x 12 of them, and compress to
// little. A table may claim a grid of more points a side than it holds.
std::string widenedTableProfile(int inputs, int copies, int claimedGridSize = 2);
// The profile with `serial` written in its creation date: the same profile to
// the colour library, another one to whatever tells profiles apart by bytes.
std::string distinctCopy(std::string profile, int serial);

// PNG chunks, their length and checksum added. The compressed profile may
// begin with `emptyBlocks` empty deflate blocks, 5 bytes each, which an
// inflater reads and which write nothing.
std::string iccpChunk(const std::string& profile, std::size_t emptyBlocks = 0);
// `encodingGamma` as the chunk holds it: 1 / 2.2 for a display of gamma 2.2.
std::string gamaChunk(double encodingGamma);
std::string chrmChunk(const Primaries& primaries);
std::string srgbChunk();

// Files of width x height pixels given as straight RGBA, four bytes a pixel;
// `grey` keeps only the red of each pixel and no alpha (PNG, JPEG). An empty
// profile embeds none.
std::string png(int width, int height, const std::vector<std::uint8_t>& rgba, bool grey,
                const std::vector<std::string>& chunks);
// A PNG of any colour type and bit depth, from the bytes of its rows as the
// file holds them (each row without its filter byte, which is added), with
// `chunks` (a palette, transparency) before its data, which may begin with
// `emptyBlocks` empty deflate blocks; and one chunk of it.
std::string pngOfType(int width, int height, int colourType, int depth, const std::vector<std::string>& rows,
                      const std::vector<std::string>& chunks, std::size_t emptyBlocks = 0);
std::string pngChunk(const std::string& type, const std::string& data);
// `progressive` writes libjpeg's simple progression of scans.
std::string jpeg(int width, int height, const std::vector<std::uint8_t>& rgba, bool grey, const std::string& profile,
                 bool progressive = false);
// Lossless.
std::string webp(int width, int height, const std::vector<std::uint8_t>& rgba, const std::string& profile);

// Grey images of width x height of one colour, whose bytes grow little with
// their size: a progressive JPEG of `scans` scans that each go over the whole
// image and say nothing (no first scan of its DC values, which libjpeg only
// warns about), a PNG (interlaced in seven passes, or not) and a lossless WebP.
std::string progressiveJPEG(int width, int height, int scans);
std::string plainPNG(int width, int height, bool interlaced = false);
std::string plainWebP(int width, int height);

// What a file may hold besides its pixels: a PNG text chunk compressed from
// `inflatedBytes` letters; a lossless WebP in the extended container with a
// chunk of `size` bytes called `name` before its image; a JPEG with `count`
// APP2 markers of 64 KB that are not a colour profile after its start.
std::string compressedTextChunk(std::size_t inflatedBytes);
std::string webpAfterChunk(const std::string& webpFile, const std::string& name, std::size_t size);
std::string jpegAfterMarkers(const std::string& jpegFile, int count);

// An RGB profile whose A2B0 table is a `type` tag ("mft2", "mAB " or "mBA ")
// of `inputs` inputs, 3 outputs and `gridSize` points a side: the tables a
// profile may hold besides a pipeline of multiple process elements. Only its
// header says how large it is: its curves and points are left out.
std::string tableTagProfile(const std::string& type, int inputs, int gridSize);

// The sRGB value of `rgb` in a space of the given primaries (white D65) and tone
// curve: a power of `gamma`, or sRGB's own curve when `gamma` is 0. Colours
// outside sRGB are clipped.
std::array<int, 3> toSRGB(std::array<int, 3> rgb, const Primaries& primaries, double gamma);

}  // namespace profiledimages
