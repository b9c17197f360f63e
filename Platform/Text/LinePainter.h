#pragma once
// Draws one laid-out line of a frame with cairo: glyph outlines grouped by the
// attribute run they come from, each group filled and/or stroked as its
// attributes say. Used by Frame; keeps no state.

#include <cairo.h>

#include "Platform/Graphics/Point.h"
#include "Platform/Text/AttributedString.h"
#include "Platform/Text/TextLayout.h"

namespace platform::text {

// `origin` is the line's baseline origin in the context's user space.
void paintLine(cairo_t* cairo, const LaidOutLine& line, const AttributedString& text, graphics::Point origin);

}  // namespace platform::text
