#pragma once
// What one display pass of the Core Animation engine derives from a shape item
// alone and hands to every copy of that item the pass animates: a repeater of
// a dozen copies, or a precomposition shown many times, builds the same star
// outlines once instead of once per copy. A result is found by the item, a
// variant (what else it depends on, such as how often a path is repeated) and
// its type; the items belong to the document, which outlives the pass.
//
// Each copy is charged what the result cost when it was made, so that the
// sampling budget refuses a document at the same point as when every copy made
// its own. Made by the root layer for each pass and shared by the contexts of
// that pass. The first display pass may take the results of a pass run ahead
// on the thread that built the tree (CoreAnimationLayer::deriveAhead), which
// also holds here what it made in the process-wide pools (ItemDerivedPool)
// until the display pass finds it there, and counts the processor time all
// that took: the display pass's deadline counts it as its own. Used by one
// thread at a time.

#include <cstddef>
#include <map>
#include <memory>
#include <tuple>
#include <typeindex>
#include <vector>

#include "Lottie/CoreAnimation/SamplingBudget.h"
#include "Platform/Graphics/ProcessorClock.h"

namespace lottie {

class PassResults {
public:
    PassResults() = default;
    // For a pass run ahead: the time of making each result is counted.
    struct Ahead {};
    explicit PassResults(Ahead) : ahead_(true) {}

    // The result for `item` and `variant`, made by `make` (returning a Value,
    // charging `account` as it goes) the first time it is asked for.
    template <class Value, class Make>
    std::shared_ptr<const Value> shared(const void* item, long variant, const SamplingAccount& account,
                                        const Make& make) {
        const Key key{item, variant, std::type_index(typeid(Value))};
        if (const auto found = results_.find(key); found != results_.end()) {
            if (found->second.cost > 0) account.charge(1, found->second.cost);
            return std::static_pointer_cast<const Value>(found->second.value);
        }
        const double before = account.budget ? account.budget->spent() : 0;
        const double started = ahead_ ? threadSeconds() : 0;
        auto value = std::make_shared<const Value>(make());
        if (ahead_) derivedSeconds_ += threadSeconds() - started;
        const double cost = account.budget ? account.budget->spent() - before : 0;
        results_.emplace(key, Made{value, cost});
        return value;
    }

    // How many results the pass has made.
    std::size_t size() const { return results_.size(); }

    // The result of a process-wide pool (which holds its results only while
    // someone does) that `make` asks it for, held as long as these results
    // live, a pointer to none among them.
    template <class Make>
    auto kept(const Make& make) {
        const double started = ahead_ ? threadSeconds() : 0;
        auto held = make();
        if (ahead_) derivedSeconds_ += threadSeconds() - started;
        kept_.push_back(held);
        return held;
    }

    // The processor time making the results took, in a pass run ahead.
    double derivedSeconds() const { return derivedSeconds_; }

private:
    using Key = std::tuple<const void*, long, std::type_index>;
    struct Made {
        std::shared_ptr<const void> value;
        // What making it charged to the budget.
        double cost;
    };
    std::map<Key, Made> results_;
    std::vector<std::shared_ptr<const void>> kept_;
    bool ahead_ = false;
    double derivedSeconds_ = 0;

    static double threadSeconds() { return platform::graphics::ProcessorClock::installed()->threadSeconds(); }
};

}  // namespace lottie
