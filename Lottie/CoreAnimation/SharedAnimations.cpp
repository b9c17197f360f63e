#include "Lottie/CoreAnimation/SharedAnimations.h"

#include <algorithm>

namespace lottie {

using platform::compositor::Animation;

SharedAnimations& SharedAnimations::shared() {
    static SharedAnimations pool;
    return pool;
}

std::shared_ptr<const Animation> SharedAnimations::share(std::shared_ptr<const Animation> animation) {
    if (!animation || animation->delegate()) return animation;
    const std::size_t key = animation->contentHash();
    const std::lock_guard lock(mutex_);
    auto [first, last] = entries_.equal_range(key);
    std::size_t compared = 0;
    for (auto entry = first; entry != last && compared < maximumComparedPerHash; ++entry) {
        std::shared_ptr<const Animation> held = entry->second.lock();
        if (!held) continue;
        if (held == animation || held->sameAs(*animation)) return held;
        ++compared;
    }
    if (compared == maximumComparedPerHash) return animation;
    sweepIfGrown();
    entries_.emplace(key, animation);
    return animation;
}

std::size_t SharedAnimations::entryCount() const {
    const std::lock_guard lock(mutex_);
    return entries_.size();
}

void SharedAnimations::sweepIfGrown() {
    if (entries_.size() < sweepAt_) return;
    std::erase_if(entries_, [](const auto& entry) { return entry.second.expired(); });
    sweepAt_ = std::max<std::size_t>(minimumSweepSize, 2 * entries_.size());
}

}  // namespace lottie
