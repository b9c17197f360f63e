#include "Platform/Compositor/KeyframeAnimation.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>

#include "Platform/Graphics/HashCombine.h"

namespace platform::compositor {

using graphics::Point;

namespace {

// Where a fraction falls among key times: between keyframe `index` and the next,
// `local` of the way; or on keyframe `index` itself (local 0).
struct Place {
    std::size_t index = 0;
    double local = 0;
};

std::vector<double> evenlySpaced(std::size_t count, std::size_t divisions) {
    std::vector<double> times(count);
    for (std::size_t i = 0; i < count; ++i) {
        times[i] = divisions == 0 ? 0.0 : static_cast<double>(i) / static_cast<double>(divisions);
    }
    return times;
}

using Run = KeyframeAnimation::SearchedRun;

// Key times are searched for where a fraction falls, rather than walked,
// along a run of numbers that never falls: all of them; or all but the
// first when it lies above the second (a 0 put before a first key time that
// lies before the start), or but the last when it lies below the one before
// (a 1 put after a last key time that lies past the end). Either one begins
// or ends no segment. `walked` where none of this holds.
constexpr std::size_t walked = SIZE_MAX;

bool ascend(std::span<const double> keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!std::isfinite(keys[i]) || (i > 0 && keys[i] < keys[i - 1])) return false;
    }
    return true;
}

Run searchedRun(std::span<const double> keys) {
    const std::size_t n = keys.size();
    if (ascend(keys)) return {0, n};
    const std::size_t from = n >= 2 && std::isfinite(keys[0]) && keys[0] > keys[1] ? 1 : 0;
    const std::size_t end = n >= from + 2 && std::isfinite(keys[n - 1]) && keys[n - 2] > keys[n - 1] ? n - 1 : n;
    if (end >= from + 2 && ascend(keys.subspan(from, end - from))) return {from, end};
    return {walked, walked};
}

// Key times arrive in single precision, so one meant for a frame may have rounded
// to just above that frame's fraction. A fraction within single-precision rounding
// of one of the first `count` key times is taken as exactly on it (the first
// such); the exact comparisons that follow then reach the key time on its own
// frame.
double snapToKeyTime(std::span<const double> keys, std::size_t count, double f, Run run) {
    count = std::min(count, keys.size());
    const auto near = [&](double key) { return std::fabs(f - key) <= std::fabs(key) * FLT_EPSILON; };
    if (run.from == walked || std::isnan(f)) run = {count, count};
    const std::size_t from = std::min(run.from, count), end = std::clamp(run.end, from, count);
    for (std::size_t i = 0; i < from; ++i) {
        if (near(keys[i])) return keys[i];
    }
    // Along the run, the keys near enough lie within a relative
    // single-precision step of f: only those, from the first, are asked.
    const double a = f / (1 + 2 * FLT_EPSILON), b = f / (1 - 2 * FLT_EPSILON);
    const double* last = keys.data() + end;
    for (const double* key = std::lower_bound(keys.data() + from, last, std::min(a, b));
         key != last && *key <= std::max(a, b); ++key) {
        if (near(*key)) return *key;
    }
    for (std::size_t i = end; i < count; ++i) {
        if (near(keys[i])) return keys[i];
    }
    return f;
}

// Interpolating modes: `keys` has one time per keyframe (keyframeCount of them).
// Where the fraction lies on several segments (key times repeated), the last.
Place locateInterpolated(std::span<const double> keys, std::size_t keyframeCount, double fraction, Run run) {
    const std::size_t count = std::min(keys.size(), keyframeCount);
    if (count < 2) {
        return {0, 0};
    }
    // The run cut to the keyframes: past a count short of the list, a last
    // key time left out of the run lies beyond them.
    if (run.from != walked) {
        run.end = run.end + 1 == keys.size() && count < keys.size() ? count : std::min(run.end, count);
        if (run.end < run.from + 2) run = {walked, walked};
    }
    const double f = snapToKeyTime(keys, count, fraction, run);
    const auto between = [&](std::size_t i) {
        const double start = keys[i], end = keys[i + 1];
        return Place{i, end > start ? (f - start) / (end - start) : 1.0};
    };
    if (run.from != walked && !std::isnan(f)) {
        const double* first = keys.data() + run.from;
        const std::size_t after = static_cast<std::size_t>(std::upper_bound(first, keys.data() + run.end, f) - keys.data());
        if (after == run.from) return {0, 0};
        if (after < run.end) return between(after - 1);
        return f == keys[run.end - 1] ? between(run.end - 2) : Place{count - 1, 0};
    }
    std::optional<Place> found;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        if (keys[i] <= f && f <= keys[i + 1]) {
            found = between(i);
        }
    }
    if (found) {
        return *found;
    }
    if (f < keys[0]) {
        return {0, 0};
    }
    if (f > keys[count - 1]) {
        return {count - 1, 0};
    }
    // Out-of-order key times can leave gaps: the last keyframe already passed holds.
    std::size_t last = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (keys[i] <= f) {
            last = i;
        }
    }
    return {last, 0};
}

