#pragma once
// The moments at which the review-request policy is asked whether to ask the
// user for a review: the welcome window's first appearance and a document
// window's closing. This base does nothing at either; the application is given
// the policy's own hooks (PellorApp::setReviewRequestHooks) once it exists.
// Owned by the application object; main thread only.

class QWidget;

namespace pellor {

class ReviewRequestHooks {
public:
    virtual ~ReviewRequestHooks() = default;
    virtual void welcomeScreenOpened(QWidget* /*welcomeWindow*/) {}
    virtual void fileClosed(QWidget* /*documentWindow*/) {}
};

}  // namespace pellor
