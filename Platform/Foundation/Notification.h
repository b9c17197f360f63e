#pragma once
// What an observer of a NotificationCenter receives: the name that was posted.
// Built by the centre for each post and only lent to the observers, so an observer
// that needs it later copies it.

#include <string>

namespace platform::foundation {

struct Notification {
    std::string name;

    bool operator==(const Notification&) const = default;
};

}  // namespace platform::foundation
