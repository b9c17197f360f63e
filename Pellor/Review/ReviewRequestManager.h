#pragma once
// The review-request policy: decides when the viewer may ask its user for a
// review, and records each request. It keeps one record of the last request
// (ReviewRequestInfo) in the settings under "reviewRequestInfo" and reads the
// number of files opened so far from "fileOpenCount", which the player window
// raises. A request needs a trigger other than the last one, a version other
// than the last one, a full day since the last one, and enough opened files:
// one for the welcome window, three for closing a player.
//
// The caller asks shouldRequestReview() and, when it agrees, has the request
// recorded (after a wait for the welcome window) and its action run: the action
// shows the review prompt (ReviewPromptDialog). The clock, the wait and the
// version are injected so that tests need neither time nor an application.
//
// One instance per process (shared()), over the application's settings; tests
// make their own over a settings file in a temporary folder. Main thread only.

#include <QSettings>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "Pellor/Review/ReviewDelayTimer.h"
#include "Pellor/Review/ReviewRequestInfo.h"
#include "Pellor/Review/ReviewRequestTask.h"
#include "Pellor/Review/ReviewRequestTriggerAction.h"

namespace pellor {

struct ReviewRequestEnvironment {
    // Now; the system clock when empty.
    std::function<ReviewDate()> now;
    // The application's version as the user sees it; the Qt application's
    // version when empty.
    std::function<QString()> currentVersion;
    // The wait before a delayed request; a Qt timer when empty.
    std::shared_ptr<ReviewDelayTimer> timer;
};

class ReviewRequestManager {
public:
    static constexpr const char* reviewRequestInfoKey = "reviewRequestInfo";
    static constexpr const char* fileOpenCountKey = "fileOpenCount";
    // The least time between two requests.
    static constexpr std::chrono::seconds minimumInterval{86'400};

    explicit ReviewRequestManager(std::shared_ptr<QSettings> store, ReviewRequestEnvironment environment = {});
    // Calls off every request still waiting.
    ~ReviewRequestManager();
    ReviewRequestManager(const ReviewRequestManager&) = delete;
    ReviewRequestManager& operator=(const ReviewRequestManager&) = delete;

    // The process's policy over the application's settings, made on first use.
    static ReviewRequestManager& shared();

    // The wait each call site uses: two seconds after the welcome window first
    // appears, none when a player closes.
    static std::optional<std::chrono::milliseconds> delay(ReviewRequestTriggerAction trigger);

    // Whether a review request should be made now. Changes nothing.
    bool shouldRequestReview(ReviewRequestTriggerAction trigger) const;

    // Waits `delay` (none: no wait), then stores a new record for `trigger` and
    // runs `action`. Without a delay both happen before this returns.
    std::shared_ptr<ReviewRequestTask> recordReviewRequest(ReviewRequestTriggerAction trigger,
                                                           std::optional<std::chrono::milliseconds> delay,
                                                           std::function<void()> action);

    // The calling pattern of both call sites: ask, and when the answer is yes,
    // record after the trigger's delay and run `action`. None when the answer is no.
    std::shared_ptr<ReviewRequestTask> requestReviewIfAppropriate(ReviewRequestTriggerAction trigger,
                                                                  std::function<void()> action);

    // The stored record; none when it is missing or does not read.
    std::optional<ReviewRequestInfo> storedRecord() const;

private:
    void record(ReviewRequestTriggerAction trigger);
    ReviewDate now() const;
    QString currentVersion() const;

    std::shared_ptr<QSettings> store_;
    ReviewRequestEnvironment environment_;
    std::vector<std::weak_ptr<ReviewRequestTask>> waiting_;
};

}  // namespace pellor
