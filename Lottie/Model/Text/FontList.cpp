#include "Lottie/Model/Text/FontList.h"

namespace lottie {

FontList::FontList(const Dictionary& dictionary) {
    DictionaryArray list = value<DictionaryArray>(dictionary, "list", "Lottie/Font", 47);
    fonts.reserve(list.size());
    for (const Dictionary* font : list) fonts.push_back(std::make_shared<const Font>(*font));
}

FontList::FontList(const platform::json::Decoder& decoder)
    : fonts(decoder.container().decode<std::vector<std::shared_ptr<const Font>>>("list")) {}

void FontList::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("list", fonts);
}

}  // namespace lottie
