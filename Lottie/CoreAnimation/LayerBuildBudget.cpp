#include "Lottie/CoreAnimation/LayerBuildBudget.h"

#include "Lottie/Playback/Engine/LayerBuildWeight.h"

namespace lottie {

void LayerBuildBudget::reportOnce(bool& reported, std::string message, const CompatibilityTrackerProviding& reporter) {
    if (reported) return;
    // Marked first: in abort mode the report throws.
    reported = true;
    reporter.reportCompatibilityIssue(std::move(message));
}

bool LayerBuildBudget::take(std::size_t weight, const CompatibilityTrackerProviding& reporter) {
    if (deadline_ && deadline_->check(platform::graphics::ProcessorDeadline::unitsPerItem)) {
        reportOnce(deadlineReported_,
                   LayerBuildWeight::setUpDeadlinePassed(*deadline_) + "; the layers after that point are not shown", reporter);
        return false;
    }
    if (!LayerBuildWeight::take(weight_, weight)) {
        reportOnce(weightReported_,
                   "The animation has more than " + std::to_string(LayerBuildWeight::maximumWeight) +
                       " layers once its precompositions, parents and repeaters are expanded (a layer's masks, paths "
                       "and text, and each font size its texts use, counted as more layers by their size); the rest "
                       "are not shown",
                   reporter);
        return false;
    }
    return true;
}

bool LayerBuildBudget::allowsPrecompositionDepth(std::size_t depth, const CompatibilityTrackerProviding& reporter) {
    if (depth <= LayerBuildWeight::maximumPrecompositionDepth) return true;
    reportOnce(precompositionDepthReported_,
               "Precompositions nest more than " + std::to_string(LayerBuildWeight::maximumPrecompositionDepth) +
                   " levels deep; the deeper levels are not shown",
               reporter);
    return false;
}

bool LayerBuildBudget::allowsLayerDepth(std::size_t depth, const CompatibilityTrackerProviding& reporter) {
    if (depth <= maximumLayerDepth) return true;
    reportOnce(layerDepthReported_,
               "Layers nest more than " + std::to_string(maximumLayerDepth) +
                   " deep once their parents, precompositions and shape groups are nested; the deeper ones are not "
                   "shown",
               reporter);
    return false;
}

}  // namespace lottie
