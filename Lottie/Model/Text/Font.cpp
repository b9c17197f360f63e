#include "Lottie/Model/Text/Font.h"

namespace lottie {

namespace {
constexpr std::string_view file = "Lottie/Font";
}

Font::Font(const Dictionary& dictionary)
    : name(value<std::string>(dictionary, "fName", file, 15)),
      familyName(value<std::string>(dictionary, "fFamily", file, 16)),
      style(value<std::string>(dictionary, "fStyle", file, 17)),
      ascent(optionalValue<double>(dictionary, "ascent", file, 18).value_or(0)) {}

Font::Font(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    name = container.decode<std::string>("fName");
    familyName = container.decode<std::string>("fFamily");
    style = container.decode<std::string>("fStyle");
    ascent = container.decodeIfPresent<double>("ascent").value_or(0);
}

void Font::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("fName", name);
    container.encode("fFamily", familyName);
    container.encode("fStyle", style);
    container.encode("ascent", ascent);
}

}  // namespace lottie
