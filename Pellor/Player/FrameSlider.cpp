#include "Pellor/Player/FrameSlider.h"

#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cmath>

namespace pellor {

FrameSlider::FrameSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setRange(0, kSteps);
    setSingleStep(kSteps / 100);
    setPageStep(kSteps / 10);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QSlider::valueChanged, this, [this](int value) { emit progressEdited(static_cast<double>(value) / kSteps); });
}

void FrameSlider::showProgress(double progress) {
    const QSignalBlocker quiet(this);
    const double clamped = std::isfinite(progress) ? std::clamp(progress, 0.0, 1.0) : 0.0;
    setValue(static_cast<int>(std::lround(clamped * kSteps)));
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

void FrameSlider::mouseReleaseEvent(QMouseEvent* event) {
    QSlider::mouseReleaseEvent(event);
    emit touched();
}

}  // namespace pellor
