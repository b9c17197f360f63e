#pragma once
// A property of an object that can be read and written from outside, made from
// its getter and setter, so that one property can be named as a value:
// LottieView::configure() keeps the hosted view's property at a value through
// one. A property made without a getter can only be written. A
// plain value; main thread only where the object is a widget.

#include <functional>

namespace lottie {

template <class Root, class T>
struct WritableProperty {
    std::function<T(const Root&)> get;
    std::function<void(Root&, const T&)> set;

    // From member functions, e.g. (&View::animationSpeed, &View::setAnimationSpeed).
    template <class Getter, class Setter>
    static WritableProperty of(Getter getter, Setter setter) {
        return {[getter](const Root& root) -> T { return (root.*getter)(); },
                [setter](Root& root, const T& value) { (root.*setter)(value); }};
    }
    // A property that is only written.
    template <class Setter>
    static WritableProperty writeOnly(Setter setter) {
        return {nullptr, [setter](Root& root, const T& value) { (root.*setter)(value); }};
    }
};

}  // namespace lottie
