#pragma once
// One keyframe value of a text layer's text: the string with its font, size,
// alignment, spacing, colours, stroke and text box. A plain value held inside
// the layer's keyframe group; between keyframes the document does not blend
// but switches, on the end keyframe exactly.

#include <cstdint>
#include <optional>
#include <string>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Model/Text/TextJustification.h"
#include "Lottie/Values/Interpolatable.h"
#include "Lottie/Values/LottieColor.h"
#include "Lottie/Values/LottieVector3D.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

struct TextDocument {
    TextDocument() = default;
    // The four required keys throw; a missing tracking is 0 and a missing
    // line height 1.2 times the font size. Unreadable colours, stroke and
    // text box are left out silently, an unreadable baseline shift throws.
    explicit TextDocument(const Dictionary& dictionary);
    // Every present value must decode.
    explicit TextDocument(const platform::json::Decoder& decoder);

    // The keyframe reader's entry: only a dictionary is a text document.
    static TextDocument fromAny(const platform::json::Value& json);

    // The required keys with tracking and line height, then each optional one that is present.
    void encode(platform::json::Encoder& encoder) const;

    bool operator==(const TextDocument&) const = default;

    std::string text;
    double fontSize = 0;
    // The font's name in the document's font list.
    std::string fontFamily;
    TextJustification justification = TextJustification::left;
    // Letter spacing, in thousandths of the font size.
    std::int64_t tracking = 0;
    double lineHeight = 0;
    std::optional<double> baseline;
    std::optional<LottieColor> fillColorData;
    std::optional<LottieColor> strokeColorData;
    std::optional<double> strokeWidth;
    std::optional<bool> strokeOverFill;
    std::optional<LottieVector3D> textFramePosition;
    std::optional<LottieVector3D> textFrameSize;
};

template <>
struct Interpolation<TextDocument> {
    static TextDocument interpolate(const TextDocument& from, const TextDocument& to, double amount) {
        return amount == 1.0 ? to : from;
    }
};

}  // namespace lottie
