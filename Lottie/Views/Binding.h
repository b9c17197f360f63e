#pragma once
// A two-way reference to a value that lives elsewhere: a pair of callables, one
// reading the value and one writing it. Through it a LottieView reports the
// frame it shows to state its application keeps (a slider, a read-out), and a
// LottieSwitch follows an on/off state both ways. A plain value; the callables
// decide where the value lives and on which thread they may run (the views
// call them on the main thread only).

#include <functional>
#include <utility>

namespace lottie {

template <class T>
struct Binding {
    std::function<T()> get;
    std::function<void(T)> set;

    // A binding over a variable that outlives it.
    static Binding to(T& variable) {
        return {[&variable] { return variable; }, [&variable](T value) { variable = std::move(value); }};
    }
};

}  // namespace lottie
