#pragma once
// How a MeasurementContainer sizes the widget it hosts: from the size the
// layout offers, from the widget's own (intrinsic) size, or one axis each.
// `automatic` is settled into one of the others from the hosted widget's
// intrinsic size (ResolvedMeasurementContainerStrategy), once per content, so
// that Qt's layout questions (sizeHint, heightForWidth) are answered the same
// way until the content's size changes. Plain values.

#include "Platform/Graphics/Size.h"

namespace lottie {

enum class MeasurementContainerStrategy {
    automatic,
    proposed,
    intrinsicHeightProposedWidth,
    intrinsicWidthProposedHeight,
    intrinsic,
};

// The marker of a dimension without a value: any negative number counts as
// absent, and this is the one the container writes.
inline constexpr double noIntrinsicMetric = -1;

struct ResolvedMeasurementContainerStrategy {
    enum class Kind { intrinsic, proposed, intrinsicHeightProposedWidth, intrinsicWidthProposedHeight };

    Kind kind = Kind::proposed;
    // For `intrinsic`: the hosted widget's intrinsic size when the strategy was resolved.
    platform::graphics::Size intrinsicSize{noIntrinsicMetric, noIntrinsicMetric};

    // Settles `strategy` for a hosted widget of that intrinsic size.
    static ResolvedMeasurementContainerStrategy resolve(MeasurementContainerStrategy strategy,
                                                        platform::graphics::Size intrinsicSize);

    bool operator==(const ResolvedMeasurementContainerStrategy&) const = default;
};

}  // namespace lottie
