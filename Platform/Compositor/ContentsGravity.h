#pragma once
// How a layer's contents image is placed in its bounds: stretched to fill them
// (resize, the default), scaled to fit or to fill keeping its aspect, or drawn at
// its own size against an edge, a corner or the centre. With y growing downwards,
// "top" is the bounds' minimum y.

namespace platform::compositor {

enum class ContentsGravity {
    resize,
    resizeAspect,
    resizeAspectFill,
    center,
    top,
    bottom,
    left,
    right,
    topLeft,
    topRight,
    bottomLeft,
    bottomRight,
};

}  // namespace platform::compositor
