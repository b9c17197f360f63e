#include "Lottie/Model/Assets/ImageAsset.h"

#include "Lottie/Model/Assets/DataURLString.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/ImageAsset";

// A path that stays inside whatever folder it is appended to: relative, with
// no component that steps up. Checked on the text, never on the file system,
// so a check cannot race the files it speaks about.
bool staysInside(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) return false;
    std::filesystem::path path{std::string(text)};
    if (path.has_root_path()) return false;
    for (const auto& component : path) {
        if (component == "..") return false;
    }
    return true;
}

}  // namespace

ImageAsset::ImageAsset(const Dictionary& dictionary)
    : name(value<std::string>(dictionary, "p", file, 33)),
      directory(value<std::string>(dictionary, "u", file, 34)),
      width(value<double>(dictionary, "w", file, 35)),
      height(value<double>(dictionary, "h", file, 36)) {
    readIdentifier(dictionary);
}

ImageAsset::ImageAsset(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    name = container.decode<std::string>("p");
    directory = container.decode<std::string>("u");
    width = container.decode<double>("w");
    height = container.decode<double>("h");
    readIdentifier(decoder);
}

void ImageAsset::encode(platform::json::Encoder& encoder) const {
    Asset::encode(encoder);
    auto container = encoder.container();
    container.encode("p", name);
    container.encode("u", directory);
    container.encode("w", width);
    container.encode("h", height);
}

std::optional<platform::foundation::Data> ImageAsset::embeddedData() const { return dataFromDataURLString(name); }

std::optional<std::filesystem::path> ImageAsset::filePath(const std::filesystem::path& folder,
                                                          bool withDirectory) const {
    if (name.empty() || !staysInside(name)) return std::nullopt;
    if (!withDirectory) return folder / name;
    if (!staysInside(directory)) return std::nullopt;
    return folder / directory / name;
}

}  // namespace lottie
