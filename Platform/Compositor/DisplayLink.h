#pragma once
// Drives a layer tree once per display frame. The host calls tick() on every
// display refresh (a timer in the application, by hand in tests after moving a
// ManualClock); a tick does nothing unless the tree needs a frame: a layer under
// the root has animations that still move (not all finished holding their fill,
// nor frozen at speed 0, each seen by one frame at least), needs layout or
// display, or changed since the last frame. A frame, at the media clock's current time:
//   1. marks the tree as presented (presentation() answers from now on);
//   2. lays out what needs layout;
//   3. reports animations that started, and stops and reports those that finished
//      (removing them when they ask to be);
//   4. marks for display each layer whose needs-display number presents a new
//      value, then displays every layer that needs it;
//   5. calls the frame handler, which renders.
// The first three steps can be taken apart from the fourth and fifth
// (advance(), display()), which a view draws away from its event loop.
// One display link per tree: it clears the tree's "changed" marks. Owned by the
// host; holds its root strongly.

#include <functional>
#include <memory>

#include "Platform/Compositor/Layer.h"

namespace platform::compositor {

class DisplayLink {
public:
    using FrameHandler = std::function<void(double mediaTime)>;

    explicit DisplayLink(std::shared_ptr<Layer> root, FrameHandler handler = {});

    const std::shared_ptr<Layer>& root() const { return root_; }
    void setFrameHandler(FrameHandler handler) { handler_ = std::move(handler); }

    // Whether the next tick would draw a frame.
    bool isActive() const;
    // One display refresh; true when it drew a frame. The same as advance()
    // followed, when it answers true, by display().
    bool tick();
    // Steps 1 to 3, and marking for display: false, with nothing done, when
    // the tree needs no frame. Main thread.
    bool advance();
    // Step 4 and the frame handler, for the frame advance() began: on the main
    // thread, or on a FrameThread in its turns (a checkpoint before each layer).
    void display();

private:
    static bool needsFrame(const Layer& layer, bool frozenAbove);

    std::shared_ptr<Layer> root_;
    FrameHandler handler_;
    // The media time of the frame advance() began.
    double frameTime_ = 0;
};

}  // namespace platform::compositor
