#pragma once
// The equality the declarative view uses for providers held through their base
// type (image, text, font and value providers): two providers are equal when
// both are of the type P the application named and equal by P's own equality.
// A provider of any other type, or none, is different, so a modifier that
// compares before it sets replaces it.

namespace lottie {

template <class P, class Base>
bool providersAreEqualAs(const Base* left, const Base* right) {
    const P* a = dynamic_cast<const P*>(left);
    const P* b = dynamic_cast<const P*>(right);
    return a != nullptr && b != nullptr && *a == *b;
}

}  // namespace lottie
