#include "Lottie/Playback/Providers/DefaultFontProvider.h"

namespace lottie {

std::optional<platform::text::Font> DefaultFontProvider::fontNamed(const std::string& family, double size) const {
    return platform::text::Font(family, size);
}

}  // namespace lottie
