#include "Lottie/Views/MeasurementContainerStrategy.h"

namespace lottie {

using Kind = ResolvedMeasurementContainerStrategy::Kind;

namespace {
constexpr platform::graphics::Size absentSize{noIntrinsicMetric, noIntrinsicMetric};
}  // namespace

ResolvedMeasurementContainerStrategy ResolvedMeasurementContainerStrategy::resolve(
    MeasurementContainerStrategy strategy, platform::graphics::Size intrinsicSize) {
    switch (strategy) {
        case MeasurementContainerStrategy::proposed:
            return {Kind::proposed, absentSize};
        case MeasurementContainerStrategy::intrinsicHeightProposedWidth:
            return {Kind::intrinsicHeightProposedWidth, absentSize};
        case MeasurementContainerStrategy::intrinsicWidthProposedHeight:
            return {Kind::intrinsicWidthProposedHeight, absentSize};
        case MeasurementContainerStrategy::intrinsic:
            return {Kind::intrinsic, intrinsicSize};
        case MeasurementContainerStrategy::automatic:
            break;
    }
    // An absent dimension is negative, so it counts as "not positive" here; a
    // dimension that is not a number falls through to `intrinsic`.
    const bool noWidth = intrinsicSize.width <= 0;
    const bool noHeight = intrinsicSize.height <= 0;
    if (noWidth && noHeight) return {Kind::proposed, absentSize};
    if (noWidth && !noHeight) return {Kind::intrinsicHeightProposedWidth, absentSize};
    if (!noWidth && noHeight) return {Kind::intrinsicWidthProposedHeight, absentSize};
    return {Kind::intrinsic, intrinsicSize};
}

}  // namespace lottie
