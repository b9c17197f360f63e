#include "Pellor/Player/PlayerAccessibility.h"

#include <QAccessibleWidget>
#include <QMenu>

#include "Pellor/Player/AccessibleButtonMenu.h"
#include "Pellor/Player/AccessibleFrameReadout.h"
#include "Pellor/Player/AccessibleMenuButton.h"
#include "Pellor/Player/FrameReadoutLabel.h"
#include "Pellor/Player/FrameSlider.h"
#include "Pellor/Player/MenuButton.h"

namespace pellor {

namespace {

// The slider in frames: its value is the frame the read-out names, its range
// the animation's first to last frame, a step one frame. Setting a value asks
// for that frame as a key on the slider would.
class AccessibleFrameSlider final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleFrameSlider(FrameSlider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return QString::number(frames().current);
        return QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return static_cast<qlonglong>(frames().current); }
    QVariant minimumValue() const override { return static_cast<qlonglong>(frames().first); }
    QVariant maximumValue() const override { return static_cast<qlonglong>(frames().last); }
    QVariant minimumStepSize() const override { return 1; }
    void setCurrentValue(const QVariant& value) override {
        bool number = false;
        const double frame = value.toDouble(&number);
        if (number) slider().requestFrame(frame);
    }

private:
    FrameSlider& slider() const { return *static_cast<FrameSlider*>(widget()); }
    FrameSlider::Frames frames() const { return slider().frames(); }
};

QAccessibleInterface* accessibleInterface(const QString&, QObject* object) {
    if (auto* label = qobject_cast<FrameReadoutLabel*>(object)) return new AccessibleFrameReadout(label);
    if (auto* slider = qobject_cast<FrameSlider*>(object)) return new AccessibleFrameSlider(slider);
    if (auto* button = qobject_cast<MenuButton*>(object)) return new AccessibleMenuButton(button);
    if (auto* menu = qobject_cast<QMenu*>(object); menu && qobject_cast<MenuButton*>(menu->parentWidget())) {
        return new AccessibleButtonMenu(menu);
    }
    return nullptr;
}

}  // namespace

void PlayerAccessibility::install() {
    static const bool installed = [] {
        QAccessible::installFactory(&accessibleInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace pellor
