#pragma once
// Whether an animation's texts have said that one was cut to its layout bound,
// or left out past a deadline. Owned by the layout cache of an engine's root
// layer (TextLayoutCache); when the automatic option falls back after the
// Core Animation engine has laid texts out, the main-thread engine built in
// its place gets the same reports (LottieAnimationLayer), so that each is
// said once in the view. Safe from any thread.

#include <atomic>

namespace platform::text {

class TextCutReports {
public:
    // True for the first caller only.
    bool firstToSayCut() { return !cutSaid_.exchange(true); }
    bool firstToSayPastDeadline() { return !pastDeadlineSaid_.exchange(true); }

private:
    std::atomic<bool> cutSaid_{false};
    std::atomic<bool> pastDeadlineSaid_{false};
};

}  // namespace platform::text
