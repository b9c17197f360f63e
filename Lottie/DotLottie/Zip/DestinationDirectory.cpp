#include "Lottie/DotLottie/Zip/DestinationDirectory.h"

#include "Lottie/DotLottie/Zip/ArchiveFileError.h"
#include "Lottie/DotLottie/Zip/ExtractionBudget.h"
#include "Lottie/DotLottie/Zip/PrintableText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace lottie {

namespace {

bool isSymlinkAt(int directory, const std::string& name)
{
    struct stat status {};
    return fstatat(directory, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode);
}

}  // namespace

DestinationDirectory::DestinationDirectory(std::filesystem::path root, ExtractionBudget* budget)
    : root_(std::move(root)), budget_(budget)
{
    std::filesystem::create_directories(root_);
    rootDescriptor_ = FileDescriptor(::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!rootDescriptor_.valid()) {
        throwFilesystemError("cannot open the destination directory", root_, errno);
    }
}

std::filesystem::path DestinationDirectory::fullPath(const EntryPath& path) const
{
    std::filesystem::path full = root_;
    for (const std::string& component : path.components()) {
        full /= component;
    }
    return full;
}

FileDescriptor DestinationDirectory::openOrCreateChild(int parent, const std::string& name, const EntryPath& path)
{
    if (mkdirat(parent, name.c_str(), 0777) == 0) {
        if (budget_ != nullptr) {
            budget_->addDirectory(path.text());
        }
    } else if (errno != EEXIST) {
        throwFilesystemError("cannot create a directory", fullPath(path), errno);
    }
    FileDescriptor child(openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!child.valid()) {
        const int error = errno;
        if (error == ELOOP || isSymlinkAt(parent, name)) {
            throw ArchiveFileError(ArchiveFileError::Code::fileReadInvalidFileName, fullPath(path),
                                   "the path passes through the symbolic link \"" + name + "\"");
        }
        throwFilesystemError("cannot open a directory", fullPath(path), error);
    }
    return child;
}

FileDescriptor DestinationDirectory::openParent(const EntryPath& path)
{
    FileDescriptor current(fcntl(rootDescriptor_.get(), F_DUPFD_CLOEXEC, 0));
    if (!current.valid()) {
        throwFilesystemError("cannot open the destination directory", root_, errno);
    }
    const auto& components = path.components();
    for (std::size_t i = 0; i + 1 < components.size(); ++i) {
        current = openOrCreateChild(current.get(), components[i], path);
    }
    return current;
}

FileDescriptor DestinationDirectory::createFile(const EntryPath& path)
{
    if (path.isRoot()) {
        throw ArchiveFileError(ArchiveFileError::Code::fileWriteFileExists, root_);
    }
    FileDescriptor parent = openParent(path);
    const std::string& name = path.components().back();
    FileDescriptor file(openat(parent.get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!file.valid()) {
        if (errno == EEXIST) {
            throw ArchiveFileError(ArchiveFileError::Code::fileWriteFileExists, fullPath(path));
        }
        throw ArchiveFileError(ArchiveFileError::Code::fileNoSuchFile, std::nullopt,
                               fullPath(path).string() + ": " + std::generic_category().message(errno));
    }
    return file;
}

FileDescriptor DestinationDirectory::createDirectory(const EntryPath& path)
{
    if (path.isRoot()) {
        FileDescriptor root(fcntl(rootDescriptor_.get(), F_DUPFD_CLOEXEC, 0));
        if (!root.valid()) {
            throwFilesystemError("cannot open the destination directory", root_, errno);
        }
        return root;
    }
    FileDescriptor parent = openParent(path);
    return openOrCreateChild(parent.get(), path.components().back(), path);
}

void DestinationDirectory::createSymlink(const EntryPath& path, const std::string& target)
{
    if (path.isRoot()) {
        throw ArchiveFileError(ArchiveFileError::Code::fileWriteFileExists, root_);
    }
    FileDescriptor parent = openParent(path);
    if (symlinkat(target.c_str(), parent.get(), path.components().back().c_str()) != 0) {
        if (errno == EEXIST) {
            throw ArchiveFileError(ArchiveFileError::Code::fileWriteFileExists, fullPath(path));
        }
        throwFilesystemError("cannot create a symbolic link", fullPath(path), errno);
    }
}

void DestinationDirectory::setSymlinkModificationTime(const EntryPath& path, std::time_t modified)
{
    FileDescriptor parent = openParent(path);
    const timespec times[2] = {{0, UTIME_OMIT}, {modified, 0}};
    if (utimensat(parent.get(), path.components().back().c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
        throwFilesystemError("cannot set the modification date of a symbolic link", fullPath(path), errno);
    }
}

void DestinationDirectory::remove(const EntryPath& path) noexcept
{
    if (path.isRoot()) {
        return;
    }
    try {
        FileDescriptor parent = openParent(path);
        unlinkat(parent.get(), path.components().back().c_str(), 0);
    } catch (...) {
        // Nothing more can be done; the original failure is what the caller reports.
    }
}

}  // namespace lottie
