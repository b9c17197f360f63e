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
// that pass; main thread only.

#include <cstddef>
#include <map>
#include <memory>
#include <tuple>
#include <typeindex>

#include "Lottie/CoreAnimation/SamplingBudget.h"

namespace lottie {

class PassResults {
public:
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
        auto value = std::make_shared<const Value>(make());
        const double cost = account.budget ? account.budget->spent() - before : 0;
        results_.emplace(key, Made{value, cost});
        return value;
    }

    // How many results the pass has made.
    std::size_t size() const { return results_.size(); }

private:
    using Key = std::tuple<const void*, long, std::type_index>;
    struct Made {
        std::shared_ptr<const void> value;
        // What making it charged to the budget.
        double cost;
    };
    std::map<Key, Made> results_;
};

}  // namespace lottie
