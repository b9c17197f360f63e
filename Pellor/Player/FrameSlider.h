#pragma once
// The control row's frame slider: a horizontal slider over 0...1 in fine
// steps. A press anywhere on it (handle or track) says so first (touched), so
// that the player can pause, and a press on the track moves the handle to
// the pointer at once rather than paging toward it; the drag then continues
// from there. Values set by the program (QSignalBlocker) are not presses.
// Owned by its control row.

#include <QSlider>

namespace pellor {

class FrameSlider : public QSlider {
    Q_OBJECT

public:
    static constexpr int kSteps = 10000;

    explicit FrameSlider(QWidget* parent = nullptr);

    double progress() const { return static_cast<double>(value()) / kSteps; }
    // Moves the handle without telling anyone.
    void showProgress(double progress);

signals:
    // A press began or ended.
    void touched();
    // The user moved the handle to this progress.
    void progressEdited(double progress);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace pellor
