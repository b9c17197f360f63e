#pragma once
// Packages built by the tests, in memory: any set of entries (files, folders,
// links) zipped by the ZIP tests' own writer, with small animation documents and
// PNG images made on the spot.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Platform/Foundation/Data.h"
#include "tests/Lottie/DotLottie/Zip/TestZipWriter.h"

namespace packagetest {

// A document of 60 frames at 30 frames per second, width x height, without layers.
std::string animationJson(int width = 100, int height = 100);

// A document width x height whose one image layer shows the asset "image" of
// that size, named `imageName` (a file name or a data URL), over the whole frame.
std::string imageAnimationJson(const std::string& imageName, int width, int height);

// PNG bytes of a width x height image of one straight RGBA colour (0xRRGGBBAA).
std::string pngOf(int width, int height, std::uint32_t rgba);

// A manifest listing the ids, with an optional version.
std::string manifestJson(const std::vector<std::string>& ids, const std::string& version = "");

// The entries zipped, deflated unless `stored`.
platform::foundation::Data zipped(const std::vector<ziptest::TestEntry>& entries, bool stored = false);

// A version 2 package ("a/" for animations) of one animation per id.
platform::foundation::Data packageOf(const std::vector<std::string>& ids);

// Every path found under the folder (files, folders and links), relative to it.
std::vector<std::string> leftovers(const std::filesystem::path& folder);

}  // namespace packagetest
