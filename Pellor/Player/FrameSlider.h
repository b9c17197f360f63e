#pragma once
// The control row's frame slider: a horizontal slider over 0...1 in fine
// steps. A press anywhere on it (handle or track) says so first (touched), so
// that the player can pause, and a press on the track moves the handle to
// the pointer at once rather than paging toward it; the drag then continues
// from there. Values set by the program (QSignalBlocker) are not presses.
// The keys act as a press does: they say so first (touched), then ask for a
// step counted in frames (stepRequested), which the control row turns into a
// frame; the slider does not move itself by a share of its range. Keyboard
// focus shows as the application's focus ring around the slider.
// Owned by its control row.

#include <QSlider>

namespace pellor {

class FrameSlider : public QSlider {
    Q_OBJECT

public:
    static constexpr int kSteps = 10000;

    // What a key asks for: the arrows one frame, the Page keys a tenth of the
    // animation, Home and End its first and last frame.
    enum class Step { previousFrame, nextFrame, previousPage, nextPage, first, last };

    explicit FrameSlider(QWidget* parent = nullptr);

    double progress() const { return static_cast<double>(value()) / kSteps; }
    // Moves the handle without telling anyone.
    void showProgress(double progress);

signals:
    // A press began or ended.
    void touched();
    // The user moved the handle to this progress.
    void progressEdited(double progress);
    // A key asked to move the frame.
    void stepRequested(FrameSlider::Step step);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace pellor
