#pragma once
// A resource of the document that layers point to by identifier: the base of
// image and precomposition assets. Owned by the document's AssetLibrary and
// shared, immutable, with whatever engine looks it up.

#include <string>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

class Asset {
public:
    explicit Asset(const Dictionary& dictionary) { readIdentifier(dictionary); }
    explicit Asset(const platform::json::Decoder& decoder) { readIdentifier(decoder); }
    virtual ~Asset() = default;

    virtual void encode(platform::json::Encoder& encoder) const;

    // The identifier layers use as their reference. Documents write it as text
    // or as an integer; an integer becomes its decimal text.
    std::string id;

protected:
    // Subclasses read their own keys first, so that the first failing key
    // they report is their own, and then the identifier.
    Asset() = default;
    void readIdentifier(const Dictionary& dictionary);
    void readIdentifier(const platform::json::Decoder& decoder);
};

}  // namespace lottie
