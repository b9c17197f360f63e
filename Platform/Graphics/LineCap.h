#pragma once
// How open stroke ends are drawn; the values are the platform's numbering.

namespace platform::graphics {

enum class LineCap { butt = 0, round = 1, square = 2 };

}  // namespace platform::graphics
