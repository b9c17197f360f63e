#include "Lottie/Model/Text/TextLayerModel.h"

namespace lottie {

namespace {
constexpr std::string_view file = "Lottie/TextLayerModel";
}

TextLayerModel::TextLayerModel(const Dictionary& dictionary) : TextLayerModel(read(dictionary), dictionary) {}
TextLayerModel::TextLayerModel(const platform::json::Decoder& decoder) : TextLayerModel(read(decoder), decoder) {}

TextLayerModel::TextLayerModel(OwnKeys keys, const Dictionary& dictionary)
    : LayerModel(dictionary), text(std::move(keys.text)), animators(std::move(keys.animators)) {}
TextLayerModel::TextLayerModel(OwnKeys keys, const platform::json::Decoder& decoder)
    : LayerModel(decoder), text(std::move(keys.text)), animators(std::move(keys.animators)) {}

TextLayerModel::OwnKeys TextLayerModel::read(const Dictionary& dictionary) {
    DictionaryRef textGroup = value<DictionaryRef>(dictionary, "t", file, 24);
    OwnKeys keys;
    keys.text = std::make_shared<const KeyframeGroup<TextDocument>>(*value<DictionaryRef>(*textGroup, "d", file, 25));
    DictionaryArray animatorDictionaries = value<DictionaryArray>(*textGroup, "a", file, 27);
    keys.animators.reserve(animatorDictionaries.size());
    for (const Dictionary* animator : animatorDictionaries) {
        keys.animators.push_back(std::make_shared<const TextAnimator>(*animator));
    }
    return keys;
}

TextLayerModel::OwnKeys TextLayerModel::read(const platform::json::Decoder& decoder) {
    auto textGroup = decoder.container().nestedContainer("t");
    OwnKeys keys;
    keys.text = textGroup.decode<KeyframeGroupPtr<TextDocument>>("d");
    keys.animators = textGroup.decode<std::vector<std::shared_ptr<const TextAnimator>>>("a");
    return keys;
}

void TextLayerModel::encode(platform::json::Encoder& encoder) const {
    LayerModel::encode(encoder);
    auto container = encoder.container();
    auto textGroup = container.nestedContainer("t");
    textGroup.encode("d", text);
    textGroup.encode("a", animators);
}

}  // namespace lottie
