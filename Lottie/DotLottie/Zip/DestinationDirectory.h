#pragma once
// The directory an archive is unpacked into, held open by descriptor. Every item
// is created relative to it, one path component at a time, without following
// symbolic links, so nothing an archive names can be written outside it: not
// through "..", not through an absolute name, not through a link placed by an
// earlier entry or already present. Every directory it makes is counted against
// the extraction's budget, when it has one. Owned by the extraction for its
// duration.

#include "Lottie/DotLottie/Zip/EntryPath.h"
#include "Lottie/DotLottie/Zip/FileDescriptor.h"

#include <ctime>
#include <filesystem>
#include <string>

namespace lottie {

class ExtractionBudget;

class DestinationDirectory {
public:
    // Creates the directory (and its parents) when missing, then opens it.
    // Throws std::filesystem::filesystem_error when that fails. Directories made
    // below it later count against `budget` when one is given.
    explicit DestinationDirectory(std::filesystem::path root, ExtractionBudget* budget = nullptr);

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path fullPath(const EntryPath& path) const;

    // A new regular file, opened for writing with owner-only permissions until its
    // own are set. Its parent directories are created as needed. Throws
    // ArchiveFileError::fileWriteFileExists when any item is already there.
    FileDescriptor createFile(const EntryPath& path);

    // The directory at `path`, created with its parents when missing.
    FileDescriptor createDirectory(const EntryPath& path);

    // A symbolic link to `target`, not followed and not checked here.
    void createSymlink(const EntryPath& path, const std::string& target);

    // Sets a link's own modification date; never touches what it points to.
    void setSymlinkModificationTime(const EntryPath& path, std::time_t modified);

    // Removes a file or link this extraction created; errors are ignored, as the
    // caller is already reporting a failure.
    void remove(const EntryPath& path) noexcept;

private:
    // Opens the directory holding the last component, creating missing parents.
    FileDescriptor openParent(const EntryPath& path);
    FileDescriptor openOrCreateChild(int parent, const std::string& name, const EntryPath& path);

    std::filesystem::path root_;
    FileDescriptor rootDescriptor_;
    ExtractionBudget* budget_ = nullptr;
};

}  // namespace lottie
