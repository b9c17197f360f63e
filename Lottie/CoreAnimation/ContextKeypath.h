#pragma once
// The keypath an animation context of the Core Animation engine has reached,
// kept as a chain of runs of keys shared with the contexts it was extended
// from. A layer tree hundreds of groups deep gives each of its thousands of
// items a keypath as long as its depth; extending one run by a key, or by the
// shared list of a group's names, takes constant time, and the keys are put
// together only when something reads them (a value provider is looked up, a
// keypath is listed or an issue is reported). A value, held by
// LayerAnimationContext.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "Lottie/Playback/Keypaths/AnimationKeypath.h"

namespace lottie {

class ContextKeypath {
public:
    ContextKeypath() = default;
    // The keys of a whole keypath.
    ContextKeypath(const AnimationKeypath& keypath);  // NOLINT: a context's keypath is set from either

    // This keypath followed by `key`.
    ContextKeypath adding(std::string key) const;
    // This keypath followed by the keys of `other`, shared rather than copied.
    ContextKeypath adding(const ContextKeypath& other) const;

    std::size_t size() const { return last_ ? last_->size : 0; }
    std::vector<std::string> keys() const;
    AnimationKeypath keypath() const { return AnimationKeypath(keys()); }
    // The keys joined with ".".
    std::string fullPath() const;

private:
    // One key, or the keys of another keypath (`nested`), after the runs before it.
    struct Run {
        std::shared_ptr<const Run> previous;
        std::string key;
        std::shared_ptr<const Run> nested;
        // The keys of this run and of every run before it.
        std::size_t size = 0;
    };
    // Writes the keys of `run` and of the runs before it into `keys`, ending at `end`.
    static void write(const Run* run, std::vector<std::string>& keys, std::size_t end);

    std::shared_ptr<const Run> last_;
};

}  // namespace lottie
