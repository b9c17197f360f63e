#include "Pellor/Styles/AppIconView.h"

#include <QEasingCurve>
#include <QPainter>

#include "Pellor/Resources/ApplicationIcon.h"

namespace pellor {

AppIconView::AppIconView(QSize size, QWidget* parent) : QWidget(parent), size_(size), icon_(applicationIcon()) {
    setFixedSize(size);
    setAttribute(Qt::WA_Hover);
    setToolTip(tr("Pellor"));
    // A damped spring: a short overshoot that settles in about half a second.
    spring_.setDuration(500);
    spring_.setEasingCurve(QEasingCurve(QEasingCurve::OutBack));
    connect(&spring_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        scale_ = value.toDouble();
        update();
    });
}

void AppIconView::enterEvent(QEnterEvent* event) {
    setHovering(true);
    QWidget::enterEvent(event);
}

void AppIconView::leaveEvent(QEvent* event) {
    setHovering(false);
    QWidget::leaveEvent(event);
}

void AppIconView::setHovering(bool hovering) {
    if (hovering_ == hovering) return;
    hovering_ = hovering;
    spring_.stop();
    spring_.setStartValue(scale_);
    spring_.setEndValue(targetScale());
    spring_.start();
}

void AppIconView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF area(rect());
    painter.translate(area.center());
    painter.scale(scale_, scale_);
    painter.translate(-area.center());
    icon_.paint(&painter, rect(), Qt::AlignCenter);
}

}  // namespace pellor
