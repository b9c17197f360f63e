#pragma once
// A font at a size, found through fontconfig by PostScript name ("DejaVuSans-Bold"),
// family name ("DejaVu Sans") or full name ("DejaVu Sans Bold"), in that order.
// Stands in for the platform's font object. A plain value holding the resolved
// face's description and its metrics, never a loaded face, so a font made on one
// thread may be used on any other.
//
// Fallback: when no installed font carries the requested name, the font is the
// face fontconfig chooses for the generic family "sans-serif" (DejaVu Sans on a
// machine prepared by scripts/setup), at the requested size, and isFallback() is
// true. Text without a font attribute uses that same face at 12 points.
//
// Sizes: a size that is not a positive finite number gives 12 points, the
// platform's default; sizes above maximumSize are lowered to it. The limit stays
// well inside what cairo and FreeType can scale: past it they fail to make the
// scaled font, and the face then draws nothing for the rest of the process, so
// one hostile document could blank every text.
//
// Metrics are in points at the font's size, all positive distances from the
// baseline: ascent up, descent down. Cap height comes from the font's OS/2 table
// or, when the font has none, from the top of its "H".

#include <memory>
#include <string>
#include <string_view>

typedef struct _PangoFontDescription PangoFontDescription;

namespace platform::text {

class Font {
public:
    static constexpr double defaultSize = 12;
    static constexpr double maximumSize = 10000;

    Font(std::string_view name, double size);

    // The fallback face at the default size: what text without a font uses.
    static Font defaultFont();
    // The family fontconfig chooses for "sans-serif", which missing fonts fall back to.
    static std::string fallbackFamilyName();

    const std::string& requestedName() const { return requestedName_; }
    const std::string& familyName() const;
    const std::string& postScriptName() const;
    double size() const { return size_; }
    bool isFallback() const;

    double ascent() const;
    double descent() const;
    double leading() const;
    double capHeight() const;

    // The resolved face at this size, for building layouts (owned by the font).
    const PangoFontDescription* pangoDescription() const { return description_.get(); }

    // Two fonts are equal when they resolve to the same face at the same size.
    bool operator==(const Font& other) const;

    struct Face;

private:
    std::string requestedName_;
    double size_ = defaultSize;
    std::shared_ptr<const Face> face_;
    std::shared_ptr<PangoFontDescription> description_;
};

}  // namespace platform::text
