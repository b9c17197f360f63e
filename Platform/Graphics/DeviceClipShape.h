#pragma once
// The clip a GraphicsContext draws under, as a value: compared with the clip
// of another frame, and laid over another context of the same device. It is
// the rectangles the clip is made of when Cairo can tell them (device-aligned
// rectangles alone); otherwise the rectangles the drawing surface started with
// and every path clipped to since, each with its fill rule and antialiasing,
// in device space. Made by GraphicsContext::deviceClipShape; the renderer's
// kept pictures (ContentCache) are keyed by it.

#include <vector>

#include "Platform/Graphics/Rect.h"

namespace platform::graphics {

struct DeviceClipShape {
    struct PathClip {
        // The path's elements in order: each one's Cairo kind, then the
        // coordinates of its points.
        std::vector<double> elements;
        // Cairo's fill rule and antialiasing of the clip.
        int rule = 0;
        int antialias = 0;

        bool operator==(const PathClip&) const = default;
        // The box of the path's points (which holds its curves); null for no point.
        Rect bounds() const;
    };

    // What shows lies within their union; none at all when there are none.
    std::vector<Rect> rectangles;
    // Each cuts what the rectangles let through further.
    std::vector<PathClip> paths;

    bool operator==(const DeviceClipShape&) const = default;
    // The box that holds all that the clip lets through; null when nothing shows.
    Rect bounds() const;
};

}  // namespace platform::graphics
