#pragma once
// What a gradient fill and a gradient stroke share before their own keys:
// opacity ("o"), start and end points ("s", "e"), the gradient type ("t")
// and the optional highlight length and angle ("h", "a"). Held by value
// inside the gradient item that decoded it.

#include <string_view>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Model/ShapeItems/ShapeItemEnumerations.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

struct GradientGeometry {
    // The lines each gradient class reports for a missing "o", "s", "e", "t"
    // and for a "t" that names no gradient type.
    struct ErrorLines {
        unsigned opacity;
        unsigned startPoint;
        unsigned endPoint;
        unsigned type;
        unsigned unknownType;
    };

    KeyframeGroupPtr<LottieVector1D> opacity;
    KeyframeGroupPtr<LottieVector3D> startPoint;
    KeyframeGroupPtr<LottieVector3D> endPoint;
    GradientType gradientType = GradientType::linear;
    // Null when the document has none.
    KeyframeGroupPtr<LottieVector1D> highlightLength;
    KeyframeGroupPtr<LottieVector1D> highlightAngle;

    // Reads the keys from the item dictionary in the order above.
    static GradientGeometry fromItem(const Dictionary& item, std::string_view file, ErrorLines lines);
    // Decodes the keys from the item's container in the order above.
    static GradientGeometry decodeFromItem(const platform::json::KeyedDecodingContainer& item);
    // Writes the keys into the item's container in the order above.
    void encodeIntoItem(platform::json::KeyedEncodingContainer& item) const;

    bool operator==(const GradientGeometry& other) const;
};

}  // namespace lottie
