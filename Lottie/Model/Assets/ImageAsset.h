#pragma once
// A bitmap the document's image layers show: a file named by `name` in
// `directory`, or, when `name` is a data URL, the image embedded in the
// document. Owned by the AssetLibrary; image providers resolve it.

#include <filesystem>
#include <optional>
#include <string>

#include "Lottie/Model/Assets/Asset.h"
#include "Platform/Foundation/Data.h"

namespace lottie {

class ImageAsset : public Asset {
public:
    explicit ImageAsset(const Dictionary& dictionary);
    explicit ImageAsset(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    // The bytes of an embedded image; nothing when `name` is no usable data URL.
    std::optional<platform::foundation::Data> embeddedData() const;

    // Where the image file lies below `folder`: folder/directory/name, or
    // folder/name when `withDirectory` is false. A document must not make the
    // viewer read files elsewhere, so a name or directory that is absolute,
    // climbs out through "..", or holds a NUL byte gives nothing, and so does
    // an empty name.
    std::optional<std::filesystem::path> filePath(const std::filesystem::path& folder, bool withDirectory = true) const;

    // The file name, or a whole data URL.
    std::string name;
    std::string directory;
    double width = 0;
    double height = 0;
};

}  // namespace lottie
