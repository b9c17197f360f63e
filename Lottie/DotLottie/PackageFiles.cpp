#include "Lottie/DotLottie/PackageFiles.h"

#include <algorithm>
#include <system_error>

#include "Platform/Foundation/FileError.h"
#include "Platform/Foundation/Files.h"

namespace lottie::packagefiles {

namespace {

namespace fs = std::filesystem;

// Whether every component of `relative` below `root` exists and none is a link.
bool walksWithoutLinks(const fs::path& root, const fs::path& relative, fs::path& reached) {
    reached = root;
    for (const fs::path& component : relative) {
        reached /= component;
        std::error_code error;
        if (fs::is_symlink(fs::symlink_status(reached, error))) return false;
    }
    return true;
}

}  // namespace

platform::foundation::Data read(const fs::path& root, const fs::path& relative, std::size_t spareCapacity) {
    fs::path path;
    if (!walksWithoutLinks(root, relative, path)) {
        throw platform::foundation::FileError(path, std::make_error_code(std::errc::too_many_symbolic_link_levels),
                                              "a package may not lead outside itself through a symbolic link");
    }
    return platform::foundation::readFile(root / relative, spareCapacity);
}

std::vector<std::string> visibleFiles(const fs::path& root, const fs::path& relative) {
    std::vector<std::string> names;
    fs::path folder;
    std::error_code error;
    if (!walksWithoutLinks(root, relative, folder) || !fs::is_directory(fs::symlink_status(folder, error))) return names;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.') continue;
        std::error_code statusError;
        if (!fs::is_regular_file(it->symlink_status(statusError))) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace lottie::packagefiles
