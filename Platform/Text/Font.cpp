#include "Platform/Text/Font.h"

#include <fontconfig/fontconfig.h>
#include <hb-ot.h>
#include <hb.h>
#include <pango/pangofc-fontmap.h>

#include <cctype>
#include <cmath>
#include <map>
#include <mutex>
#include <stdexcept>

namespace platform::text {

// What a name resolves to, shared by every font of that name whatever its size.
// Metrics are kept per unit of em so that each size only scales them.
struct Font::Face {
    std::string familyName;
    std::string postScriptName;
    bool isFallback = false;
    double ascent = 0;
    double descent = 0;
    double leading = 0;
    double capHeight = 0;
    std::shared_ptr<PangoFontDescription> description;
};

namespace {

using PatternPointer = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;

std::string patternString(const FcPattern* pattern, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || value == nullptr) {
        return {};
    }
    return reinterpret_cast<const char*>(value);
}

// Family names compare the way fontconfig compares them: without case or blanks.
std::string familyKey(std::string_view name) {
    std::string key;
    for (const char character : name) {
        if (character != ' ') {
            key.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(character))));
        }
    }
    return key;
}

// The first installed face whose `object` (PostScript, family or full name) is the name.
PatternPointer listedFace(const char* object, const std::string& name) {
    PatternPointer query(FcPatternCreate(), FcPatternDestroy);
    FcPatternAddString(query.get(), object, reinterpret_cast<const FcChar8*>(name.c_str()));
    if (object == std::string_view(FC_FAMILY)) {
        // A family has several faces; fontconfig's matching picks its regular one.
        FcConfigSubstitute(nullptr, query.get(), FcMatchPattern);
        FcDefaultSubstitute(query.get());
        FcResult result = FcResultNoMatch;
        PatternPointer match(FcFontMatch(nullptr, query.get(), &result), FcPatternDestroy);
        if (!match) {
            return {nullptr, FcPatternDestroy};
        }
        for (int index = 0;; ++index) {
            FcChar8* family = nullptr;
            if (FcPatternGetString(match.get(), FC_FAMILY, index, &family) != FcResultMatch) {
                break;
            }
            if (familyKey(reinterpret_cast<const char*>(family)) == familyKey(name)) {
                return match;
            }
        }
        return {nullptr, FcPatternDestroy};
    }
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_SLANT, FC_WEIGHT, FC_WIDTH,
                                            FC_POSTSCRIPT_NAME, FC_FILE, FC_INDEX, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, query.get(), objects);
    FcObjectSetDestroy(objects);
    PatternPointer found(nullptr, FcPatternDestroy);
    if (fonts != nullptr && fonts->nfont > 0) {
        FcPatternReference(fonts->fonts[0]);
        found.reset(fonts->fonts[0]);
    }
    if (fonts != nullptr) {
        FcFontSetDestroy(fonts);
    }
    return found;
}

