#include "Platform/Compositor/Transaction.h"

#include "Platform/Foundation/MainRunLoop.h"

namespace platform::compositor {

namespace {

struct Frame {
    bool implicit = false;
    std::optional<bool> disableActions;
    std::optional<double> duration;
    std::optional<std::optional<TimingFunction>> timingFunction;
    std::shared_ptr<TransactionCompletion> completion;
};

struct State {
    std::vector<Frame> frames;
    // The implicit transaction's turn has come while explicit ones were still open.
    bool implicitCommitDue = false;
};

State& state() {
    static State instance;
    return instance;
}

void seal(Frame& frame) {
    if (frame.completion) {
        frame.completion->seal();
        frame.completion = nullptr;
    }
}

void commitImplicit() {
    State& s = state();
    if (s.frames.size() == 1 && s.frames.front().implicit) {
        seal(s.frames.front());
        s.frames.clear();
        s.implicitCommitDue = false;
    } else if (!s.frames.empty() && s.frames.front().implicit) {
        s.implicitCommitDue = true;
    }
}

Frame& currentFrame() {
    State& s = state();
    if (s.frames.empty()) {
        Frame implicitFrame;
        implicitFrame.implicit = true;
        s.frames.push_back(std::move(implicitFrame));
        foundation::MainRunLoop::shared().post(commitImplicit);
    }
    return s.frames.back();
}

}  // namespace

void Transaction::begin() { state().frames.push_back(Frame{}); }

void Transaction::commit() {
    State& s = state();
    if (s.frames.empty() || s.frames.back().implicit) {
        return;
    }
    seal(s.frames.back());
    s.frames.pop_back();
    if (s.implicitCommitDue) {
        commitImplicit();
    }
}

std::size_t Transaction::depth() { return state().frames.size(); }

bool Transaction::disableActions() {
    const auto& frames = state().frames;
    for (auto frame = frames.rbegin(); frame != frames.rend(); ++frame) {
        if (frame->disableActions) {
            return *frame->disableActions;
        }
    }
    return false;
}

void Transaction::setDisableActions(bool disable) { currentFrame().disableActions = disable; }

std::optional<double> Transaction::animationDuration() {
    const auto& frames = state().frames;
    for (auto frame = frames.rbegin(); frame != frames.rend(); ++frame) {
        if (frame->duration) {
            return frame->duration;
        }
    }
    return std::nullopt;
}

void Transaction::setAnimationDuration(double seconds) { currentFrame().duration = seconds; }

std::optional<TimingFunction> Transaction::animationTimingFunction() {
    const auto& frames = state().frames;
    for (auto frame = frames.rbegin(); frame != frames.rend(); ++frame) {
        if (frame->timingFunction) {
            return *frame->timingFunction;
        }
    }
    return std::nullopt;
}

void Transaction::setAnimationTimingFunction(std::optional<TimingFunction> function) {
    currentFrame().timingFunction = function;
}

void Transaction::setCompletionBlock(std::function<void()> block) {
    Frame& frame = currentFrame();
    seal(frame);
    if (block) {
        frame.completion = std::make_shared<TransactionCompletion>(std::move(block));
    }
}

std::vector<std::shared_ptr<TransactionCompletion>> Transaction::completionsForNewAnimation() {
    std::vector<std::shared_ptr<TransactionCompletion>> result;
    for (Frame& frame : state().frames) {
        if (frame.completion) {
            frame.completion->animationAdded();
            result.push_back(frame.completion);
        }
    }
    return result;
}

}  // namespace platform::compositor
