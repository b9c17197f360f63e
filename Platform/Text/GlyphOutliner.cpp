#include "Platform/Text/GlyphOutliner.h"

#include <pango/pangocairo.h>

namespace platform::text {

namespace {

double points(int pangoUnits) { return static_cast<double>(pangoUnits) / PANGO_SCALE; }

void appendOutline(const cairo_path_t* outline, graphics::Point offset, graphics::Path& path) {
    const auto at = [offset](const cairo_path_data_t& data) {
        return graphics::Point{data.point.x + offset.x, data.point.y + offset.y};
    };
    for (int index = 0; index < outline->num_data; index += outline->data[index].header.length) {
        const cairo_path_data_t* data = &outline->data[index];
        switch (data->header.type) {
        case CAIRO_PATH_MOVE_TO:
            path.moveTo(at(data[1]));
            break;
        case CAIRO_PATH_LINE_TO:
            path.lineTo(at(data[1]));
            break;
        case CAIRO_PATH_CURVE_TO:
            path.curveTo(at(data[1]), at(data[2]), at(data[3]));
            break;
        case CAIRO_PATH_CLOSE_PATH:
            path.closeSubpath();
            break;
        }
    }
}

// Where the glyph's ink lies when its origin (on the baseline, before its
// offsets) is at `at`.
graphics::Rect inkOf(PangoFont* font, const PangoGlyphInfo& glyph, graphics::Point at) {
    PangoRectangle ink{};
    pango_font_get_glyph_extents(font, glyph.glyph, &ink, nullptr);
    return graphics::Rect(at.x + points(glyph.geometry.x_offset + ink.x), at.y + points(glyph.geometry.y_offset + ink.y),
                          points(ink.width), points(ink.height));
}

}  // namespace

// Pango leaves out glyphs that lie far outside what the target surface can
// show, even when it only builds a path, so the scratch context draws on a
// recording surface without bounds: every glyph asked for is kept.
GlyphOutliner::GlyphOutliner()
    : surface_(cairo_recording_surface_create(CAIRO_CONTENT_ALPHA, nullptr)), scratch_(cairo_create(surface_)) {}

GlyphOutliner::~GlyphOutliner() {
    cairo_destroy(scratch_);
    cairo_surface_destroy(surface_);
}

// Cairo keeps path coordinates in fixed point, which wraps a few million units
// from the origin, so each glyph is outlined at the origin and moved into place
// here, in doubles.
void GlyphOutliner::outlineGlyph(PangoFont* font, const PangoGlyphInfo& glyph, graphics::Point at,
                                 graphics::Path& into) {
    PangoGlyphInfo info = glyph;
    int cluster = 0;
    PangoGlyphString single{};
    single.num_glyphs = 1;
    single.glyphs = &info;
    single.log_clusters = &cluster;
    // Without a current point the glyph is placed at the origin.
    cairo_new_path(scratch_);
    pango_cairo_glyph_string_path(scratch_, font, &single);
    cairo_path_t* outline = cairo_copy_path(scratch_);
    if (outline->status == CAIRO_STATUS_SUCCESS) {
        appendOutline(outline, at, into);
    }
    cairo_path_destroy(outline);
}

void GlyphOutliner::forEachOutline(const LaidOutLine& line, const AttributedString& text, graphics::Point origin,
                                   const graphics::Rect& visible, const GlyphOutlineVisitor& visit) {
    double x = origin.x;
    for (GSList* item = line.pangoLine->runs; item != nullptr; item = item->next) {
        auto* run = static_cast<PangoGlyphItem*>(item->data);
        const PangoGlyphString& glyphs = *run->glyphs;
        PangoFont* font = run->item->analysis.font;
        const double y = origin.y - points(run->y_offset);
        const std::size_t itemStart = line.paragraphByteStart + static_cast<std::size_t>(run->item->offset);

        // A shaped run may span several attribute runs (colours do not change
        // shaping), so its glyphs are gathered again by the run of their
        // cluster: one outline for each stretch of the same run.
        const AttributeRun* current = nullptr;
        graphics::Path outline;
        const auto flush = [&] {
            if (current != nullptr && !outline.isEmpty()) {
                visit(outline, current->attributes);
            }
            outline = graphics::Path();
        };
        for (int index = 0; index < glyphs.num_glyphs; ++index) {
            const AttributeRun* attributes =
                &text.runAtByte(itemStart + static_cast<std::size_t>(glyphs.log_clusters[index]));
            if (attributes != current) {
                flush();
                current = attributes;
            }
            const PangoGlyphInfo& glyph = glyphs.glyphs[index];
            if (inkOf(font, glyph, {x, y}).intersects(visible)) {
                outlineGlyph(font, glyph, {x, y}, outline);
            }
            x += points(glyph.geometry.width);
        }
        flush();
    }
}

}  // namespace platform::text
