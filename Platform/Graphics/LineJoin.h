#pragma once
// How stroke corners are drawn; the values are the platform's numbering.

namespace platform::graphics {

enum class LineJoin { miter = 0, round = 1, bevel = 2 };

}  // namespace platform::graphics
