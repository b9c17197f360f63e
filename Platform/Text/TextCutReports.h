#pragma once
// Whether an animation has said that a text of it was cut to its layout bound,
// or left out past a deadline. Kept with the document (LottieAnimation) and
// handed to the text layout caches of every engine that draws it, so that each
// is said once between its views, and once when the automatic option hands the
// document over from one engine to the other after the first has laid its
// texts out. Safe from any thread.

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
