#pragma once
// The widget an application puts where a LottieButton or LottieSwitch should
// show. Each call to apply() is one update: the first makes the control (in a
// MeasurementContainer that fills the host), every call then brings that same
// control up to date with the value given, so that an application can rebuild
// the description freely while the widget, its state and its animation stay.
// Value is LottieButton or LottieSwitch.
//
// Owns the container and the control (Qt children). Owned by its Qt parent or
// its creator; main thread only.

#include <QResizeEvent>
#include <QWidget>

namespace lottie {

template <class Value>
class LottieControlHost : public QWidget {
public:
    using Control = typename Value::Control;
    using Container = typename Value::Bridge::Container;

    explicit LottieControlHost(QWidget* parent = nullptr) : QWidget(parent) {}

    // One update with a new description.
    void apply(const Value& value) {
        const typename Value::Bridge bridge = value.bridge();
        if (!container_) {
            container_ = bridge.makeHost(this);
            container_->setGeometry(rect());
            container_->show();
        }
        bridge.update(*container_);
    }

    // None before the first apply().
    Control* control() const { return container_ ? &container_->hostedView() : nullptr; }
    Container* container() const { return container_; }

    QSize sizeHint() const override { return container_ ? container_->sizeHint() : QSize(0, 0); }
    QSize minimumSizeHint() const override { return container_ ? container_->minimumSizeHint() : QSize(0, 0); }
    bool hasHeightForWidth() const override { return container_ && container_->hasHeightForWidth(); }
    int heightForWidth(int width) const override { return container_ ? container_->heightForWidth(width) : -1; }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (container_) container_->setGeometry(rect());
    }

private:
    Container* container_ = nullptr;
};

}  // namespace lottie
