#pragma once
// Names one or more places in an animation's hierarchy by their names, from the
// outermost layer inward to a property: "Layer.Group.Shape.Fill.Color". A key of
// "*" stands for any one name, "**" for any number of levels (none included), and
// any other key holding a "*" is a pattern (see KeyMatching.h). A plain value owned
// by whoever holds it: callers pass keypaths to value providers, text providers and
// the layer lookups.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lottie {

class AnimationKeypath {
public:
    AnimationKeypath() = default;
    // Splits at every "."; empty keys stay (two dots in a row give an empty key).
    explicit AnimationKeypath(std::string_view dottedText);
    // Taken as they are; a key may then itself hold a ".".
    explicit AnimationKeypath(std::vector<std::string> keys) : keys_(std::move(keys)) {}

    const std::vector<std::string>& keys() const { return keys_; }
    // The keys joined with ".".
    std::string fullPath() const;

    // What an element's children must match once the element's name has matched the
    // first key; nothing when the first key doesn't match or is the only key.
    std::optional<AnimationKeypath> nextKeypathAfterMatch(std::string_view name) const;

    // The key naming a property of the element reached: with one key, that key;
    // with "**" and one more key, that key; otherwise nothing.
    std::optional<std::string> finalKey() const;

    // Whether `other`, as dotted text, matches this keypath as a whole pattern: here a
    // key "*" stands for exactly one level, "**" for any number (none included), and
    // every other key is compared literally. Used to find the value providers a
    // removal by keypath takes away.
    bool matches(const AnimationKeypath& other) const;

    bool operator==(const AnimationKeypath&) const = default;
    std::size_t hash() const;

private:
    std::vector<std::string> keys_;
};

}  // namespace lottie

template <>
struct std::hash<lottie::AnimationKeypath> {
    std::size_t operator()(const lottie::AnimationKeypath& keypath) const { return keypath.hash(); }
};
