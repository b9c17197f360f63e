#pragma once
// A folder of resources standing in for the platform's application bundle: the
// loaders find animations in it by name and read named data assets from it. A small
// value; copies name the same folder.
//
// Layout on disk:
//   <bundle>/<subdirectory>/<name>.<extension>   a resource (pathForResource)
//   <bundle>/Assets/<name>                        a data asset, the whole file is its
//                                                 bytes; a name may hold folders
//                                                 ("animations/intro")
// Names, extensions and subdirectories are relative to the bundle: an absolute one,
// or one with a ".." component, could leave the bundle and is refused (no result),
// as is one holding a NUL character. An extension may hold no "/". Only regular
// files (symbolic links followed) are found; a folder of that name is not.
//
// Which platform type each part stands for:
//   Bundle               the platform bundle class
//   dataAsset            the platform's named data asset

#include "Platform/Foundation/Data.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform::foundation {

class Bundle {
public:
    // The folder is made absolute and normalised (no trailing separator), so that
    // bundlePath(), which the loaders put in their cache keys, is stable.
    explicit Bundle(const std::filesystem::path& folder);

    // The folder holding the running executable (the current folder if the system
    // cannot say).
    static const Bundle& main();

    const std::filesystem::path& bundlePath() const noexcept { return path_; }

    // The file <subdirectory>/<name>.<extension> under the bundle if it exists. The
    // extension may be given with or without its dot; when empty, `name` is used as
    // it is. An empty subdirectory means the bundle folder itself.
    std::optional<std::filesystem::path> pathForResource(std::string_view name, std::string_view extension,
                                                         std::optional<std::string_view> subdirectory = {}) const;

    // The bytes of the data asset of that name; nothing when there is none, when it
    // cannot be read, or when the name is refused.
    std::optional<Data> dataAsset(std::string_view name) const;

    bool operator==(const Bundle&) const = default;

private:
    std::filesystem::path path_;
};

}  // namespace platform::foundation
