#pragma once
// Named notifications delivered to observer blocks, standing in for the platform's
// notification centre. The process has one default centre; a component that wants
// to be told of an event (a cache that empties itself on a memory warning) adds an
// observer and keeps the returned token for as long as it wants to be told.
//
// Threads and the guarantees given:
// - Every operation is safe from any thread. Blocks run synchronously on the
//   posting thread, in the order their observers were added.
// - post() copies the matching observers under the lock and calls them outside
//   it, so a block may add or remove observers, or post, without deadlock.
//   An observer added while a post is under way is first called by the next post.
// - Once removeObserver() (or the token's reset or destruction) returns, the block
//   is never started again, on any thread. An observer removed by an earlier block
//   of the same post is therefore skipped.
// - When removeObserver() is called outside any observer block, it also waits for
//   calls of that block already running on other threads, so on return the block is
//   running nowhere and what it captured may be destroyed. Called from inside a
//   block, it does not wait (two blocks removing each other from two threads would
//   otherwise deadlock); a call in progress elsewhere then finishes normally.
// - An exception thrown by a block propagates to the poster; the remaining
//   observers of that post are not called.

#include "Platform/Foundation/Notification.h"
#include "Platform/Foundation/ObserverToken.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform::foundation {

class NotificationCenter {
public:
    using Block = std::function<void(const Notification&)>;

    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // The process-wide centre. Never destroyed, so observers registered by other
    // statics may be removed during exit.
    static NotificationCenter& defaultCenter();

    // Registers a block for every later post of exactly this name. Throws
    // std::invalid_argument for an empty block.
    [[nodiscard]] ObserverToken addObserver(std::string name, Block block);

    // Same as token.reset(); harmless for an empty or already removed token, or one
    // of another centre (that centre's observer is removed).
    void removeObserver(ObserverToken& token);

    void post(std::string_view name);

    // The number of registered observers (all names); for diagnostics and tests.
    std::size_t observerCount() const;

private:
    friend class ObserverToken;
    static void remove(detail::NotificationCenterState& state, std::uint64_t id);

    std::shared_ptr<detail::NotificationCenterState> state_;
};

}  // namespace platform::foundation
