#pragma once
// Cuts a path down to the part between two fractions of its length, measured over
// all its subpaths together in order (a closing segment counts as a line back to
// the subpath's start). Curves are cut into curves, not flattened. Used by the
// renderer for shape layers' strokeStart and strokeEnd, every frame they are
// drawn; stateless.
//
// A cut measures every segment of the path (a path drawn a hundred times over,
// as a trim with a moving offset asks for, has millions): it takes its work
// from the frame's budget (graphics::WorkBudget) before it begins, and counts
// toward the frame's deadline as it goes. It holds one segment at a time, so
// what it keeps is its result, never more than the path it cuts.

#include "Platform/Graphics/Path.h"

namespace platform::compositor {

class PathTrimmer {
public:
    PathTrimmer() = delete;

    // The work of measuring one segment, in the work budget's units: a curve
    // is measured along 32 chords, a line (or a move) at once.
    static constexpr double workPerCurve = 300;
    static constexpr double workPerLine = 20;
    // Segments measured between two checks of the deadline.
    static constexpr int segmentsPerDeadlineCheck = 256;

    // The whole path for [0, 1] (or wider); an empty path when start >= end.
    // Fractions are limited to [0, 1]. Also an empty path when the active
    // frame's work budget cannot afford the cut (it is then spent) or its
    // deadline passes while cutting.
    static graphics::Path trimmed(const graphics::Path& path, double start, double end);
    // The length of all subpaths together.
    static double length(const graphics::Path& path);
    // What cutting `path` takes from the frame's work budget.
    static double work(const graphics::Path& path);

};

}  // namespace platform::compositor
