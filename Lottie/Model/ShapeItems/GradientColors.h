#pragma once
// The colour stops of a gradient item, the JSON object "g": how many stops
// there are ("p") and their animated flat list of numbers ("k"). Held by
// value inside the gradient fill or stroke that decoded it.

#include <string_view>
#include <vector>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Model/KeyframeGroupReading.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

struct GradientColors {
    // The lines each gradient class reports for "g", "k" and "p".
    struct ErrorLines {
        unsigned object;
        unsigned colors;
        unsigned count;
    };

    int numberOfColors = 0;
    KeyframeGroupPtr<std::vector<double>> colors;

    // Reads "g" of the item dictionary, "k" before "p".
    static GradientColors fromItem(const Dictionary& item, std::string_view file, ErrorLines lines);
    // Decodes "g" of the item's container, "k" before "p".
    static GradientColors decodeFromItem(const platform::json::KeyedDecodingContainer& item);
    // Writes "g" into the item's container, "p" before "k".
    void encodeIntoItem(platform::json::KeyedEncodingContainer& item) const;

    bool operator==(const GradientColors& other) const;
};

}  // namespace lottie
