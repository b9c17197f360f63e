#pragma once
// Small colour conversions that both engines share: the red, green and blue
// of a hex colour text (solid layers), the red, green and blue of a platform
// colour's components (text layers), and a layer blend mode's compositing
// filter name. None of them fails.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "Lottie/Model/Layers/LayerEnumerations.h"

namespace lottie {

using RgbComponents = std::array<double, 3>;

// "#FF8000" or "ff8000" (surrounding white space ignored) to (1, 128/255, 0);
// anything that is not six characters after an optional "#" is black, and
// characters that are not hex digits end the number where they start.
RgbComponents hexColorComponents(std::string_view text);

// The red, green and blue of a colour's components: three or four components
// (alpha ignored), or grey and alpha; any other count has none.
std::optional<RgbComponents> rgbComponents(std::span<const double> components);

// The compositing filter of a blend mode; none for `normal`.
std::optional<std::string> blendModeFilterName(BlendMode mode);

}  // namespace lottie
