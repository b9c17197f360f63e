#pragma once
// The registration of one observer block with a NotificationCenter, owned by whoever
// added the observer (a cache keeps it as a member). Destroying the token, calling
// reset(), or passing it to NotificationCenter::removeObserver all remove the
// observer; doing so more than once, or after the centre itself is gone, is harmless.
// Movable, not copyable: one registration has one owner.

#include <cstdint>
#include <memory>

namespace platform::foundation {

namespace detail {
struct NotificationCenterState;
}

class ObserverToken {
public:
    // An empty token, registered nowhere.
    ObserverToken() = default;
    ~ObserverToken();

    ObserverToken(ObserverToken&& other) noexcept;
    ObserverToken& operator=(ObserverToken&& other) noexcept;
    ObserverToken(const ObserverToken&) = delete;
    ObserverToken& operator=(const ObserverToken&) = delete;

    // Removes the observer now (with the guarantees of NotificationCenter::removeObserver)
    // and leaves the token empty.
    void reset();

    // Whether the token still refers to a registration it has not removed.
    bool isRegistered() const noexcept { return id_ != 0; }

private:
    friend class NotificationCenter;
    ObserverToken(std::weak_ptr<detail::NotificationCenterState> centre, std::uint64_t id)
        : centre_(std::move(centre)), id_(id) {}

    // Weak, so a token that outlives its centre neither keeps it alive nor dangles.
    std::weak_ptr<detail::NotificationCenterState> centre_;
    std::uint64_t id_ = 0;
};

}  // namespace platform::foundation