PatternPointer fallbackFace() {
    PatternPointer query(FcPatternCreate(), FcPatternDestroy);
    FcPatternAddString(query.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcConfigSubstitute(nullptr, query.get(), FcMatchPattern);
    FcDefaultSubstitute(query.get());
    FcResult result = FcResultNoMatch;
    PatternPointer match(FcFontMatch(nullptr, query.get(), &result), FcPatternDestroy);
    if (!match) {
        throw std::runtime_error("fontconfig finds no font at all, not even for \"sans-serif\"");
    }
    return match;
}

// Reads the metrics of the face's file in font units and turns them into fractions of the em.
void readMetrics(const FcPattern* pattern, Font::Face& face) {
    const std::string file = patternString(pattern, FC_FILE);
    int index = 0;
    FcPatternGetInteger(pattern, FC_INDEX, 0, &index);
    hb_blob_t* blob = hb_blob_create_from_file_or_fail(file.c_str());
    if (blob == nullptr) {
        return;
    }
    hb_face_t* hbFace = hb_face_create(blob, static_cast<unsigned>(index));
    hb_font_t* font = hb_font_create(hbFace);
    const double unitsPerEm = std::max(1u, hb_face_get_upem(hbFace));
    hb_position_t ascender = 0;
    hb_position_t descender = 0;
    hb_position_t lineGap = 0;
    hb_position_t capHeight = 0;
    hb_ot_metrics_get_position(font, HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &ascender);
    hb_ot_metrics_get_position(font, HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, &descender);
    hb_ot_metrics_get_position(font, HB_OT_METRICS_TAG_HORIZONTAL_LINE_GAP, &lineGap);
    if (!hb_ot_metrics_get_position(font, HB_OT_METRICS_TAG_CAP_HEIGHT, &capHeight) || capHeight <= 0) {
        // Older fonts carry no cap height; the top of the capital H is what it measures.
        hb_codepoint_t glyph = 0;
        hb_glyph_extents_t extents{};
        capHeight = hb_font_get_nominal_glyph(font, 'H', &glyph) && hb_font_get_glyph_extents(font, glyph, &extents)
                        ? extents.y_bearing
                        : 0;
    }
    face.ascent = std::abs(ascender) / unitsPerEm;
    face.descent = std::abs(descender) / unitsPerEm;
    face.leading = std::max(0, lineGap) / unitsPerEm;
    face.capHeight = std::max(0, capHeight) / unitsPerEm;
    hb_font_destroy(font);
    hb_face_destroy(hbFace);
    hb_blob_destroy(blob);
}

std::shared_ptr<const Font::Face> resolveFace(const std::string& name) {
    PatternPointer pattern(nullptr, FcPatternDestroy);
    if (!name.empty()) {
        for (const char* object : {FC_POSTSCRIPT_NAME, FC_FAMILY, FC_FULLNAME}) {
            pattern = listedFace(object, name);
            if (pattern) {
                break;
            }
        }
    }
    auto face = std::make_shared<Font::Face>();
    if (!pattern) {
        pattern = fallbackFace();
        face->isFallback = true;
    }
    face->familyName = patternString(pattern.get(), FC_FAMILY);
    face->postScriptName = patternString(pattern.get(), FC_POSTSCRIPT_NAME);
    face->description.reset(pango_fc_font_description_from_pattern(pattern.get(), FALSE),
                            pango_font_description_free);
    readMetrics(pattern.get(), *face);
    return face;
}

// Resolving a name asks fontconfig and reads a font file; text layers ask for the
// same few names every frame, so the answers are kept.
std::shared_ptr<const Font::Face> cachedFace(const std::string& name) {
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<const Font::Face>> faces;
    constexpr std::size_t maximumEntries = 256;
    std::lock_guard lock(mutex);
    if (auto found = faces.find(name); found != faces.end()) {
        return found->second;
    }
    if (faces.size() >= maximumEntries) {
        faces.clear();
    }
    auto face = resolveFace(name);
    faces.emplace(name, face);
    return face;
}

}  // namespace

Font::Font(std::string_view name, double size) : requestedName_(name) {
    size_ = std::isfinite(size) && size > 0 ? std::min(size, maximumSize) : defaultSize;
    face_ = cachedFace(requestedName_);
    description_.reset(pango_font_description_copy(face_->description.get()), pango_font_description_free);
    pango_font_description_set_absolute_size(description_.get(), size_ * PANGO_SCALE);
}

Font Font::defaultFont() { return Font("", defaultSize); }

std::string Font::fallbackFamilyName() { return cachedFace("")->familyName; }

const std::string& Font::familyName() const { return face_->familyName; }
const std::string& Font::postScriptName() const { return face_->postScriptName; }
bool Font::isFallback() const { return face_->isFallback; }
double Font::ascent() const { return face_->ascent * size_; }
double Font::descent() const { return face_->descent * size_; }
double Font::leading() const { return face_->leading * size_; }
double Font::capHeight() const { return face_->capHeight * size_; }

bool Font::operator==(const Font& other) const {
    return size_ == other.size_ && (face_ == other.face_ ||
                                    (face_->postScriptName == other.face_->postScriptName &&
                                     face_->familyName == other.face_->familyName));
}

}  // namespace platform::text
