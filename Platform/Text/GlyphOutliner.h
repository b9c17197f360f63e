#pragma once
// Turns laid-out lines into glyph outlines: one path per stretch of glyphs that
// come from the same attribute run, so that each stretch can be filled and
// stroked with its own colours. Frame makes one for each drawing and owns it; it
// holds only the scratch cairo context that the outlines are built in.

#include <cairo.h>

#include <functional>

#include "Platform/Graphics/Path.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Text/AttributedString.h"
#include "Platform/Text/TextLayout.h"

namespace platform::text {

using GlyphOutlineVisitor = std::function<void(const graphics::Path& outline, const TextAttributes& attributes)>;

class GlyphOutliner {
public:
    GlyphOutliner();
    ~GlyphOutliner();
    GlyphOutliner(const GlyphOutliner&) = delete;
    GlyphOutliner& operator=(const GlyphOutliner&) = delete;

    // `origin` is the line's baseline origin; outlines come in the same space.
    // Every glyph whose ink meets `visible` is outlined, however far from the
    // origin it lies; the others are left out.
    void forEachOutline(const LaidOutLine& line, const AttributedString& text, graphics::Point origin,
                        const graphics::Rect& visible, const GlyphOutlineVisitor& visit);

private:
    void outlineGlyph(PangoFont* font, const PangoGlyphInfo& glyph, graphics::Point at, graphics::Path& into);

    cairo_surface_t* surface_;
    cairo_t* scratch_;
};

}  // namespace platform::text
