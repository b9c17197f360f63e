#pragma once
// The animations attached to one layer, in the order they were added, with what
// has been reported about each. It keeps the promise made to delegates and
// transactions: "started" once when an animation first reaches its begin time,
// "stopped" exactly once (finished at the first frame at or after its end, or not
// finished when removed, replaced or dropped with its layer), each posted to the
// main run loop, never delivered from inside the call that caused it. Owned by
// its Layer; main thread only.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Compositor/Animation.h"
#include "Platform/Compositor/TransactionCompletion.h"

namespace platform::compositor {

class AnimationList {
public:
    AnimationList() = default;
    AnimationList(const AnimationList&) = delete;
    AnimationList& operator=(const AnimationList&) = delete;
    // Animations still attached when the layer goes away stop unfinished.
    ~AnimationList();

    // Appends `animation` under `key`; an animation already under a non-empty key
    // is removed first and told it did not finish. Animations without a key can
    // only be removed all together. `drawsNothing` says that what the animation
    // drives never changes what its layer draws.
    void add(std::string key, std::shared_ptr<Animation> animation,
             std::vector<std::shared_ptr<TransactionCompletion>> completions, bool drawsNothing = false);
    // False when nothing is attached under the key.
    bool remove(std::string_view key);
    void removeAll();

    std::shared_ptr<const Animation> find(std::string_view key) const;
    // The keys in order of addition, without the animations added with no key.
    std::vector<std::string> keys() const;
    bool empty() const { return entries_.empty(); }
    bool drivesKeyPath(std::string_view keyPath) const;

    // Applies every animation in order at the layer's local time.
    void apply(double localTime, AnimationTarget& target) const;
    // Applies only the animations that drive `keyPath`.
    void apply(double localTime, std::string_view keyPath, AnimationTarget& target) const;

    // Reports starts and finishes at the layer's local time, and drops the
    // finished animations that ask to be removed. True when anything was dropped.
    bool advance(double localTime);
    // Whether no frame can change what these animations show or report: each has
    // been advanced at least once and has either finished (holding its fill) or
    // is frozen, by its own speed of 0 or, when `frozen`, by its layer's time.
    bool isSettled(bool frozen) const;

    // Whether there are animations and each presents one value at every time
    // (Animation::presentsOneValue): what they present does not depend on time.
    bool presentOneValueEach() const;
    // Whether there are animations and none changes what the layer draws from
    // one time to another: each presents one value at every time or drives
    // nothing that is drawn.
    bool drawTheSameEach() const;

private:
    struct Entry {
        std::string key;
        std::shared_ptr<Animation> animation;
        std::vector<std::shared_ptr<TransactionCompletion>> completions;
        bool started = false;
        bool stopped = false;
        bool advanced = false;
        bool presentsOneValue = false;
        bool drawsNothing = false;
    };

    static void reportStart(Entry& entry);
    static void reportStop(Entry& entry, bool finished);

    std::vector<Entry> entries_;
};

}  // namespace platform::compositor
