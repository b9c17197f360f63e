#include "Lottie/Views/Controls/AnimatedControlAccessibility.h"

#include <QAccessibleWidget>

#include "Lottie/Views/Controls/AnimatedButton.h"

namespace lottie {

namespace {

QAccessibleInterface* accessibleInterface(const QString&, QObject* object) {
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
