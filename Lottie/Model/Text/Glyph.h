#pragma once
// The outline of one character of one font at one size, for documents that
// draw text from shapes rather than from installed fonts. Owned by the
// LottieAnimation's glyph list.

#include <string>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

class Glyph {
public:
    // The five metric keys are required; an unusable "data" outline is no
    // outline (empty shapes), never an error.
    explicit Glyph(const Dictionary& dictionary);
    explicit Glyph(const platform::json::Decoder& decoder);

    // The metrics, then the outline as {"data": {"shapes": [...]}}.
    void encode(platform::json::Encoder& encoder) const;

    std::string character;
    double fontSize = 0;
    std::string fontFamily;
    std::string fontStyle;
    // The advance width.
    double width = 0;
    ShapeItemList shapes;
};

}  // namespace lottie
