#include "Lottie/Model/ShapeItems/GradientColors.h"

#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"

namespace lottie {

GradientColors GradientColors::fromItem(const Dictionary& item, std::string_view file, ErrorLines lines) {
    DictionaryRef gradient = value<DictionaryRef>(item, "g", file, lines.object);
    GradientColors result;
    result.colors = requiredGroup<std::vector<double>>(*gradient, "k", file, lines.colors);
    result.numberOfColors = value<int>(*gradient, "p", file, lines.count);
    return result;
}

GradientColors GradientColors::decodeFromItem(const platform::json::KeyedDecodingContainer& item) {
    auto gradient = item.nestedContainer("g");
    GradientColors result;
    result.colors = decodeGroup<std::vector<double>>(gradient, "k");
    result.numberOfColors = gradient.decode<int>("p");
    return result;
}

void GradientColors::encodeIntoItem(platform::json::KeyedEncodingContainer& item) const {
    auto gradient = item.nestedContainer("g");
    gradient.encode("p", numberOfColors);
    gradient.encode("k", colors);
}

bool GradientColors::operator==(const GradientColors& other) const {
    return numberOfColors == other.numberOfColors && sameGroup(colors, other.colors);
}

}  // namespace lottie
