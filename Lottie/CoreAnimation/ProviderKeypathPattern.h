#pragma once
// How the Core Animation engine's value-provider store matches the keypath of
// an installed provider (the pattern) against the keypath of a property (the
// subject). Both are read as their keys joined with "."; in the pattern
//
//   "**" followed by "."   any text, none included ("**.Color" also matches "Stroke Color")
//   "**" elsewhere         any text
//   "*"                    one or more characters other than "."
//
// and every other character, "." between keys included, matches only itself,
// whatever it would mean in a regular expression: a key "Layer (1)" or "a+b"
// names exactly that layer. The whole subject must be matched. Stateless.

#include "Lottie/Playback/Keypaths/AnimationKeypath.h"

namespace lottie {

struct ProviderKeypathPattern {
    static bool matches(const AnimationKeypath& pattern, const AnimationKeypath& subject);
};

}  // namespace lottie
