#include "Platform/Foundation/ObserverToken.h"

#include "Platform/Foundation/NotificationCenter.h"

#include <utility>

namespace platform::foundation {

ObserverToken::~ObserverToken() {
    reset();
}

ObserverToken::ObserverToken(ObserverToken&& other) noexcept
    : centre_(std::move(other.centre_)), id_(std::exchange(other.id_, 0)) {}

ObserverToken& ObserverToken::operator=(ObserverToken&& other) noexcept {
    if (this != &other) {
        reset();
        centre_ = std::move(other.centre_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

void ObserverToken::reset() {
    const auto id = std::exchange(id_, 0);
    auto centre = centre_.lock();
    centre_.reset();
    if (id != 0 && centre) {
        NotificationCenter::remove(*centre, id);
    }
}

}  // namespace platform::foundation
