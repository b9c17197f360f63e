#include "Lottie/CoreAnimation/TrimmedPathAnimation.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <tuple>

#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/TrimPathNode.h"
#include "Lottie/Values/KeyframeInterpolator.h"

namespace lottie {

using platform::compositor::AnimatableValue;
using Timings = std::vector<KeyframesCombined::Timing>;
using Pieces = TrimmedPathAnimation::Pieces;

namespace {

// The samples without the inner ones of each run of equal paths: between the
// ends of a run the compositor shows the same path anyway.
std::vector<Keyframe<Pieces>> withoutRepeats(std::vector<Keyframe<Pieces>> samples) {
    std::vector<Keyframe<Pieces>> kept;
    for (std::size_t index = 0; index < samples.size(); ++index) {
        // The last kept sample starts the run this one may be inside of.
        const bool inner = index > 0 && index + 1 < samples.size() && samples[index].value() == kept.back().value() &&
                           samples[index].value() == samples[index + 1].value();
        if (!inner) kept.push_back(std::move(samples[index]));
    }
    return kept;
}

// Where the compositor's blend of two cut paths half way between them, point
// by point, lies from what the trim cuts there; infinite where they cannot be
// blended (another number of pieces or vertices), as where a cut moves past a
// vertex onto the next segment.
double blendError(const Pieces& cutFrom, const Pieces& cutTo, const Pieces& cutMiddle) {
    constexpr double never = std::numeric_limits<double>::infinity();
    const auto& from = cutFrom.paths;
    const auto& to = cutTo.paths;
    const auto& middle = cutMiddle.paths;
    if (from.size() != to.size() || from.size() != middle.size()) return never;
    double largest = 0;
    for (std::size_t piece = 0; piece < from.size(); ++piece) {
        const auto& a = from[piece].elements();
        const auto& b = to[piece].elements();
        const auto& m = middle[piece].elements();
        if (a.size() != b.size() || a.size() != m.size() || from[piece].closed() != to[piece].closed()) return never;
        for (std::size_t index = 0; index < a.size(); ++index) {
            const CurveVertex& va = a[index].vertex;
            const CurveVertex& vb = b[index].vertex;
            const CurveVertex& vm = m[index].vertex;
            for (const auto& [pa, pb, pm] : {std::tuple{va.point, vb.point, vm.point},
                                             std::tuple{va.inTangent, vb.inTangent, vm.inTangent},
                                             std::tuple{va.outTangent, vb.outTangent, vm.outTangent}}) {
                largest = std::max(largest, pointDistance((pa + pb) * 0.5, pm));
            }
        }
    }
    return largest;
}

// Adds to `samples` the cuts between `from` and `to` (in time order) that the
// compositor's blend from one to the other would miss: halving the span while
// the cut half way cannot be blended, or while it lies too far from the blend.
template <class CutAt>
void refine(const Keyframe<Pieces>& from, const Keyframe<Pieces>& to, const CutAt& cutAt,
            std::vector<Keyframe<Pieces>>& samples, int depth) {
    if (depth >= TrimmedPathAnimation::maximumHalvings || from.value() == to.value()) return;
    const Keyframe<Pieces> middle = cutAt((from.time() + to.time()) / 2);
    const double error = blendError(from.value(), to.value(), middle.value());
    if (error <= TrimmedPathAnimation::blendTolerance) return;
    if (std::isfinite(error) && depth >= TrimmedPathAnimation::maximumHalvingsForShape) return;
    refine(from, middle, cutAt, samples, depth + 1);
    samples.push_back(middle);
    refine(middle, to, cutAt, samples, depth + 1);
}

// The pieces as one compositor path.
platform::graphics::Path drawnPath(const std::vector<BezierPath>& pieces) {
    platform::graphics::Path path;
    for (const BezierPath& piece : pieces) path.addPath(piece.toPath());
    return path;
}

}  // namespace

std::vector<double> TrimmedPathAnimation::sampleTimes(const std::vector<Timings>& timings) {
    const auto [first, last] = KeyframesCombined::timeSpan(timings);
    if (!std::isfinite(first) || !std::isfinite(last)) return {};
    const double frames = std::floor(last - first);
    if (!(frames + 2 <= double(maximumSamples))) return {};
    std::vector<double> times;
    for (double frame = 0; frame <= frames; ++frame) times.push_back(first + frame);
    times.push_back(last);
    // Every key time as well: a keyframe between whole frames is where a path
    // turns or a trim changes course, which samples at whole frames alone
    // would cut short or miss.
    for (const Timings& group : timings) {
        for (const KeyframesCombined::Timing& timing : group) {
            if (std::isfinite(timing.time)) times.push_back(timing.time);
        }
    }
    std::ranges::sort(times);
    times.erase(std::unique(times.begin(), times.end()), times.end());
    if (times.size() > maximumSamples) return {};
    return times;
}

std::optional<KeyframeGroup<Pieces>> TrimmedPathAnimation::cutPaths(
    const std::vector<std::optional<ShapePathAnimation::PathSampler>>& samplers, const std::vector<const Trim*>& trims,
    const SamplingAccount& account) {
    if (samplers.empty() || trims.empty() || std::ranges::any_of(samplers, [](const auto& sampler) { return !sampler; })) {
        return std::nullopt;
    }
    std::vector<Timings> timings;
    struct TrimValues {
        const Trim* trim;
        KeyframeInterpolator<LottieVector1D> start, end, offset;
    };
    std::vector<TrimValues> values;
    for (const Trim* trim : trims) {
        for (const auto* group : {trim->start().get(), trim->end().get(), trim->offset().get()}) {
            timings.push_back(KeyframesCombined::timingsOf(*group));
        }
        values.push_back({trim, KeyframeInterpolator<LottieVector1D>(trim->start()->keyframes()),
                          KeyframeInterpolator<LottieVector1D>(trim->end()->keyframes()),
                          KeyframeInterpolator<LottieVector1D>(trim->offset()->keyframes())});
    }
    for (const auto& sampler : samplers) timings.push_back(sampler->timings);
    const std::vector<double> times = sampleTimes(timings);
    if (times.empty()) return std::nullopt;

    // Each trim cuts what the trims before it left, as the main-thread engine's do.
    const auto cutAt = [&](double time) {
        TrimPathNode::OutputPaths outputs;
        for (const auto& sampler : samplers) {
            BezierPath path = sampler->pathAt(time);
            // Cutting costs time in the size of what is cut, whatever is kept.
            account.charge(1, SamplingBudget::bytesOf(path));
            outputs.push_back({CompoundBezierPath(std::move(path))});
        }
        for (TrimValues& trim : values) {
            // Each trim measures and cuts all that the trims before it left:
            // hundreds of trims in a row cost hundreds of cuts a sample.
            double cut = 0;
            for (const auto& output : outputs) {
                for (const CompoundBezierPath& compound : output) cut += SamplingBudget::bytesOf(compound.paths());
            }
            account.charge(1, cut);
            outputs = TrimPathNode::trimmed(std::move(outputs), trim.start.value(time).value, trim.end.value(time).value,
                                            trim.offset.value(time).value, trim.trim->trimType());
        }
        Pieces pieces;
        for (const auto& output : outputs) {
            for (const CompoundBezierPath& compound : output) {
                pieces.paths.insert(pieces.paths.end(), compound.paths().begin(), compound.paths().end());
            }
        }
        account.charge(1, SamplingBudget::bytesOf(pieces.paths));
        return Keyframe<Pieces>(std::move(pieces), time, false, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    };
    std::vector<Keyframe<Pieces>> samples;
    samples.reserve(times.size());
    // The halvings between two samples are cut apart and moved in after the
    // first, which therefore stays where it is while they are cut.
    std::vector<Keyframe<Pieces>> between;
    for (double time : times) {
        Keyframe<Pieces> sample = cutAt(time);
        if (!samples.empty()) {
            between.clear();
            refine(samples.back(), sample, cutAt, between, 0);
            std::move(between.begin(), between.end(), std::back_inserter(samples));
        }
        samples.push_back(std::move(sample));
    }
    std::vector<Keyframe<Pieces>> kept = withoutRepeats(std::move(samples));
    for (Keyframe<Pieces>& sample : kept) {
        // Charged where each copy's animation takes it, as if it were its own.
        auto drawn = std::make_shared<const platform::graphics::Path>(drawnPath(sample.value().paths));
        sample = sample.replacingValue(Pieces{sample.value().paths, std::move(drawn)});
    }
    return KeyframeGroup<Pieces>(std::move(kept));
}

void TrimmedPathAnimation::animateCutPaths(platform::compositor::Layer& layer, const KeyframeGroup<Pieces>& cut,
                                           const LayerAnimationContext& context) {
    KeyframeAnimationBuilder::attach<Pieces>(
        LayerProperties::path(), cut,
        [](const Pieces& pieces) {
            return pieces.drawn ? AnimatableValue(pieces.drawn) : AnimatableValue(drawnPath(pieces.paths));
        },
        context, layer);
}

}  // namespace lottie
