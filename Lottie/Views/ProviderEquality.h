#pragma once
// The equality the declarative views use for providers held through their base
// type (image, text, font and value providers): two providers are equal when
// both are of the type P the application named and equal by P's own equality.
// A provider of any other type, or none, is different, so a modifier that
// compares before it sets replaces it.

#include <memory>

#include "Lottie/Playback/Keypaths/AnimationKeypath.h"
#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"

namespace lottie {

template <class P, class Base>
bool providersAreEqualAs(const Base* left, const Base* right) {
    const P* a = dynamic_cast<const P*>(left);
    const P* b = dynamic_cast<const P*>(right);
    return a != nullptr && b != nullptr && *a == *b;
}

// Installs the value provider for the keypath on `target` (an animation view,
// or a control that forwards to one) unless the view already holds one equal
// to it by P's equality.
template <class P, class Target, class View>
void installValueProviderUnlessEqual(Target& target, const View& view, const std::shared_ptr<P>& provider,
                                     const AnimationKeypath& keypath) {
    const auto& installed = view.valueProviders();
    const auto current = installed.find(keypath);
    const AnyValueProvider* held = current == installed.end() ? nullptr : current->second.get();
    if (providersAreEqualAs<P, AnyValueProvider>(held, provider.get())) return;
    target.installValueProvider(provider, keypath);
}

}  // namespace lottie
