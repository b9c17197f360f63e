#pragma once
// The processor time that opening a document may take, from decoding its
// text to its first frame: decoding it, decoding its images, every set-up an
// engine gives it (the automatic option's fallback included) and drawing its
// first frame share one deadline of `seconds`, so that the phases' own
// deadlines do not add up past it. Each phase's deadline is a share of it
// (ProcessorDeadline's constructor of a share): at most the phase's own
// limit, and ending once the opening has counted all it has less what the
// phases not yet begun keep for themselves, so that a phase that runs long
// still leaves the next ones something; a phase has what it keeps past what
// was counted when it began, as far as the opening's 2 s reach, and the
// first frame, the last phase, all the opening has left (the phases end
// within a reading of the clock of their limits, so the opening ends within
// a few readings of its 2 s, however long its decoding took). A share that
// passes that way names the opening's deadline and the phase it ran out in.
// Later frames, and set-ups of an opening whose first frame is drawn, have
// their own deadlines again.
//
// Made by the animation layer that opens a document (LottieAnimationLayer),
// which keeps it until the document's first frame; the engines' layers take
// it from the thread they are made on (current(), while a Scope lives) and
// keep it for their later set-up passes; the first frame drawn after the
// opening asks for it (takeAwaitingFirstFrame). Thread-safe.

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "Platform/Graphics/ProcessorDeadline.h"

namespace platform::graphics {

class OpeningDeadline {
public:
    static constexpr double seconds = 2;

    // Decoding the images it asks for; building its layers (and the
    // main-thread engine's first display pass); the Core Animation engine's
    // first passes over its keyframes; drawing its first frame.
    enum class Phase { images, setUp, firstPass, firstFrame };
    // What each phase keeps of the opening.
    static constexpr std::array<double, 4> kept = {0.25, 0.25, 0.25, 0.75};

    // An opening whose document took `decodingSeconds` to decode.
    explicit OpeningDeadline(double decodingSeconds);
    OpeningDeadline(const OpeningDeadline&) = delete;
    OpeningDeadline& operator=(const OpeningDeadline&) = delete;

    // A deadline for `phase`, of `ownSeconds` at most: a share of the
    // opening while its first frame is not drawn, a deadline of its own
    // afterwards.
    std::shared_ptr<ProcessorDeadline> deadlineFor(Phase phase, double ownSeconds);
    // The same for `opening`, or a deadline of its own when there is none.
    static std::shared_ptr<ProcessorDeadline> deadline(const std::shared_ptr<OpeningDeadline>& opening, Phase phase,
                                                       double ownSeconds);
    // The same for the opening the calling thread works for, if any.
    static std::shared_ptr<ProcessorDeadline> deadline(Phase phase, double ownSeconds);

    bool hasDrawnFirstFrame() const { return firstFrameDrawn_.load(std::memory_order_relaxed); }

    // While one lives, the calling thread works for the opening.
    class Scope {
    public:
        explicit Scope(std::shared_ptr<OpeningDeadline> opening);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        std::shared_ptr<OpeningDeadline> outer_;
    };
    static const std::shared_ptr<OpeningDeadline>& current();

    // Marks the opening's set-up done: the next frame drawn is its first.
    static void awaitFirstFrame(const std::shared_ptr<OpeningDeadline>& opening);
    // The deadline of a frame about to be drawn: the tightest first-frame
    // share of the openings waiting for one (which then have drawn it), or a
    // deadline of `ownSeconds` when none waits.
    static std::shared_ptr<ProcessorDeadline> takeAwaitingFirstFrame(double ownSeconds);

private:
    std::mutex mutex_;
    std::shared_ptr<ProcessorDeadline> whole_;
    std::array<bool, 4> begun_{};
    std::atomic<bool> firstFrameDrawn_{false};

    static std::mutex awaitingMutex_;
    static std::vector<std::weak_ptr<OpeningDeadline>> awaiting_;
};

}  // namespace platform::graphics
