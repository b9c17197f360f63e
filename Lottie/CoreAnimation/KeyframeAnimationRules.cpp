#include "Lottie/CoreAnimation/KeyframeAnimationRules.h"

#include <string>

namespace lottie {

using platform::compositor::AnimatableValue;
using platform::compositor::CalculationMode;
using platform::compositor::TimingFunction;

namespace {

constexpr const char* sourceFile = "Lottie/KeyframeAnimationRules";

const char* modeName(CalculationMode mode) {
    switch (mode) {
        case CalculationMode::linear: return "linear";
        case CalculationMode::discrete: return "discrete";
        case CalculationMode::paced: return "paced";
        case CalculationMode::cubic: return "cubic";
    }
    return "unknown";
}

}  // namespace

void KeyframeAnimationRules::conformToKeyframeAnimationRules(std::vector<AnimatableValue>& values,
                                                             std::vector<double>& keyTimes,
                                                             std::vector<TimingFunction>& timingFunctions,
                                                             CalculationMode mode, const LottieLogger& logger) {
    // Nothing to copy into the added key times: outside every caller's contract.
    if (values.empty()) return;
    if (keyTimes.empty() || keyTimes.front() != 0) {
        keyTimes.insert(keyTimes.begin(), 0.0);
        values.insert(values.begin(), AnimatableValue(values.front()));
        timingFunctions.insert(timingFunctions.begin(), TimingFunction::linear());
    }
    if (keyTimes.back() != 1) {
        keyTimes.push_back(1.0);
        values.push_back(AnimatableValue(values.back()));
        timingFunctions.push_back(TimingFunction::linear());
    }
    switch (mode) {
        case CalculationMode::linear:
        case CalculationMode::cubic:
            logger.assert_([equal = values.size() == keyTimes.size()] { return equal; },
                           [] { return std::string("`values.count` must exactly equal `keyTimes.count`"); },
                           sourceFile, __LINE__);
            logger.assert_([equal = timingFunctions.size() + 1 == values.size()] { return equal; },
                           [] { return std::string("`timingFunctions.count` must exactly equal `values.count - 1`"); },
                           sourceFile, __LINE__);
            break;
        case CalculationMode::discrete:
            values.pop_back();
            logger.assert_([equal = keyTimes.size() == values.size() + 1] { return equal; },
                           [] { return std::string("`keyTimes.count` must exactly equal `values.count + 1`"); },
                           sourceFile, __LINE__);
            break;
        default:
            logger.assertionFailure(
                [mode] { return std::string("Unexpected keyframe calculation mode ") + modeName(mode); }, sourceFile,
                __LINE__);
            break;
    }
}

}  // namespace lottie