// Discrete mode: value i holds from key time i up to key time i + 1.
std::size_t locateDiscrete(std::span<const double> keys, std::size_t valueCount, double fraction, Run run) {
    // The last key time begins the last value: a run short of it is walked.
    if (run.from == walked || run.end != keys.size() || run.end < run.from + 2) run = {walked, walked};
    const double f = snapToKeyTime(keys, keys.size(), fraction, run);
    if (run.from != walked && !std::isnan(f)) {
        // The last key time at or before f, or the last value.
        const std::size_t after = static_cast<std::size_t>(
            std::upper_bound(keys.data() + run.from, keys.data() + keys.size(), f) - keys.data());
        return after == run.from ? 0 : std::min(after - 1, valueCount - 1);
    }
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < valueCount && i < keys.size(); ++i) {
        const bool hasEnd = i + 1 < keys.size();
        if (keys[i] <= f && (!hasEnd || f < keys[i + 1])) {
            found = i;
        }
    }
    if (found) {
        return *found;
    }
    if (keys.empty() || f < keys[0]) {
        return 0;
    }
    std::size_t last = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] <= f) {
            last = i;
        }
    }
    return std::min(last, valueCount - 1);
}

std::optional<AnimatableValue> catmullRom(const std::vector<AnimatableValue>& values, std::size_t i, double t) {
    const std::size_t last = values.size() - 1;
    const AnimatableValue& p0 = values[i == 0 ? 0 : i - 1];
    const AnimatableValue& p1 = values[i];
    const AnimatableValue& p2 = values[std::min(i + 1, last)];
    const AnimatableValue& p3 = values[std::min(i + 2, last)];
    const auto c0 = p0.components();
    const auto c1 = p1.components();
    const auto c2 = p2.components();
    const auto c3 = p3.components();
    if (!c0 || !c1 || !c2 || !c3 || c0->size() != c1->size() || c2->size() != c1->size() ||
        c3->size() != c1->size() || p0.kind() != p1.kind() || p2.kind() != p1.kind() || p3.kind() != p1.kind()) {
        return std::nullopt;
    }
    std::vector<double> result(c1->size());
    const double t2 = t * t;
    const double t3 = t2 * t;
    for (std::size_t k = 0; k < result.size(); ++k) {
        const double a = (*c0)[k], b = (*c1)[k], c = (*c2)[k], d = (*c3)[k];
        result[k] = 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
    }
    return AnimatableValue::withComponents(p1, result);
}

}  // namespace

const std::optional<graphics::Path>& KeyframeAnimation::path() const {
    static const std::optional<graphics::Path> none;
    return motion_ ? motion_->path : none;
}

void KeyframeAnimation::setPath(std::optional<graphics::Path> path) {
    if (!path) {
        motion_ = nullptr;
        return;
    }
    motion_ = std::make_shared<const PreparedPath>(std::move(*path));
}

KeyframeAnimation::PreparedPath::PreparedPath(graphics::Path motionPath)
    : path(std::move(motionPath)), table(*path) {}

std::size_t KeyframeAnimation::PreparedPath::hash() const { return pathHash(*path); }

std::span<const double> KeyframeAnimation::resolvedKeyTimes(std::size_t keyframeCount,
                                                            std::vector<double>& scratch) const {
    if (calculationMode_ == CalculationMode::paced) {
        std::vector<double>& distances = scratch;
        distances.assign(1, 0.0);
        for (std::size_t i = 1; i < keyframeCount; ++i) {
            double step = 0;
            if (motion_) {
                step = motion_->table.segmentLength(i - 1);
            } else if (std::optional<double> d = AnimatableValue::distance(values()[i - 1], values()[i])) {
                step = *d;
            }
            distances.push_back(distances.back() + step);
        }
        const double total = distances.back();
        if (total > 0 && std::isfinite(total)) {
            for (double& d : distances) {
                d /= total;
            }
            return distances;
        }
        return scratch = evenlySpaced(keyframeCount, keyframeCount - 1);
    }
    if (calculationMode_ == CalculationMode::discrete && !motion_) {
        if (keyTimes().size() == keyframeCount || keyTimes().size() == keyframeCount + 1) {
            return keyTimes();
        }
        return scratch = evenlySpaced(keyframeCount + 1, keyframeCount);
    }
    if (motion_ && !keyTimes().empty()) {
        // One key time per vertex; vertices beyond the list are never reached.
        return keyTimes();
    }
    if (keyTimes().size() == keyframeCount) {
        return keyTimes();
    }
    return scratch = evenlySpaced(keyframeCount, keyframeCount - 1);
}

