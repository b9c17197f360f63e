#include "Lottie/Views/FrameTurns.h"

#include <algorithm>

#include "Platform/Compositor/FrameThread.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

using platform::compositor::FrameThread;

namespace {

bool& enabledFlag() {
    static bool enabled = true;
    return enabled;
}

}  // namespace

FrameTurns& FrameTurns::shared() {
    // Never destroyed: a frame still under way at exit is not waited for.
    static FrameTurns* turns = new FrameTurns;
    return *turns;
}

void FrameTurns::setEnabled(bool enabled) { enabledFlag() = enabled; }

bool FrameTurns::isEnabled() { return enabledFlag(); }

FrameTurns::FrameTurns() {
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &FrameTurns::runTurn);
}

FrameTurns::~FrameTurns() = default;

void FrameTurns::start(const QObject* owner, const platform::compositor::Layer* root, std::function<void()> work,
                       std::function<void()> done, std::function<void()> abandoned) {
    if (!isEnabled()) {
        work();
        if (done) done();
        return;
    }
    std::unique_ptr<FrameThread> thread;
    if (idle_.empty()) {
        thread = std::make_unique<FrameThread>();
    } else {
        thread = std::move(idle_.back());
        idle_.pop_back();
    }
    thread->start(root, std::move(work), [this, drawer = thread.get(), abandoned = std::move(abandoned)] {
        end(drawer);
        if (abandoned) abandoned();
    });
    frames_.push_back({owner, std::move(thread), std::move(done)});
    timer_.start();
}

void FrameTurns::takeApart(std::shared_ptr<platform::compositor::Layer> root) {
    if (!root) return;
    start(
        nullptr, nullptr,
        [root = std::move(root)]() mutable {
            // Every layer of the tree, masks included, each before those it
            // holds, is held here; let go of in that order, each layer that
            // goes frees only itself, as what it holds is still held here.
            // Nothing is changed: a layer a caller still holds stays whole.
            std::vector<std::shared_ptr<platform::compositor::Layer>> layers{std::move(root)};
            for (std::size_t index = 0; index < layers.size(); ++index) {
                if (index % 256 == 0) FrameThread::checkpoint();
                const platform::compositor::Layer& layer = *layers[index];
                if (layer.mask()) layers.push_back(layer.mask());
                layers.insert(layers.end(), layer.sublayers().begin(), layer.sublayers().end());
            }
            for (std::size_t index = 0; index < layers.size(); ++index) {
                if (index % 64 == 0) FrameThread::checkpoint();
                layers[index] = nullptr;
            }
        },
        {}, {});
}

std::deque<FrameTurns::Frame>::iterator FrameTurns::frameOf(const QObject* owner) {
    return std::find_if(frames_.begin(), frames_.end(), [owner](const Frame& frame) { return frame.owner == owner; });
}

bool FrameTurns::isDrawing(const QObject* owner) const {
    return std::any_of(frames_.begin(), frames_.end(), [owner](const Frame& frame) { return frame.owner == owner; });
}

std::function<void()> FrameTurns::end(const FrameThread* thread) {
    const auto found = std::find_if(frames_.begin(), frames_.end(),
                                    [thread](const Frame& frame) { return frame.thread.get() == thread; });
    if (found == frames_.end()) return {};
    std::function<void()> done = std::move(found->done);
    idle_.push_back(std::move(found->thread));
    frames_.erase(found);
    if (frames_.empty()) timer_.stop();
    return done;
}

void FrameTurns::abandon(const QObject* owner) {
    // Its abandon handler takes it off the list.
    if (const auto found = frameOf(owner); found != frames_.end()) found->thread->abandon();
}

void FrameTurns::finish(const QObject* owner) {
    for (;;) {
        const auto found = frameOf(owner);
        if (found == frames_.end()) return;
        if (found->thread->runTurn(sliceSeconds)) {
            if (const std::function<void()> done = end(found->thread.get())) done();
            return;
        }
    }
}

void FrameTurns::runTurn() {
    if (frames_.empty()) {
        timer_.stop();
        return;
    }
    // The first in line takes its turn, then goes to the back.
    Frame frame = std::move(frames_.front());
    frames_.pop_front();
    frames_.push_back(std::move(frame));
    FrameThread* const thread = frames_.back().thread.get();
    if (thread->runTurn(sliceSeconds)) {
        if (const std::function<void()> done = end(thread)) done();
    }
    // Threads beyond those a few frames at once need are let go, here where
    // none of them is in a call of its own.
    while (idle_.size() > 8) idle_.erase(idle_.begin());
}

}  // namespace lottie
