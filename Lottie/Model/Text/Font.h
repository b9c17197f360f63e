#pragma once
// One font a document's text layers use: the name text documents refer to,
// its family and style, and its ascent. Owned by the document's FontList.

#include <string>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

class Font {
public:
    // The three names are required by both decoders; a missing ascent is 0.
    explicit Font(const Dictionary& dictionary);
    explicit Font(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const;

    std::string name;
    std::string familyName;
    std::string style;
    // 0, no shift of the text, when the document leaves it out.
    double ascent = 0;
};

}  // namespace lottie
