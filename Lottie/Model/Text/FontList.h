#pragma once
// The fonts a document declares (its "fonts" object, whose "list" holds
// them). Owned by the LottieAnimation; text renderers look fonts up by name.

#include <memory>
#include <vector>

#include "Lottie/Model/Text/Font.h"

namespace lottie {

class FontList {
public:
    FontList() = default;
    // "list" is required; its errors are reported under the font's file.
    explicit FontList(const Dictionary& dictionary);
    explicit FontList(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const;

    std::vector<std::shared_ptr<const Font>> fonts;
};

}  // namespace lottie
