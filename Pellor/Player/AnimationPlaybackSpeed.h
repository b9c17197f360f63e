#pragma once
// The player's seven speeds, from a quarter to twice the animation's own, with
// their raw values ("speed025" ... "speed200"), multipliers and labels
// ("0.25×", "1.0×": one or two fraction digits in the user's locale, then the
// multiplication sign). A plain value.

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

namespace pellor {

class AnimationPlaybackSpeed {
public:
    enum class Case { speed025, speed050, speed075, speed100, speed125, speed150, speed200 };

    constexpr AnimationPlaybackSpeed(Case value = Case::speed100) : value_(value) {}

    // Every speed, slowest first.
    static const std::array<AnimationPlaybackSpeed, 7>& allCases();
    // Exactly one of the seven raw values; none for any other text.
    static std::optional<AnimationPlaybackSpeed> fromRawValue(const QString& raw);

    Case value() const { return value_; }
    QString rawValue() const;
    double multiplier() const;
    QString label(const QLocale& locale = QLocale()) const;

    bool operator==(const AnimationPlaybackSpeed&) const = default;

private:
    Case value_;
};

}  // namespace pellor
