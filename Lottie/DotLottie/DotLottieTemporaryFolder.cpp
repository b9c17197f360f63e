#include "Lottie/DotLottie/DotLottieTemporaryFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <set>
#include <system_error>
#include <vector>

#include "Lottie/DotLottie/Zip/FileDescriptor.h"
#include "Lottie/DotLottie/Zip/PrintableText.h"
#include "Lottie/Playback/LottieLogger.h"

namespace lottie {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view namePrefix = "dotlottie-";

int openDirectoryAt(int parent, const char* name) {
    return ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// The next child of the open directory that is not among `skipped`, if any.
std::optional<std::string> nextChild(int directory, const std::set<std::string>& skipped) {
    const int listing = ::fcntl(directory, F_DUPFD_CLOEXEC, 0);
    if (listing < 0) return std::nullopt;
    DIR* stream = ::fdopendir(listing);
    if (!stream) {
        ::close(listing);
        return std::nullopt;
    }
    ::rewinddir(stream);
    std::optional<std::string> found;
    while (const dirent* item = ::readdir(stream)) {
        const std::string name = item->d_name;
        if (name == "." || name == ".." || skipped.count(name)) continue;
        found = name;
        break;
    }
    ::closedir(stream);
    return found;
}

// The process id a folder name of this class carries, if it has that form.
std::optional<pid_t> processOfName(const std::string& name) {
    if (!name.starts_with(namePrefix)) return std::nullopt;
    const std::string rest = name.substr(namePrefix.size());
    const auto dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || rest.size() - dash - 1 != 6) return std::nullopt;
    pid_t pid = 0;
    for (std::size_t i = 0; i < dash; ++i) {
        if (rest[i] < '0' || rest[i] > '9' || pid > 100'000'000) return std::nullopt;
        pid = pid * 10 + (rest[i] - '0');
    }
    return pid;
}

// Whether a process of that id may still run: only a clear "no such process"
// counts as gone, so that a process this one may not signal is kept.
bool processIsGone(pid_t pid) { return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH; }

}  // namespace

DotLottieTemporaryFolder::DotLottieTemporaryFolder(const fs::path& parent) {
    removeLeftovers(parent);
    std::string pattern = (parent / (std::string(namePrefix) + std::to_string(::getpid()) + "-XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    // mkdtemp makes the folder with mode 0700 under a name no one could have
    // guessed or prepared beforehand.
    if (!::mkdtemp(buffer.data())) {
        throw fs::filesystem_error("cannot make a private folder to unpack the package in", parent,
                                   std::error_code(errno, std::generic_category()));
    }
    path_ = buffer.data();
}

DotLottieTemporaryFolder::~DotLottieTemporaryFolder() {
    const Removal removal = removeTree(path_);
    if (removal.complete()) return;
    LottieLogger::shared()->warn(
        [removal] {
            return "Could not remove " + std::to_string(removal.itemsLeft) +
                   " unpacked item(s) of a dotLottie package, first \"" + printableText(removal.firstLeft.string()) +
                   "\": " + removal.reason;
        },
        "Lottie/DotLottieTemporaryFolder", __LINE__);
}

DotLottieTemporaryFolder::Removal DotLottieTemporaryFolder::removeTree(const fs::path& root) {
    Removal removal;
    auto failed = [&removal](const fs::path& path, int error) {
        if (removal.itemsLeft++ == 0) {
            removal.firstLeft = path;
            removal.reason = std::generic_category().message(error);
        }
    };
    FileDescriptor current(openDirectoryAt(AT_FDCWD, root.c_str()));
    if (!current.valid()) {
        const int error = errno;
        if (error == ENOENT) return removal;
        if ((error == ENOTDIR || error == ELOOP) && ::unlink(root.c_str()) == 0) return removal;
        // A directory that cannot even be opened may only lack its permissions.
        if (error != EACCES || ::chmod(root.c_str(), 0700) != 0) {
            failed(root, error);
            return removal;
        }
        current = FileDescriptor(openDirectoryAt(AT_FDCWD, root.c_str()));
        if (!current.valid()) {
            failed(root, errno);
            return removal;
        }
    }
    // The walk holds one descriptor at a time and climbs back through "..", so
    // that neither the depth of the tree nor the length of its paths matters. Each
    // level remembers the children it could not remove, so that it never returns
    // to them.
    struct Level {
        std::string name;
        std::set<std::string> skipped;
    };
    std::vector<Level> levels{{}};
    fs::path where = root;
    ::fchmod(current.get(), 0700);
    while (true) {
        if (auto child = nextChild(current.get(), levels.back().skipped)) {
            struct stat status {};
            if (::fstatat(current.get(), child->c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(status.st_mode)) {
                ::fchmodat(current.get(), child->c_str(), 0700, 0);
                const int opened = openDirectoryAt(current.get(), child->c_str());
                if (opened < 0) {
                    failed(where / *child, errno);
                    levels.back().skipped.insert(*child);
                    continue;
                }
                current = FileDescriptor(opened);
                levels.push_back({*child, {}});
                where /= *child;
                continue;
            }
            if (::unlinkat(current.get(), child->c_str(), 0) != 0) {
                failed(where / *child, errno);
                levels.back().skipped.insert(*child);
            }
            continue;
        }
        if (levels.size() == 1) break;
        // This directory holds nothing more that can go: climb and remove it.
        const int parent = openDirectoryAt(current.get(), "..");
        const std::string name = levels.back().name;
        const bool emptied = levels.back().skipped.empty();
        levels.pop_back();
        where = where.parent_path();
        if (parent < 0) {
            failed(where, errno);
            return removal;
        }
        current = FileDescriptor(parent);
        if (!emptied || ::unlinkat(current.get(), name.c_str(), AT_REMOVEDIR) != 0) {
            if (emptied) failed(where / name, errno);
            levels.back().skipped.insert(name);
        }
    }
    current.reset();
    if (levels.back().skipped.empty() && ::rmdir(root.c_str()) != 0 && errno != ENOENT) failed(root, errno);
    return removal;
}

void DotLottieTemporaryFolder::removeLeftovers(const fs::path& parent) {
    std::error_code error;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(parent, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const auto pid = processOfName(name);
        if (!pid) continue;
        struct stat status {};
        if (::lstat(it->path().c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::geteuid()) {
            continue;
        }
        std::error_code timeError;
        const auto changed = fs::last_write_time(it->path(), timeError);
        if (timeError || now - changed < leftoverAge || !processIsGone(*pid)) continue;
        removeTree(it->path());
    }
}

}  // namespace lottie