void KeyframeAnimation::setSharedKeyTimes(SharedList<double> keyTimes) {
    keyTimes_ = std::move(keyTimes);
    keyTimesRun_ = compositor::searchedRun(this->keyTimes());
}

KeyframeAnimation::SearchedRun KeyframeAnimation::searchedRun(std::span<const double> keys) const {
    // The given list was looked at once, when set; times worked out are
    // looked at as they come.
    return keys.data() == keyTimes().data() ? keyTimesRun_ : compositor::searchedRun(keys);
}

double KeyframeAnimation::segmentFraction(std::size_t segment, double fraction) const {
    if (calculationMode_ == CalculationMode::paced || segment >= timingFunctions().size()) {
        return fraction;
    }
    return timingFunctions()[segment].evaluate(fraction);
}

std::optional<AnimatableValue> KeyframeAnimation::valueAlongPath(double fraction) const {
    const std::size_t vertices = motion_->table.vertexCount();
    if (vertices == 0) {
        return std::nullopt;
    }
    if (vertices == 1) {
        return AnimatableValue(motion_->table.vertex(0));
    }
    std::vector<double> scratch;
    const std::span<const double> keys = resolvedKeyTimes(vertices, scratch);
    if (calculationMode_ == CalculationMode::discrete) {
        return AnimatableValue(motion_->table.vertex(locateDiscrete(keys, vertices, fraction, searchedRun(keys))));
    }
    const Place place = locateInterpolated(keys, vertices, fraction, searchedRun(keys));
    if (place.local <= 0) {
        return AnimatableValue(motion_->table.vertex(place.index));
    }
    const Point point = motion_->table.pointOnSegment(place.index, segmentFraction(place.index, place.local));
    return AnimatableValue(point);
}

bool KeyframeAnimation::holdsOneValue() const {
    const std::vector<AnimatableValue>& list = values();
    return !isAdditive() && !motion_ && !list.empty() &&
           std::all_of(list.begin(), list.end(), [&](const AnimatableValue& value) { return value == list.front(); });
}

std::optional<AnimatableValue> KeyframeAnimation::valueAt(double fraction,
                                                          const std::optional<AnimatableValue>& /*current*/) const {
    if (motion_) {
        return valueAlongPath(fraction);
    }
    const std::size_t count = values().size();
    if (count == 0) {
        return std::nullopt;
    }
    if (count == 1) {
        return values()[0];
    }
    std::vector<double> scratch;
    const std::span<const double> keys = resolvedKeyTimes(count, scratch);
    if (calculationMode_ == CalculationMode::discrete) {
        return values()[locateDiscrete(keys, count, fraction, searchedRun(keys))];
    }
    const Place place = locateInterpolated(keys, count, fraction, searchedRun(keys));
    if (place.index + 1 >= count || place.local <= 0) {
        return values()[place.index];
    }
    const double local = segmentFraction(place.index, place.local);
    if (calculationMode_ == CalculationMode::cubic) {
        if (std::optional<AnimatableValue> value = catmullRom(values(), place.index, local)) {
            return value;
        }
    }
    return AnimatableValue::blend(values()[place.index], values()[place.index + 1], local);
}

namespace {

// The same list: one shared by both, or equal ones.
template <class List>
bool sameList(const std::shared_ptr<const List>& first, const std::shared_ptr<const List>& second) {
    return first == second || (first && second && *first == *second);
}

}  // namespace

bool KeyframeAnimation::sameAs(const Animation& other) const {
    if (!PropertyAnimation::sameAs(other)) return false;
    const auto& keyframes = static_cast<const KeyframeAnimation&>(other);
    return calculationMode_ == keyframes.calculationMode_ && sameList(values_, keyframes.values_) &&
           sameList(keyTimes_, keyframes.keyTimes_) && sameList(timingFunctions_, keyframes.timingFunctions_) &&
           sameList(motion_, keyframes.motion_);
}

std::size_t KeyframeAnimation::contentHash() const {
    std::size_t seed = PropertyAnimation::contentHash();
    graphics::hashCombine(seed, static_cast<std::size_t>(calculationMode_));
    graphics::hashCombine(seed, values_ ? values_->size() : 0);
    if (values_ && !values_->empty()) {
        graphics::hashCombine(seed, std::hash<AnimatableValue>{}(values_->front()));
        graphics::hashCombine(seed, std::hash<AnimatableValue>{}(values_->back()));
    }
    graphics::hashCombine(seed, keyTimes_ ? keyTimes_->size() : 0);
    if (keyTimes_ && !keyTimes_->empty()) graphics::hashCombine(seed, std::hash<double>{}(keyTimes_->back()));
    graphics::hashCombine(seed, motion_ ? motion_->hash() : 0);
    return seed;
}

}  // namespace platform::compositor
