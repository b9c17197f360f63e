#pragma once
// Drawings handed to the CoverageWorkers (PendingCoverageDrawing), let go
// by the contexts that ended and kept for the next ones. A renderer that
// draws each frame into a context of its own would otherwise make every
// drawing, its rasteriser and its buffers anew each frame, and free them
// all as the frame ends. Process-wide and thread-safe; at most a few dozen
// drawings of modest size wait here.

#include <cstddef>
#include <memory>

namespace platform::graphics {

class PendingCoverageDrawing;

namespace SpareCoverageDrawings {

// A drawing kept for reuse, or a new one.
std::shared_ptr<PendingCoverageDrawing> take();

// Keeps the drawing, laid down or released, for reuse, unless something
// else still holds it, it holds large buffers, or the kept drawings are at
// their bound.
void give(std::shared_ptr<PendingCoverageDrawing> drawing);

// The drawings kept now.
std::size_t keptCount();

// Lets go of the drawings kept.
void release();

}  // namespace SpareCoverageDrawings
}  // namespace platform::graphics
