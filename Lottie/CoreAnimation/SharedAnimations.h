#pragma once
// The animations of the Core Animation engine that every view of a document
// builds alike, kept once: the keyframe animation of a property, put in the
// play request's timing, comes out the same for each view that shows the
// document with the same timing, down to the lists it plays (SharedKeyframeLists).
// Each view wraps the one kept in a timing group of its own (that group's begin
// time is the view's), whose copies share it; an extra view then costs its
// groups, not a second set of animations.
//
// An animation is found again by its content hash and compared in full
// (Animation::sameAs), so only equal animations are ever shared; a shared one
// never changes. The pool holds them weakly: one lives as long as a group
// holds it, and entries of those gone are swept as the pool grows. Animations
// with a delegate are never shared. Process-wide; any thread.

#include <cstddef>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "Platform/Compositor/Animation.h"

namespace lottie {

class SharedAnimations {
public:
    static SharedAnimations& shared();

    // An equal animation already held, else `animation` itself, which the
    // caller must not change from now on. Null for null.
    std::shared_ptr<const platform::compositor::Animation> share(
        std::shared_ptr<const platform::compositor::Animation> animation);

    // How many animations the pool knows, gone ones not yet swept included.
    std::size_t entryCount() const;

private:
    // Drops the entries of animations gone once the pool has doubled since
    // the last sweep, so that sweeping stays a constant cost per animation.
    void sweepIfGrown();

    static constexpr std::size_t minimumSweepSize = 256;
    // Only a few animations of one hash are compared, so that animations
    // made to collide cost a bounded comparison each; past those, an
    // animation is kept unshared.
    static constexpr std::size_t maximumComparedPerHash = 8;
    mutable std::mutex mutex_;
    std::unordered_multimap<std::size_t, std::weak_ptr<const platform::compositor::Animation>> entries_;
    std::size_t sweepAt_ = minimumSweepSize;
};

}  // namespace lottie
