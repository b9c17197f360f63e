#pragma once
// Turns a laid-out line into glyph outlines: one path per stretch of glyphs that
// come from the same attribute run, so that each stretch can be filled and
// stroked with its own colours. Used by Frame while it draws; keeps no state.

#include <cairo.h>

#include <functional>

#include "Platform/Graphics/Path.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Text/AttributedString.h"
#include "Platform/Text/TextLayout.h"

namespace platform::text {

using GlyphOutlineVisitor = std::function<void(const graphics::Path& outline, const TextAttributes& attributes)>;

// `origin` is the line's baseline origin; outlines come in the same space.
// `scratch` is a cairo context with an identity transform, used to build paths.
void forEachGlyphOutline(cairo_t* scratch, const LaidOutLine& line, const AttributedString& text,
                         graphics::Point origin, const GlyphOutlineVisitor& visit);

}  // namespace platform::text
