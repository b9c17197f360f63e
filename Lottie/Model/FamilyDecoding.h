#pragma once
// The keyed-container decoding of a heterogeneous array (layers, shape items,
// effects, effect values, styles): one copy of the array peeks at each
// element's discriminator ("ty"), the other decodes the element as the class
// that code selects. An unreadable discriminator counts as absent and chooses
// the base class, whose own decoding then reports it.

#include <cstddef>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Platform/Json/Decoding.h"

namespace lottie {

// `make(decoder, code)` builds one element from its decoder and its code.
template <class Code, class Make>
auto decodeFamilyElements(platform::json::UnkeyedDecodingContainer peek, Make&& make) {
    using Element = std::invoke_result_t<Make&, const platform::json::Decoder&, std::optional<Code>>;
    auto read = peek;
    std::vector<Element> elements;
    elements.reserve(static_cast<std::size_t>(peek.count()));
    while (!peek.isAtEnd()) {
        auto element = peek.nestedContainer();
        std::optional<Code> code;
        try {
            code = element.decodeIfPresent<Code>(discriminatorKey);
        } catch (const platform::json::DecodingError&) {
        }
        elements.push_back(make(read.superDecoder(), code));
    }
    return elements;
}

// The optional families ("sy", "ef", effect values): nothing, without an
// error, when the key is missing or holds no array.
template <class Code, class Make>
auto decodeOptionalFamily(const platform::json::KeyedDecodingContainer& container, std::string_view key, Make&& make)
    -> std::optional<decltype(decodeFamilyElements<Code>(container.nestedUnkeyedContainer(key), make))> {
    // Looked at before opening, so that the common case of a missing list costs no exception.
    if (!container.contains(key)) return std::nullopt;
    platform::json::Decoder list = container.superDecoder(key);
    if (!list.value().isArray()) return std::nullopt;
    return decodeFamilyElements<Code>(list.unkeyedContainer(), make);
}

}  // namespace lottie
