#pragma once
// The font provider animation layers and views use when the caller gives none: the
// installed font of that name at that size, or the system's fallback face when no
// font carries the name. Stateless; shared freely.

#include "Lottie/Playback/Providers/AnimationFontProvider.h"

namespace lottie {

class DefaultFontProvider final : public AnimationFontProvider {
public:
    std::optional<platform::text::Font> fontNamed(const std::string& family, double size) const override;
};

}  // namespace lottie
