#pragma once
// A text laid out in a rectangle: its lines, where each one sits, and drawing them.
// Stands in for the platform's frame. Made by a framesetter; a value whose copies
// share one immutable layout. Used on the thread that made it.
//
// Line origins are in the frame rectangle's own coordinates: from its top-left
// corner, y down, each on the line's baseline at the left edge of its text. The
// distance from a baseline to the bottom of the rectangle is therefore
// rect().height() - origin.y.
//
// Horizontal placement follows each paragraph's alignment within the rectangle's
// width; in a rectangle too wide to be a real width (unconstrained), lines align
// within the widest line instead.
//
// Drawing fills and strokes glyph outlines in the context's current user space,
// the rectangle where the frame was made. Each run uses its own colours and stroke
// (see TextAttributes). The context's state and current path are left as they were.

#include <memory>
#include <vector>

#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Text/TextLine.h"

typedef struct _cairo cairo_t;

namespace platform::graphics {
class GraphicsContext;
}

namespace platform::text {

class TextLayout;

class Frame {
public:
    Frame() = default;

    const graphics::Rect& rect() const { return rect_; }
    const std::vector<TextLine>& lines() const { return lines_; }
    const std::vector<graphics::Point>& lineOrigins() const { return origins_; }

    void draw(graphics::GraphicsContext& context) const;
    void draw(cairo_t* cairo) const;

private:
    friend class Framesetter;
    Frame(const graphics::Rect& rect, std::shared_ptr<const TextLayout> layout);

    graphics::Rect rect_;
    std::shared_ptr<const TextLayout> layout_;
    std::vector<TextLine> lines_;
    std::vector<graphics::Point> origins_;
};

}  // namespace platform::text
