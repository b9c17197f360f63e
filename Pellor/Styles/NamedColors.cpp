#include "Pellor/Styles/NamedColors.h"

#include <array>
#include <utility>

namespace pellor {

namespace {

// One hue (an indigo leaning to violet) from a near-white tint to a near-black
// shade; lightness falls steadily so that neighbours stay distinguishable in
// both appearances, and saturation peaks in the middle where labels sit.
constexpr std::array<std::pair<const char*, QRgb>, 11> kColors{{
    {"accent100", 0xFFEEF0FF},
    {"accent200", 0xFFDCE0FD},
    {"accent300", 0xFFC3C9FA},
    {"accent400", 0xFFA2AAF3},
    {"accent500", 0xFF828BEA},
    {"accent800", 0xFF3B41AC},
    {"accent900", 0xFF2D3187},
    {"accent1000", 0xFF232668},
    {"accent1100", 0xFF1B1D4F},
    {"accent1200", 0xFF131537},
    {"Theme/red", 0xFFD93B3B},
}};

}  // namespace

QColor NamedColors::color(const QString& name) {
    for (const auto& [key, rgb] : kColors) {
        if (name == QLatin1String(key)) return QColor::fromRgba(rgb);
    }
    return {};
}

QColor NamedColors::color(const QString& name, double opacity) {
    QColor value = color(name);
    if (value.isValid()) value.setAlphaF(static_cast<float>(value.alphaF() * opacity));
    return value;
}

QStringList NamedColors::names() {
    QStringList names;
    for (const auto& entry : kColors) names << QLatin1String(entry.first);
    return names;
}

}  // namespace pellor
