#pragma once
// Which points a path encloses when filling or clipping: non-zero winding or even-odd.

namespace platform::graphics {

enum class FillRule { winding, evenOdd };

}  // namespace platform::graphics
