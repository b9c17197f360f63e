#include "Lottie/Views/Controls/AnimatedControlAccessibility.h"

#include <QAccessibleWidget>

#include "Lottie/Views/Controls/AnimatedButton.h"
#include "Lottie/Views/Controls/AnimatedSwitch.h"

namespace lottie {

namespace {

// The switch as a checkable control: its value is the text it keeps for its
// state, and it is checked while on.
class AccessibleAnimatedSwitch final : public QAccessibleWidget {
public:
    explicit AccessibleAnimatedSwitch(AnimatedSwitch* control) : QAccessibleWidget(control, QAccessible::CheckBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return control().accessibilityValue();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = control().isOn();
        return state;
    }

private:
    const AnimatedSwitch& control() const { return *static_cast<const AnimatedSwitch*>(widget()); }
};

QAccessibleInterface* accessibleInterface(const QString&, QObject* object) {
    if (auto* control = qobject_cast<AnimatedSwitch*>(object)) return new AccessibleAnimatedSwitch(control);
    if (auto* control = qobject_cast<AnimatedButton*>(object)) return new QAccessibleWidget(control, QAccessible::Button);
    return nullptr;
}

}  // namespace

void AnimatedControlAccessibility::install() {
    static const bool installed = [] {
        QAccessible::installFactory(&accessibleInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace lottie
