#pragma once
// Lays out an attributed text: the size it needs under given limits, and frames of
// the whole text in rectangles. Stands in for the platform's framesetter. Holds its
// own copy of the text; a value whose copies share that copy and their layout
// context. Use a framesetter and its frames on the thread that made them: Pango
// keeps its fonts per thread.
//
// The text is laid out once for each width it is asked at in turn: the
// framesetter keeps its last layout, and a size and a frame at the same width
// share it. Given a layout cache, it shares its layouts with the other
// framesetters of the cache that lay out the same text at the same width,
// whatever its colours and strokes, and takes what they make from the cache's
// allowance.

#include <limits>
#include <memory>

#include "Platform/Graphics/Rect.h"
#include "Platform/Graphics/Size.h"
#include "Platform/Text/AttributedString.h"
#include "Platform/Text/Frame.h"

typedef struct _PangoContext PangoContext;

namespace platform::text {

class TextLayout;
class TextLayoutCache;

class Framesetter {
public:
    // A constraint of this size (or larger, or infinite) does not constrain.
    static constexpr double unconstrained = std::numeric_limits<double>::max();

    explicit Framesetter(AttributedString text, std::shared_ptr<TextLayoutCache> cache = nullptr);

    const AttributedString& attributedString() const { return *text_; }

    // The size the whole text needs: the width of its widest line (lines wrap at
    // the constraint's width) and the height of the lines that fit within the
    // constraint's height. Not rounded. A negative or not-a-number constraint
    // counts as zero.
    graphics::Size suggestFrameSize(graphics::Size constraints) const;

    // The whole text laid out in a rectangle (a negative size extends the other
    // way). Lines wrap at its width; lines from the first one that does not fit
    // its height on are left out. A rectangle with a coordinate that is not a
    // number gives a frame without lines.
    Frame createFrame(const graphics::Rect& rect) const;
    // Whether the last layout made, when there is one, was cut to bound its
    // cost (see TextLayout).
    bool isCut() const;
    // Whether the last layout made was left without lines past a deadline
    // (see TextLayoutCache::layout).
    bool isPastDeadline() const;

private:
    std::shared_ptr<const TextLayout> layoutAt(double width) const;

    std::shared_ptr<const AttributedString> text_;
    std::shared_ptr<PangoContext> context_;
    std::shared_ptr<TextLayoutCache> cache_;
    mutable std::shared_ptr<const TextLayout> layout_;
};

}  // namespace platform::text
