#pragma once
// Every asset of a document by identifier, and the image and precomposition
// assets apart. Owned by the LottieAnimation; engines and image providers
// look assets up here. An asset object is shared by `assets` and the map of
// its kind; a later asset with the same identifier replaces an earlier one in
// both maps it belongs to (so an earlier asset of the other kind stays in its
// own kind's map).

#include <memory>
#include <string>
#include <map>
#include <vector>

#include "Lottie/Model/Assets/ImageAsset.h"
#include "Lottie/Model/Assets/PrecompAsset.h"

namespace lottie {

class AssetLibrary {
public:
    AssetLibrary() = default;
    // The document's "assets" value, which must be an array of dictionaries.
    // A malformed image asset is skipped; a malformed precomposition fails.
    explicit AssetLibrary(const platform::json::Value& json);
    // Never fails on an element: a malformed precomposition is read as an
    // image asset if it can be, and skipped otherwise.
    explicit AssetLibrary(const platform::json::Decoder& decoder);

    // One array of the assets in document order, each through its own class.
    void encode(platform::json::Encoder& encoder) const;

    std::map<std::string, std::shared_ptr<const Asset>> assets;
    std::map<std::string, std::shared_ptr<const ImageAsset>> imageAssets;
    std::map<std::string, std::shared_ptr<const PrecompAsset>> precompAssets;

private:
    void insert(std::shared_ptr<const ImageAsset> asset);
    void insert(std::shared_ptr<const PrecompAsset> asset);

    // Every asset in the order the document gave them, for encoding; the
    // maps decide which of them are still reachable.
    std::vector<std::shared_ptr<const Asset>> documentOrder_;
};

}  // namespace lottie
