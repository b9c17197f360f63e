#include "Platform/Graphics/OpeningDeadline.h"

#include <algorithm>

namespace platform::graphics {

namespace {

thread_local std::shared_ptr<OpeningDeadline> currentOpening;

const char* phaseName(OpeningDeadline::Phase phase) {
    switch (phase) {
        case OpeningDeadline::Phase::images: return "decoding its images";
        case OpeningDeadline::Phase::setUp: return "its set-up";
        case OpeningDeadline::Phase::firstPass: return "its first pass over its keyframes";
        case OpeningDeadline::Phase::firstFrame: return "its first frame";
    }
    return "";
}

}  // namespace

std::mutex OpeningDeadline::awaitingMutex_;
std::vector<std::weak_ptr<OpeningDeadline>> OpeningDeadline::awaiting_;

OpeningDeadline::OpeningDeadline(double decodingSeconds) : whole_(std::make_shared<ProcessorDeadline>(seconds)) {
    whole_->charge(decodingSeconds);
}

std::shared_ptr<ProcessorDeadline> OpeningDeadline::deadlineFor(Phase phase, double ownSeconds) {
    if (hasDrawnFirstFrame()) return std::make_shared<ProcessorDeadline>(ownSeconds);
    double withinSeconds = seconds;
    {
        const std::lock_guard lock(mutex_);
        const auto index = static_cast<std::size_t>(phase);
        begun_[index] = true;
        // The first frame is the last phase: it has what the opening has left,
        // keeping nothing for a phase its engine never begins.
        if (phase != Phase::firstFrame) {
            for (std::size_t other = 0; other < kept.size(); ++other) {
                if (!begun_[other]) withinSeconds -= kept[other];
            }
            withinSeconds = std::min(seconds, std::max(withinSeconds, whole_->spent() + kept[index]));
        }
    }
    return std::make_shared<ProcessorDeadline>(
        ownSeconds, whole_, withinSeconds,
        std::string("for opening the animation, run out in ") + phaseName(phase));
}

std::shared_ptr<ProcessorDeadline> OpeningDeadline::deadline(const std::shared_ptr<OpeningDeadline>& opening,
                                                             Phase phase, double ownSeconds) {
    return opening ? opening->deadlineFor(phase, ownSeconds) : std::make_shared<ProcessorDeadline>(ownSeconds);
}

std::shared_ptr<ProcessorDeadline> OpeningDeadline::deadline(Phase phase, double ownSeconds) {
    return deadline(currentOpening, phase, ownSeconds);
}

OpeningDeadline::Scope::Scope(std::shared_ptr<OpeningDeadline> opening) : outer_(std::move(currentOpening)) {
    currentOpening = std::move(opening);
}

OpeningDeadline::Scope::~Scope() { currentOpening = std::move(outer_); }

const std::shared_ptr<OpeningDeadline>& OpeningDeadline::current() { return currentOpening; }

void OpeningDeadline::awaitFirstFrame(const std::shared_ptr<OpeningDeadline>& opening) {
    if (!opening || opening->hasDrawnFirstFrame()) return;
    const std::lock_guard lock(awaitingMutex_);
    std::erase_if(awaiting_, [&](const std::weak_ptr<OpeningDeadline>& waiting) {
        const auto held = waiting.lock();
        return !held || held == opening;
    });
    awaiting_.push_back(opening);
}

std::shared_ptr<ProcessorDeadline> OpeningDeadline::takeAwaitingFirstFrame(double ownSeconds) {
    std::vector<std::weak_ptr<OpeningDeadline>> waiting;
    {
        const std::lock_guard lock(awaitingMutex_);
        if (awaiting_.empty()) return std::make_shared<ProcessorDeadline>(ownSeconds);
        waiting.swap(awaiting_);
    }
    std::shared_ptr<ProcessorDeadline> tightest;
    double least = 0;
    for (const std::weak_ptr<OpeningDeadline>& entry : waiting) {
        const std::shared_ptr<OpeningDeadline> opening = entry.lock();
        if (!opening || opening->hasDrawnFirstFrame()) continue;
        std::shared_ptr<ProcessorDeadline> share = opening->deadlineFor(Phase::firstFrame, ownSeconds);
        opening->firstFrameDrawn_.store(true, std::memory_order_relaxed);
        const double left = std::min(ownSeconds, seconds - opening->whole_->spent());
        if (!tightest || left < least) {
            tightest = std::move(share);
            least = left;
        }
    }
    return tightest ? tightest : std::make_shared<ProcessorDeadline>(ownSeconds);
}

}  // namespace platform::graphics
