#include "Platform/Foundation/Bundle.h"

#include "Platform/Foundation/FileError.h"
#include "Platform/Foundation/Files.h"

#include <string>

namespace platform::foundation {

namespace {

constexpr std::string_view assetsFolder = "Assets";

// Whether a relative name given by a caller stays inside the folder it is joined to.
bool staysInside(std::string_view name) {
    if (name.find('\0') != std::string_view::npos) {
        return false;
    }
    const std::filesystem::path path(name);
    if (path.has_root_path()) {
        return false;
    }
    for (const auto& component : path) {
        if (component == "..") {
            return false;
        }
    }
    return true;
}

std::filesystem::path normalisedFolder(const std::filesystem::path& folder) {
    std::error_code error;
    auto absolute = std::filesystem::absolute(folder, error);
    if (error) {
        absolute = folder;
    }
    auto normal = absolute.lexically_normal();
    // "/a/b/" normalises to "/a/b/" with an empty last component; drop it.
    if (!normal.has_filename() && normal.has_relative_path()) {
        normal = normal.parent_path();
    }
    return normal;
}

}  // namespace

Bundle::Bundle(const std::filesystem::path& folder) : path_(normalisedFolder(folder)) {}

const Bundle& Bundle::main() {
    static const Bundle bundle = [] {
        std::error_code error;
        const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
        if (error || executable.empty()) {
            return Bundle(std::filesystem::current_path(error));
        }
        return Bundle(executable.parent_path());
    }();
    return bundle;
}

std::optional<std::filesystem::path> Bundle::pathForResource(std::string_view name, std::string_view extension,
                                                             std::optional<std::string_view> subdirectory) const {
    if (extension.starts_with('.')) {
        extension.remove_prefix(1);
    }
    if (name.empty() || !staysInside(name) || extension.find('/') != std::string_view::npos ||
        extension.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    std::string fileName(name);
    if (!extension.empty()) {
        fileName += '.';
        fileName += extension;
    }
    auto path = path_;
    if (subdirectory && !subdirectory->empty()) {
        if (!staysInside(*subdirectory)) {
            return std::nullopt;
        }
        path /= *subdirectory;
    }
    path /= fileName;
    if (!fileExists(path)) {
        return std::nullopt;
    }
    return path.lexically_normal();
}

std::optional<Data> Bundle::dataAsset(std::string_view name) const {
    if (name.empty() || !staysInside(name)) {
        return std::nullopt;
    }
    const auto path = path_ / assetsFolder / name;
    if (!fileExists(path)) {
        return std::nullopt;
    }
    try {
        return readFile(path);
    } catch (const FileError&) {
        return std::nullopt;
    }
}

}  // namespace platform::foundation
