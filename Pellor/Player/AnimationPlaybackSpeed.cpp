#include "Pellor/Player/AnimationPlaybackSpeed.h"

#include <cmath>

namespace pellor {

namespace {

struct SpeedRow {
    AnimationPlaybackSpeed::Case value;
    const char* raw;
    double multiplier;
};

constexpr std::array<SpeedRow, 7> kSpeeds{{
    {AnimationPlaybackSpeed::Case::speed025, "speed025", 0.25},
    {AnimationPlaybackSpeed::Case::speed050, "speed050", 0.5},
    {AnimationPlaybackSpeed::Case::speed075, "speed075", 0.75},
    {AnimationPlaybackSpeed::Case::speed100, "speed100", 1.0},
    {AnimationPlaybackSpeed::Case::speed125, "speed125", 1.25},
    {AnimationPlaybackSpeed::Case::speed150, "speed150", 1.5},
    {AnimationPlaybackSpeed::Case::speed200, "speed200", 2.0},
}};

const SpeedRow& rowOf(AnimationPlaybackSpeed::Case value) { return kSpeeds[static_cast<std::size_t>(value)]; }

}  // namespace

const std::array<AnimationPlaybackSpeed, 7>& AnimationPlaybackSpeed::allCases() {
    static const std::array<AnimationPlaybackSpeed, 7> cases{Case::speed025, Case::speed050, Case::speed075,
                                                             Case::speed100, Case::speed125, Case::speed150,
                                                             Case::speed200};
    return cases;
}

std::optional<AnimationPlaybackSpeed> AnimationPlaybackSpeed::fromRawValue(const QString& raw) {
    for (const SpeedRow& row : kSpeeds) {
        if (raw == QLatin1String(row.raw)) return AnimationPlaybackSpeed(row.value);
    }
    return std::nullopt;
}

QString AnimationPlaybackSpeed::rawValue() const { return QLatin1String(rowOf(value_).raw); }

double AnimationPlaybackSpeed::multiplier() const { return rowOf(value_).multiplier; }

QString AnimationPlaybackSpeed::label(const QLocale& locale) const {
    // At least one and at most two fraction digits: 1.0, 0.5, 0.25.
    const double value = multiplier();
    const bool twoDigits = std::abs(value * 10 - std::round(value * 10)) > 1e-9;
    return locale.toString(value, 'f', twoDigits ? 2 : 1) + QChar(0x00D7);
}

}  // namespace pellor
