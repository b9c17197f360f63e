#include "Platform/Compositor/AnimationList.h"

#include <algorithm>

#include "Platform/Foundation/MainRunLoop.h"

namespace platform::compositor {

namespace {

void post(std::function<void()> work) { foundation::MainRunLoop::shared().post(std::move(work)); }

}  // namespace

AnimationList::~AnimationList() { removeAll(); }

void AnimationList::reportStart(Entry& entry) {
    if (entry.started) {
        return;
    }
    entry.started = true;
    if (std::shared_ptr<AnimationDelegate> delegate = entry.animation->delegate()) {
        std::shared_ptr<const Animation> animation = entry.animation;
        post([delegate, animation] { delegate->animationDidStart(animation); });
    }
}

void AnimationList::reportStop(Entry& entry, bool finished) {
    if (entry.stopped) {
        return;
    }
    entry.stopped = true;
    if (std::shared_ptr<AnimationDelegate> delegate = entry.animation->delegate()) {
        std::shared_ptr<const Animation> animation = entry.animation;
        post([delegate, animation, finished] { delegate->animationDidStop(animation, finished); });
    }
    // After the delegate's report in the run loop's order, so a transaction's block
    // runs after the animations it waited for have said so.
    for (const std::shared_ptr<TransactionCompletion>& completion : entry.completions) {
        completion->animationStopped();
    }
    entry.completions.clear();
}

void AnimationList::add(std::string key, std::shared_ptr<Animation> animation,
                        std::vector<std::shared_ptr<TransactionCompletion>> completions, bool drawsNothing) {
    if (!key.empty()) {
        remove(key);
    }
    const bool presentsOneValue = animation->presentsOneValue();
    entries_.push_back(Entry{std::move(key), std::move(animation), std::move(completions)});
    entries_.back().presentsOneValue = presentsOneValue;
    entries_.back().drawsNothing = drawsNothing;
}

bool AnimationList::remove(std::string_view key) {
    if (key.empty()) {
        return false;
    }
    const auto found = std::find_if(entries_.begin(), entries_.end(), [key](const Entry& e) { return e.key == key; });
    if (found == entries_.end()) {
        return false;
    }
    Entry entry = std::move(*found);
    entries_.erase(found);
    reportStop(entry, false);
    return true;
}

void AnimationList::removeAll() {
    std::vector<Entry> entries = std::move(entries_);
    entries_.clear();
    for (Entry& entry : entries) {
        reportStop(entry, false);
    }
}

std::shared_ptr<const Animation> AnimationList::find(std::string_view key) const {
    if (key.empty()) {
        return nullptr;
    }
    for (const Entry& entry : entries_) {
        if (entry.key == key) {
            return entry.animation;
        }
    }
    return nullptr;
}

std::vector<std::string> AnimationList::keys() const {
    std::vector<std::string> keys;
    for (const Entry& entry : entries_) {
        if (!entry.key.empty()) {
            keys.push_back(entry.key);
        }
    }
    return keys;
}

bool AnimationList::drivesKeyPath(std::string_view keyPath) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [keyPath](const Entry& e) { return e.animation->drivesKeyPath(keyPath); });
}

void AnimationList::apply(double localTime, AnimationTarget& target) const {
    for (const Entry& entry : entries_) {
        entry.animation->apply(localTime, target);
    }
}

void AnimationList::apply(double localTime, std::string_view keyPath, AnimationTarget& target) const {
    for (const Entry& entry : entries_) {
        if (entry.animation->drivesKeyPath(keyPath)) {
            entry.animation->apply(localTime, target);
        }
    }
}

bool AnimationList::advance(double localTime) {
    bool dropped = false;
    for (std::size_t i = 0; i < entries_.size();) {
        Entry& entry = entries_[i];
        entry.advanced = true;
        const MediaTiming::State state = entry.animation->timing().evaluate(localTime);
        if (state.phase != MediaTiming::Phase::before) {
            reportStart(entry);
        }
        if (state.phase == MediaTiming::Phase::after && !entry.stopped) {
            reportStop(entry, true);
            if (entry.animation->isRemovedOnCompletion()) {
                entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
                dropped = true;
                continue;
            }
        }
        ++i;
    }
    return dropped;
}

bool AnimationList::presentOneValueEach() const {
    return !entries_.empty() &&
           std::all_of(entries_.begin(), entries_.end(), [](const Entry& entry) { return entry.presentsOneValue; });
}

bool AnimationList::drawTheSameEach() const {
    return !entries_.empty() && std::all_of(entries_.begin(), entries_.end(), [](const Entry& entry) {
        return entry.presentsOneValue || entry.drawsNothing;
    });
}

bool AnimationList::isSettled(bool frozen) const {
    for (const Entry& entry : entries_) {
        if (!entry.advanced) return false;
        if (entry.stopped || frozen || entry.animation->speed() == 0) continue;
        return false;
    }
    return true;
}

}  // namespace platform::compositor
