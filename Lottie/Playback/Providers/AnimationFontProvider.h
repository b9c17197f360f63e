#pragma once
// Supplies the font for a font family named by an animation, at a size. Held by the
// animation layer (shared with its views) and handed to the rendering engine, which
// asks on the main thread.

#include <optional>
#include <string>

#include "Platform/Text/Font.h"

namespace lottie {

class AnimationFontProvider {
public:
    virtual ~AnimationFontProvider() = default;

    virtual std::optional<platform::text::Font> fontNamed(const std::string& family, double size) const = 0;
};

}  // namespace lottie
