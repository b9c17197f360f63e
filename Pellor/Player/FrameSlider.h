#pragma once
// The control row's frame slider: a horizontal slider over 0...1 in fine
// steps. A press anywhere on it (handle or track) says so first (touched), so
// that the player can pause, and a press on the track moves the handle to
// the pointer at once rather than paging toward it; the drag then continues
// from there. Values set by the program (QSignalBlocker) are not presses.
// The keys act as a press does: they say so first (touched), then ask for a
// step counted in frames (stepRequested), which the control row turns into a
// frame; the slider does not move itself by a share of its range. Tab and a
// click give it the keyboard focus, which (from the keyboard) shows as the
// application's focus ring around the slider.
// Assistive tools read it in frames (PlayerAccessibility): the control row
// tells it the frame shown and the animation's first and last frames, and a
// value set by such a tool is a frame asked for (frameRequested).
// Owned by its control row.

#include <QSlider>
#include <cstdint>

namespace pellor {

class FrameSlider : public QSlider {
    Q_OBJECT

public:
    static constexpr int kSteps = 10000;

    // What a key asks for: the arrows one frame, the Page keys a tenth of the
    // animation, Home and End its first and last frame.
    enum class Step { previousFrame, nextFrame, previousPage, nextPage, first, last };

    explicit FrameSlider(QWidget* parent = nullptr);

    // Whole frames, as the read-out names them; all 0 without an animation.
    struct Frames {
        std::int64_t current = 0;
        std::int64_t first = 0;
        std::int64_t last = 0;
        bool operator==(const Frames&) const = default;
    };

    double progress() const { return static_cast<double>(value()) / kSteps; }
    // Moves the handle without telling anyone.
    void showProgress(double progress);
    // The frames assistive tools are given; a new current frame is announced to them.
    void showFrames(const Frames& frames);
    const Frames& frames() const { return frames_; }
    // Asks for a frame as a press would: touched, then frameRequested.
    void requestFrame(double frame);

signals:
    // A press began or ended.
    void touched();
    // The user moved the handle to this progress.
    void progressEdited(double progress);
    // A key asked to move the frame.
    void stepRequested(FrameSlider::Step step);
    // An assistive tool asked for this frame.
    void frameRequested(double frame);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Frames frames_;
};

}  // namespace pellor
