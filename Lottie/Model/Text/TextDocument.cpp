#include "Lottie/Model/Text/TextDocument.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/TextDocument";

// A value read by the untyped reader of its type, or nothing when it can't be.
template <class T>
std::optional<T> readSilently(const Dictionary& dictionary, std::string_view key) {
    const platform::json::Value* found = dictionary.find(key);
    if (!found) return std::nullopt;
    try {
        return T::fromAny(*found);
    } catch (const InitializableError&) {
        return std::nullopt;
    }
}

// The line height of a document that gives none: the usual automatic leading
// of 120 % of the font size, so that the lines of a text stand apart as a
// typesetter would place them rather than on top of each other.
double defaultLineHeight(double fontSize) { return fontSize * 1.2; }

}  // namespace

TextDocument::TextDocument(const Dictionary& dictionary) {
    text = value<std::string>(dictionary, "t", file, 27);
    fontSize = value<double>(dictionary, "s", file, 28);
    fontFamily = value<std::string>(dictionary, "f", file, 29);
    auto code = value<std::int64_t>(dictionary, "j", file, 30);
    auto alignment = textJustificationFromCode(code);
    if (!alignment) throw InitializableError::invalidInput(file, 32).at(dictionary, "j", "unknown code");
    justification = *alignment;
    tracking = optionalValue<std::int64_t>(dictionary, "tr", file, 35).value_or(0);
    lineHeight = optionalValue<double>(dictionary, "lh", file, 36).value_or(defaultLineHeight(fontSize));
    baseline = optionalValue<double>(dictionary, "ls", file, 37);
    fillColorData = readSilently<LottieColor>(dictionary, "fc");
    strokeColorData = readSilently<LottieColor>(dictionary, "sc");
    strokeWidth = inlineValue<double>(dictionary, "sw");
    strokeOverFill = inlineValue<bool>(dictionary, "of");
    textFramePosition = readSilently<LottieVector3D>(dictionary, "ps");
    textFrameSize = readSilently<LottieVector3D>(dictionary, "sz");
}

TextDocument::TextDocument(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    text = container.decode<std::string>("t");
    fontSize = container.decode<double>("s");
    fontFamily = container.decode<std::string>("f");
    auto code = container.decode<std::int64_t>("j");
    auto alignment = textJustificationFromCode(code);
    if (!alignment) {
        throw platform::json::DecodingError::dataCorrupted(
            platform::json::appending(container.codingPath(), platform::json::CodingKey::named("j")),
            "Cannot initialize TextJustification from invalid Int value " + std::to_string(code));
    }
    justification = *alignment;
    tracking = container.decodeIfPresent<std::int64_t>("tr").value_or(0);
    lineHeight = container.decodeIfPresent<double>("lh").value_or(defaultLineHeight(fontSize));
    baseline = container.decodeIfPresent<double>("ls");
    fillColorData = container.decodeIfPresent<LottieColor>("fc");
    strokeColorData = container.decodeIfPresent<LottieColor>("sc");
    strokeWidth = container.decodeIfPresent<double>("sw");
    strokeOverFill = container.decodeIfPresent<bool>("of");
    textFramePosition = container.decodeIfPresent<LottieVector3D>("ps");
    textFrameSize = container.decodeIfPresent<LottieVector3D>("sz");
}

TextDocument TextDocument::fromAny(const platform::json::Value& json) {
    if (!json.isObject()) throw InitializableError::invalidInput(file, 64);
    return TextDocument(json);
}

void TextDocument::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("t", text);
    container.encode("s", fontSize);
    container.encode("f", fontFamily);
    container.encode("j", static_cast<int>(justification));
    container.encode("tr", tracking);
    container.encode("lh", lineHeight);
    container.encodeIfPresent("ls", baseline);
    container.encodeIfPresent("fc", fillColorData);
    container.encodeIfPresent("sc", strokeColorData);
    container.encodeIfPresent("sw", strokeWidth);
    container.encodeIfPresent("of", strokeOverFill);
    container.encodeIfPresent("ps", textFramePosition);
    container.encodeIfPresent("sz", textFrameSize);
}

}  // namespace lottie
