#pragma once
// A text laid out in a rectangle: its lines, where each one sits, and drawing them.
// Stands in for the platform's frame. Made by a framesetter; a value whose copies
// share one immutable layout (which frames of other framesetters may share too)
// and the framesetter's text, whose colours and strokes it draws with. Used on
// the thread that made it.
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
// Drawing fills and strokes glyph outlines through the context, in its current
// user space (where the rectangle was given), so its transform, clip, alpha, blend
// mode and anti-aliasing apply. Each run uses its own colours and stroke (see
// TextAttributes). The context's drawing state is left as it was; a path pending
// in it is discarded first, as filling the glyphs would otherwise fill it too.
// The context's text matrix is not used: glyphs stand upright in user space.

#include <memory>
#include <vector>

#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Text/TextLine.h"

namespace platform::graphics {
class GraphicsContext;
}

namespace platform::text {

class AttributedString;
class TextLayout;

class Frame {
public:
    Frame() = default;

    const graphics::Rect& rect() const { return rect_; }
    const std::vector<TextLine>& lines() const { return lines_; }
    const std::vector<graphics::Point>& lineOrigins() const { return origins_; }

    void draw(graphics::GraphicsContext& context) const;
    // Whether laying the text out cut some of it, to bound what that costs
    // (see TextLayout).
    bool isCut() const;

private:
    friend class Framesetter;
    Frame(const graphics::Rect& rect, std::shared_ptr<const TextLayout> layout,
          std::shared_ptr<const AttributedString> text);

    graphics::Rect rect_;
    std::shared_ptr<const TextLayout> layout_;
    std::shared_ptr<const AttributedString> text_;
    std::vector<TextLine> lines_;
    std::vector<graphics::Point> origins_;
};

}  // namespace platform::text
