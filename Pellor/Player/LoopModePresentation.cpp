#include "Pellor/Player/LoopModePresentation.h"

#include <QCoreApplication>

namespace pellor {

using lottie::LottieLoopMode;

namespace {

QString tr(const char* text, int count = -1) { return QCoreApplication::translate("LoopMode", text, nullptr, count); }

}  // namespace

QString loopModeLabel(const LottieLoopMode& mode) {
    switch (mode.kind()) {
    case LottieLoopMode::Kind::playOnce:
        return tr("Play Once");
    case LottieLoopMode::Kind::loop:
        return tr("Loop");
    case LottieLoopMode::Kind::autoReverse:
        return tr("Auto Reverse");
    case LottieLoopMode::Kind::repeat:
    case LottieLoopMode::Kind::repeatBackwards: {
        // The count as printf's "%f" writes it; "time" agrees with a count of one.
        const float count = mode.count();
        const QString number = QString::asprintf("%f", static_cast<double>(count));
        const bool one = count == 1.0f;
        if (mode.kind() == LottieLoopMode::Kind::repeat) {
            return (one ? tr("Repeat %1 time") : tr("Repeat %1 times")).arg(number);
        }
        return (one ? tr("Repeat Backwards %1 time") : tr("Repeat Backwards %1 times")).arg(number);
    }
    }
    return {};
}

QString loopModeSymbol(const LottieLoopMode& mode) {
    switch (mode.kind()) {
    case LottieLoopMode::Kind::playOnce:
        return QStringLiteral("repeat.1");
    case LottieLoopMode::Kind::loop:
        return QStringLiteral("repeat");
    case LottieLoopMode::Kind::autoReverse:
        return QStringLiteral("arrow.left.and.right");
    default:
        return {};
    }
}

LottieLoopMode nextLoopMode(const LottieLoopMode& mode) {
    switch (mode.kind()) {
    case LottieLoopMode::Kind::loop:
        return LottieLoopMode::autoReverse();
    case LottieLoopMode::Kind::autoReverse:
        return LottieLoopMode::playOnce();
    default:
        return LottieLoopMode::loop();
    }
}

}  // namespace pellor
