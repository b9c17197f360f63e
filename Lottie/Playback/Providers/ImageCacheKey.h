#pragma once
// What the image cache files an image under: the asset's identifier together with
// the file it names. Two assets that share an identifier but name different files
// (a malformed or merged document) must not be served each other's image.

#include <cstddef>
#include <functional>
#include <string>

#include "Lottie/Model/Assets/ImageAsset.h"
#include "Platform/Graphics/HashCombine.h"

namespace lottie {

struct ImageCacheKey {
    std::string id;
    std::string directory;
    std::string name;

    static ImageCacheKey forAsset(const ImageAsset& asset) { return {asset.id, asset.directory, asset.name}; }

    bool operator==(const ImageCacheKey&) const = default;
};

}  // namespace lottie

template <>
struct std::hash<lottie::ImageCacheKey> {
    std::size_t operator()(const lottie::ImageCacheKey& key) const {
        std::size_t seed = std::hash<std::string>{}(key.id);
        platform::graphics::hashCombine(seed, std::hash<std::string>{}(key.directory));
        platform::graphics::hashCombine(seed, std::hash<std::string>{}(key.name));
        return seed;
    }
};
