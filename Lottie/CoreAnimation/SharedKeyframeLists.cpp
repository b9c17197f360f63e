#include "Lottie/CoreAnimation/SharedKeyframeLists.h"

#include "Platform/Graphics/HashCombine.h"

namespace lottie {

std::size_t SharedKeyframeLists::TimingFunctionHash::operator()(
    const platform::compositor::TimingFunction& function) const {
    std::size_t seed = 0;
    for (float point : function.controlPoints()) platform::graphics::hashCombine(seed, std::hash<float>{}(point));
    return seed;
}

SharedKeyframeLists::ValuePool& SharedKeyframeLists::values() {
    static ValuePool pool;
    return pool;
}

SharedKeyframeLists::KeyTimePool& SharedKeyframeLists::keyTimes() {
    static KeyTimePool pool;
    return pool;
}

SharedKeyframeLists::TimingFunctionPool& SharedKeyframeLists::timingFunctions() {
    static TimingFunctionPool pool;
    return pool;
}

SharedKeyframeLists::MotionPathPool& SharedKeyframeLists::motionPaths() {
    static MotionPathPool pool;
    return pool;
}

}  // namespace lottie
