#include "Lottie/Playback/ReducedMotionOption.h"

#include <typeindex>

namespace lottie {

ReducedMotionOption ReducedMotionOption::systemSetting() {
    return dynamic(std::make_shared<SystemReducedMotionOptionProvider>(),
                   AnyHashable(std::type_index(typeid(SystemReducedMotionOptionProvider))));
}

bool ReducedMotionOption::operator==(const ReducedMotionOption& other) const {
    if (isDynamic() != other.isDynamic()) return false;
    return isDynamic() ? dataID_ == other.dataID_ : mode_ == other.mode_;
}

std::size_t ReducedMotionOption::hash() const {
    return isDynamic() ? dataID_.hash() : static_cast<std::size_t>(mode_);
}

}  // namespace lottie
