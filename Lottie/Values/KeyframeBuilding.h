#pragma once
// Turns the entries of a keyframe array into keyframes, the same way for
// both decoders: an entry without "s" takes the previous entry's "e"; the
// easing and spatial in-tangents of a keyframe come from the previous entry's
// "i" and "ti" (an entry's own describe the arrival at the next keyframe).

#include <optional>
#include <span>
#include <vector>

#include "Lottie/Values/Keyframe.h"
#include "Lottie/Values/KeyframeData.h"

namespace lottie {

// Nothing when an entry has no value or no time.
template <class T>
std::optional<std::vector<Keyframe<T>>> buildKeyframes(std::span<const KeyframeData<T>> entries) {
    std::vector<Keyframe<T>> keyframes;
    keyframes.reserve(entries.size());
    const KeyframeData<T>* previous = nullptr;
    for (const KeyframeData<T>& entry : entries) {
        const std::optional<T>* value = &entry.startValue;
        if (!*value && previous) value = &previous->endValue;
        if (!*value || !entry.time) return std::nullopt;
        keyframes.emplace_back(**value, *entry.time, entry.isHold(),
                               previous ? previous->inTangent : std::nullopt, entry.outTangent,
                               previous ? previous->spatialInTangent : std::nullopt, entry.spatialOutTangent);
        previous = &entry;
    }
    return keyframes;
}

template <class T>
std::optional<std::vector<Keyframe<T>>> buildKeyframes(const std::vector<KeyframeData<T>>& entries) {
    return buildKeyframes<T>(std::span<const KeyframeData<T>>(entries));
}

}  // namespace lottie
