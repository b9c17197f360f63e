#pragma once
// Whole-file access for the loaders (animations by file path, bundle resources,
// data assets, images next to an animation). Stateless; safe from any thread.

#include "Platform/Foundation/Data.h"

#include <filesystem>

namespace platform::foundation {

// The whole contents of a regular file (symbolic links followed). Throws FileError
// naming the path and the reason when it cannot be opened or read, and for anything
// that is not a regular file: a directory, and also a pipe or a device, which could
// block or never end. `spareCapacity` bytes of room are kept after the
// contents (the JSON parser reads its text where it lies when it may read
// past its end), so that a file as large as it says is held once.
Data readFile(const std::filesystem::path& path, std::size_t spareCapacity = 0);

// Whether the path names a regular file (symbolic links followed), that is, something
// readFile can be asked for. Directories and missing paths give false; never throws.
bool fileExists(const std::filesystem::path& path) noexcept;

}  // namespace platform::foundation
