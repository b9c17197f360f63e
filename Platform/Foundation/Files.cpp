#include "Platform/Foundation/Files.h"

#include "Platform/Foundation/FileError.h"
#include "Platform/Foundation/HugePages.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::foundation {

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

// Closes the descriptor on every way out of readFile.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return descriptor_; }

private:
    int descriptor_;
};

}  // namespace

Data readFile(const std::filesystem::path& path, std::size_t spareCapacity) {
    if (path.empty()) {
        throw FileError(path, std::make_error_code(std::errc::no_such_file_or_directory), "the path is empty");
    }
    // Non-blocking so that opening a pipe with no writer returns at once; the check
    // below then refuses it. Regular files ignore the flag.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        throw FileError(path, lastError());
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        throw FileError(path, lastError());
    }
    if (S_ISDIR(status.st_mode)) {
        throw FileError(path, std::make_error_code(std::errc::is_a_directory), "it is a folder, not a file");
    }
    if (!S_ISREG(status.st_mode)) {
        throw FileError(path, std::make_error_code(std::errc::invalid_argument), "it is not a regular file");
    }

    Data bytes;
    // The size is only a hint: files under /proc report 0 and the file may change
    // while it is read, so reading goes on until the end of the file.
    bytes.reserve(static_cast<std::size_t>(status.st_size) + std::max<std::size_t>(spareCapacity, 1));
    adviseHugePages(bytes.data(), bytes.capacity());
    std::uint8_t buffer[64 * 1024];
    for (;;) {
        const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count == 0) {
            break;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(path, lastError());
        }
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    return bytes;
}

bool fileExists(const std::filesystem::path& path) noexcept {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace platform::foundation
