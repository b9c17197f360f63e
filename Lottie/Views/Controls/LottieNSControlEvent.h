#pragma once
// One mouse event as an animated control tracks it: what happened (a Qt event
// type: press, move or release of the left button) and whether the pointer
// was inside the control's bounds when it happened. AnimatedButton keys its
// play ranges by these. A plain, hashable value; the name is part of the
// library's public interface and stays as callers know it.
//
// Qt reports every move of a pressed pointer as QEvent::MouseMove, inside or
// out; a range for (MouseMove, false) plays when the pointer is dragged out.

#include <QEvent>
#include <cstddef>
#include <functional>

namespace lottie {

struct LottieNSControlEvent {
    QEvent::Type event = QEvent::None;
    bool inside = false;

    // The three events a click is made of.
    static constexpr LottieNSControlEvent mouseDown() { return {QEvent::MouseButtonPress, true}; }
    static constexpr LottieNSControlEvent mouseUpInside() { return {QEvent::MouseButtonRelease, true}; }
    static constexpr LottieNSControlEvent mouseUpOutside() { return {QEvent::MouseButtonRelease, false}; }

    bool operator==(const LottieNSControlEvent&) const = default;
};

}  // namespace lottie

template <>
struct std::hash<lottie::LottieNSControlEvent> {
    std::size_t operator()(const lottie::LottieNSControlEvent& value) const {
        return std::hash<int>()(static_cast<int>(value.event)) * 2 + (value.inside ? 1 : 0);
    }
};
