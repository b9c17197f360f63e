#include "Pellor/Player/FrameSlider.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cmath>
#include <optional>

#include "Pellor/Player/PlayerAccessibility.h"
#include "Pellor/Styles/FocusRing.h"

namespace pellor {

FrameSlider::FrameSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    PlayerAccessibility::install();
    setRange(0, kSteps);
    setSingleStep(kSteps / 100);
    setPageStep(kSteps / 10);
    // A click takes the focus as Tab does, so that the arrow keys its tooltip
    // names work from there; Space, which it leaves alone, still reaches the player.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QSlider::valueChanged, this, [this](int value) { emit progressEdited(static_cast<double>(value) / kSteps); });
}

void FrameSlider::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    // The platform style only tints the groove of a focused slider, which is
    // hard to see; a keyboard user gets the application's ring around it all.
    if (!showsFocusRing(*this)) return;
    QPainter painter(this);
    const QRectF area(rect());
    drawFocusRing(painter, area, std::min(6.0, area.height() / 2), colorSchemeOf(*this));
}

void FrameSlider::showProgress(double progress) {
    const QSignalBlocker quiet(this);
    const double clamped = std::isfinite(progress) ? std::clamp(progress, 0.0, 1.0) : 0.0;
    setValue(static_cast<int>(std::lround(clamped * kSteps)));
}

void FrameSlider::showFrames(const Frames& frames) {
    if (frames == frames_) return;
    const bool moved = frames.current != frames_.current;
    frames_ = frames;
    if (!moved) return;
    QAccessibleValueChangeEvent event(this, static_cast<qlonglong>(frames_.current));
    QAccessible::updateAccessibility(&event);
}

void FrameSlider::requestFrame(double frame) {
    emit touched();
    emit frameRequested(frame);
}

void FrameSlider::mousePressEvent(QMouseEvent* event) {
    emit touched();
    if (event->button() == Qt::LeftButton) {
        QStyleOptionSlider option;
        initStyleOption(&option);
        const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        if (!handle.contains(event->position().toPoint())) {
            const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
            const int span = std::max(1, groove.width() - handle.width());
            const int x = static_cast<int>(event->position().x()) - groove.x() - handle.width() / 2;
            setValue(QStyle::sliderValueFromPosition(minimum(), maximum(), x, span, option.upsideDown));
        }
    }
    QSlider::mousePressEvent(event);
}

namespace {

std::optional<FrameSlider::Step> stepOfKey(int key) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Down: return FrameSlider::Step::previousFrame;
    case Qt::Key_Right:
    case Qt::Key_Up: return FrameSlider::Step::nextFrame;
    case Qt::Key_PageDown: return FrameSlider::Step::previousPage;
    case Qt::Key_PageUp: return FrameSlider::Step::nextPage;
    case Qt::Key_Home: return FrameSlider::Step::first;
    case Qt::Key_End: return FrameSlider::Step::last;
    default: return std::nullopt;
    }
}

}  // namespace

void FrameSlider::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
    const auto step = held == Qt::NoModifier ? stepOfKey(event->key()) : std::nullopt;
    if (!step) return QSlider::keyPressEvent(event);
    event->accept();
    emit touched();
    emit stepRequested(*step);
}

void FrameSlider::mouseReleaseEvent(QMouseEvent* event) {
    QSlider::mouseReleaseEvent(event);
    emit touched();
}

}  // namespace pellor
