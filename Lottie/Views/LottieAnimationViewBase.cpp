#include "Lottie/Views/LottieAnimationViewBase.h"

#include <QCoreApplication>
#include <QEvent>

#include "Platform/Compositor/Transaction.h"

namespace lottie {

LottieAnimationViewBase::LottieAnimationViewBase(QWidget* parent) : QWidget(parent) {
    // The view paints every pixel it owns from its own image; Qt need not clear
    // the background first.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void LottieAnimationViewBase::setContentMode(LottieContentMode mode) {
    if (mode == contentMode_) return;
    contentMode_ = mode;
    setNeedsLayout();
}

void LottieAnimationViewBase::setNeedsLayout() {
    needsLayout_ = true;
    if (layoutPosted_) return;
    layoutPosted_ = true;
    QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
}

void LottieAnimationViewBase::layoutIfNeeded() {
    if (!needsLayout_) return;
    needsLayout_ = false;
    platform::compositor::Transaction::begin();
    platform::compositor::Transaction::setDisableActions(true);
    layoutAnimation();
    platform::compositor::Transaction::commit();
}

void LottieAnimationViewBase::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    setNeedsLayout();
}

bool LottieAnimationViewBase::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::LayoutRequest:
            layoutPosted_ = false;
            layoutIfNeeded();
            return true;
        case QEvent::Show:
            if (!event->spontaneous()) checkWindow();
            screenChanged();
            break;
        case QEvent::Hide:
            if (!event->spontaneous()) checkWindow();
            break;
        case QEvent::ParentChange: checkWindow(); break;
        case QEvent::ScreenChangeInternal: screenChanged(); break;
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        case QEvent::DevicePixelRatioChange: screenChanged(); break;
#endif
        default: break;
    }
    return QWidget::event(event);
}

void LottieAnimationViewBase::checkWindow() {
    const bool inWindow = isVisible();
    if (inWindow == inWindow_) return;
    inWindow_ = inWindow;
    windowChanged(inWindow);
}

}  // namespace lottie
