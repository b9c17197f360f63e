#pragma once
// The views' frames worked out in turns with the Qt event loop, so that the
// main thread answers input however long a frame takes: each view whose frame
// is under way has a platform::compositor::FrameThread of its own (kept in a
// pool and used again), and each pass of the event loop runs one turn of one
// frame, of at most sliceSeconds, the frames taking turns in order. The main
// thread waits during a turn and does nothing else, so input is read between
// any two turns. Once a frame's work has ended, its completion runs on the
// main thread (the view presents the picture); a frame whose tree the main
// thread changes meanwhile is abandoned (FrameThread) and its abandon handler
// runs instead.
//
// Tests that drive frames by hand turn it off (setEnabled(false)): each frame
// is then worked out whole where it is asked for, on the main thread.
// Process-wide, never destroyed (its threads end with the process); main
// thread only.

#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace platform::compositor {
class FrameThread;
class Layer;
}  // namespace platform::compositor

namespace lottie {

class FrameTurns : public QObject {
    Q_OBJECT

public:
    // The longest a turn runs before the event loop turns again: a pass of the
    // event loop stays well within a tenth of a second.
    static constexpr double sliceSeconds = 0.02;

    static FrameTurns& shared();
    static void setEnabled(bool enabled);
    static bool isEnabled();

    // Works out `work`, a frame of the tree under `root`, for `owner`, which
    // has no frame under way. `done` runs on the main thread once the work has
    // ended; `abandoned` instead when the frame is abandoned. Disabled, the
    // work and then `done` run now.
    void start(const QObject* owner, const platform::compositor::Layer* root, std::function<void()> work,
               std::function<void()> done, std::function<void()> abandoned);
    bool isDrawing(const QObject* owner) const;
    // Abandons the owner's frame, if one is under way.
    void abandon(const QObject* owner);
    // Runs the owner's frame to its end now, if one is under way.
    void finish(const QObject* owner);
    // Frames under way.
    std::size_t count() const { return frames_.size(); }
    // Takes apart a tree that nothing shows any more (a view's, as it goes) a
    // layer at a time in turns, as a frame: the layers of a large document
    // take longer to free than a turn of the event loop may last. Disabled,
    // the tree goes now.
    void takeApart(std::shared_ptr<platform::compositor::Layer> root);

private:
    FrameTurns();
    ~FrameTurns() override;
    struct Frame {
        const QObject* owner;
        std::unique_ptr<platform::compositor::FrameThread> thread;
        std::function<void()> done;
    };
    void runTurn();
    // The frame `owner` draws, if any.
    std::deque<Frame>::iterator frameOf(const QObject* owner);
    // Takes the frame off the list once its work ended; its thread goes back to the pool.
    std::function<void()> end(const platform::compositor::FrameThread* thread);

    std::deque<Frame> frames_;
    std::vector<std::unique_ptr<platform::compositor::FrameThread>> idle_;
    QTimer timer_;
};

}  // namespace lottie
