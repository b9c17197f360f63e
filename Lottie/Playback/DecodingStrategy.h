#pragma once
// Which JSON decoder the loaders use: the keyed-container decoder, or the
// platform object parser followed by the dictionary decoder (the default).

namespace lottie {

enum class DecodingStrategy { legacyCodable, dictionaryBased };

}  // namespace lottie
