#pragma once
// Groups of changes to layers, nested with begin() and commit(). Stands in for the
// platform's transactions; all state is static and belongs to the main thread.
//
// A change made outside any begin() opens an implicit transaction that commits on
// the next turn of the main run loop. Settings of an inner transaction hide those
// of the outer ones until it commits:
// - disable actions: kept for callers; no implicit animations exist to disable;
// - animation duration and timing function: given to animations added inside that
//   have a duration of 0 or no timing function of their own;
// - completion block: posted to the main run loop once every animation added
//   after it was set (in this transaction or one nested in it) has stopped, and
//   the transaction has committed; on the next turn if none was added. Setting a
//   new block seals the old one as if its transaction had committed.
// A commit() without a matching begin() does nothing.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "Platform/Compositor/TimingFunction.h"
#include "Platform/Compositor/TransactionCompletion.h"

namespace platform::compositor {

class Transaction {
public:
    Transaction() = delete;

    static void begin();
    static void commit();
    // Open transactions, an implicit one included.
    static std::size_t depth();

    static bool disableActions();
    static void setDisableActions(bool disable);

    static std::optional<double> animationDuration();
    static void setAnimationDuration(double seconds);

    static std::optional<TimingFunction> animationTimingFunction();
    static void setAnimationTimingFunction(std::optional<TimingFunction> function);

    // An empty block leaves the transaction without one; a block set before it is
    // sealed, as when replaced.
    static void setCompletionBlock(std::function<void()> block);

    // Called by a layer as it attaches an animation: the completions that must hear
    // when that animation stops.
    static std::vector<std::shared_ptr<TransactionCompletion>> completionsForNewAnimation();
};

}  // namespace platform::compositor
