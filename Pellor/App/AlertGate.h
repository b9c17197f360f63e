#pragma once
// Holds actions back while an alert is open. An alert is a message box on
// screen (the player's "Cannot open file", a report of files that could not be
// opened, the updater's messages); something that would otherwise appear
// stacked under or over it, such as the review prompt, waits until the last
// one has closed and then runs, in the order it was held.
//
// Owned by whoever holds the actions (the review hooks); main thread only.
// Actions still held when it goes are dropped.

#include <QObject>
#include <functional>
#include <vector>

namespace pellor {

class AlertGate : public QObject {
    Q_OBJECT

public:
    explicit AlertGate(QObject* parent = nullptr);
    ~AlertGate() override;

    // Whether a message box is on screen now.
    static bool isAlertOpen();

    // Runs `action` now when no alert is open; otherwise once none is.
    void whenNoAlertIsOpen(std::function<void()> action);
    std::size_t heldCount() const { return held_.size(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void releaseIfClear();

    std::vector<std::function<void()>> held_;
};

}  // namespace pellor
