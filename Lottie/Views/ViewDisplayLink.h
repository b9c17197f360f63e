#pragma once
// The display link of one view, on the Qt event loop. It drives the compositor's
// DisplayLink over the view's layer tree with a precise timer at the refresh
// rate of the screen the view is on (60 Hz when the screen does not say), and
// runs only while the tree needs frames: schedule() starts it when the tree
// has animations or changes to show, and the first tick that finds nothing to
// draw stops it, so a paused or finished view costs no timer wake-ups, ticks
// or paints. Each tick that draws hands the frame to the frame drawer (the
// view draws it in turns with the event loop and then repaints).
//
// An observer (setFrameObserver) keeps the link running on every display frame
// whether or not the tree needs drawing, and is called once per tick after any
// drawing: this is how a host follows the presented frame while a binding asks
// for it. Without an observer the link stops as described above.
//
// When the link stops, the stop handler runs (the view gives back what its
// frames kept for the next: it is paused, finished or out of its window);
// when the last link of the process stops, the drawing code's process-wide
// storage kept between frames goes back too (graphics::KeptStorage).
//
// A tick reports what its drawing meets to the link's logger (setLogger),
// also where the library looks up the shared one.
//
// Tests turn the timer off process-wide (setTimersEnabled(false)) and call
// tick() themselves after moving a manual media clock; isRunning() still tells
// whether the link would be ticking. Owned by its view.

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "Lottie/Playback/LottieLogger.h"
#include "Platform/Compositor/DisplayLink.h"

class QScreen;

namespace lottie {

class ViewDisplayLink : public QObject {
    Q_OBJECT

public:
    // Draws a frame whose first steps a tick took (DisplayLink::advance):
    // handed the display pass that finishes it, the drawer runs it (on the
    // main thread or away from it) before it draws the picture.
    using FrameDrawer = std::function<void(std::function<void()> displayPass)>;

    ViewDisplayLink(std::shared_ptr<platform::compositor::Layer> root, FrameDrawer drawer, QObject* parent = nullptr);
    ~ViewDisplayLink() override;

    // Starts ticking when the tree needs a frame and the link is not running yet.
    void schedule();
    // One display refresh: draws a frame when the tree needs one, then calls the
    // frame observer; without one, a tick with nothing to draw stops the link.
    // True when it drew.
    bool tick();
    // While set, the link ticks on every display frame and calls `observer` on
    // each; none lets it stop at the next tick with nothing to draw.
    void setFrameObserver(std::function<void()> observer);
    bool hasFrameObserver() const { return static_cast<bool>(frameObserver_); }
    // Whether the link is ticking (the timer runs, or would run with timers on).
    bool isRunning() const { return running_; }
    // Ticks that drew a frame since the link was made.
    long framesDrawn() const { return framesDrawn_; }
    // The logger of the tree's owner; none leaves reports to the shared logger.
    void setLogger(std::shared_ptr<LottieLogger> logger) { logger_ = std::move(logger); }
    // Runs each time the link stops.
    void setStopHandler(std::function<void()> handler) { onStop_ = std::move(handler); }
    // Whether the frame last handed to the drawer is still being drawn: ticks
    // meanwhile draw nothing and leave the link running.
    void setFrameUnderWay(std::function<bool()> underWay) { frameUnderWay_ = std::move(underWay); }
    // The links of the process ticking now.
    static int runningCount();
    // Follows the screen the view is on: the interval becomes its refresh period.
    void setScreen(const QScreen* screen);
    int intervalMilliseconds() const { return timer_.interval(); }

    static void setTimersEnabled(bool enabled);
    static bool timersEnabled();

private:
    void stop();
    void start();

    platform::compositor::DisplayLink link_;
    std::function<void()> onStop_;
    std::function<void()> frameObserver_;
    FrameDrawer drawer_;
    std::function<bool()> frameUnderWay_;
    std::shared_ptr<LottieLogger> logger_;
    QTimer timer_;
    bool running_ = false;
    long framesDrawn_ = 0;
};

}  // namespace lottie
