#pragma once
// The three sizes of the application's buttons. What each size means (font,
// padding) is in ButtonMetrics.

namespace pellor {

enum class ButtonSize { small, medium, large };

}  // namespace pellor
