#pragma once
// Reads the files of an unpacked package without ever following a symbolic link:
// an archive may carry links, and whatever they point at lies outside the
// package. The package is unpacked into a private folder that only this process
// writes to, so a path checked here cannot change before it is read. Stateless.

#include <filesystem>
#include <string>
#include <vector>

#include "Platform/Foundation/Data.h"

namespace lottie::packagefiles {

// The whole file at root/relative. Throws platform::foundation::FileError when it
// is missing or unreadable, when it is not a regular file, and when any part of
// the relative path is a symbolic link. `spareCapacity` as readFile keeps it.
platform::foundation::Data read(const std::filesystem::path& root, const std::filesystem::path& relative,
                                std::size_t spareCapacity = 0);

// The names of the visible (not dot-led) plain files directly in root/relative,
// sorted; empty when that folder is missing, unreadable or reached through a link.
std::vector<std::string> visibleFiles(const std::filesystem::path& root, const std::filesystem::path& relative);

}  // namespace lottie::packagefiles
