#pragma once
// Cuts a device path into the dashes of a dash pattern, as open subpaths for
// an undashed stroke to draw: the pattern is walked along each subpath from
// its start (the phase moving into it), lengths measured along the path as
// flattened, in the space the pattern is laid out in (the pen's, where a
// transform scales path and pattern alike). An odd number of lengths repeats
// with dashes and gaps swapped. Within a dash the path keeps its own pieces,
// curves cut to the part of them the dash covers, so that the stroke joins
// and rounds them as it would the path. A closed subpath whose pattern is on
// at both its start and its end has its last dash run on into its first,
// joined there; one the pattern never leaves stays closed. A dash of no
// length becomes a sliver along the path, a sixty-fourth of a pixel long,
// so that round and square caps lay their dot there, turned along the path.
//
// GraphicsContext dashes every dashed stroke with it before stroking, the
// pattern already stretched as DashLimit says, so that a path makes at most
// DashLimit::maximumSegments dashes. Stateless.

#include <span>

#include "Platform/Graphics/AffineTransform.h"
#include "Platform/Graphics/Path.h"

namespace platform::graphics {

class PathDasher {
public:
    PathDasher() = delete;

    // The dashes of `devicePath` under the pattern `lengths` (non-negative,
    // finite, of a positive sum) moved on by `phase`, lengths measured
    // through `measure` (its linear part: from device pixels to the
    // pattern's space); with `dots` (round or square caps), dashes of no
    // length as slivers, else left out.
    static Path dash(const Path& devicePath, std::span<const double> lengths, double phase,
                     const AffineTransform& measure, bool dots);
};

}  // namespace platform::graphics
