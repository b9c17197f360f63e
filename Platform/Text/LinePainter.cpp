#include "Platform/Text/LinePainter.h"

#include <pango/pangocairo.h>

#include <cmath>

#include "Platform/Text/RgbaColor.h"

namespace platform::text {

namespace {

// Fills and strokes a few consecutive glyphs of one run that share their attributes.
void paintGlyphs(cairo_t* cairo, PangoFont* font, PangoGlyphString* glyphs, int first, int count,
                 const TextAttributes& attributes, double x, double y) {
    PangoGlyphString group{};
    group.num_glyphs = count;
    group.glyphs = glyphs->glyphs + first;
    group.log_clusters = glyphs->log_clusters + first;

    cairo_new_path(cairo);
    cairo_move_to(cairo, x, y);
    pango_cairo_glyph_string_path(cairo, font, &group);

    const double strokeWidth = std::isfinite(attributes.strokeWidth) ? attributes.strokeWidth : 0;
    const RgbaColor fill = attributes.foregroundColor ? rgbaOf(*attributes.foregroundColor) : RgbaColor{};
    if (strokeWidth <= 0) {
        cairo_set_source_rgba(cairo, fill.red, fill.green, fill.blue, fill.alpha);
        if (strokeWidth < 0) {
            cairo_fill_preserve(cairo);
        } else {
            cairo_fill(cairo);
        }
    }
    if (strokeWidth != 0) {
        const RgbaColor stroke = attributes.strokeColor ? rgbaOf(*attributes.strokeColor) : fill;
        const double fontSize = attributes.font ? attributes.font->size() : Font::defaultSize;
        cairo_set_source_rgba(cairo, stroke.red, stroke.green, stroke.blue, stroke.alpha);
        cairo_set_line_width(cairo, std::abs(strokeWidth) / 100 * fontSize);
        cairo_stroke(cairo);
    }
}

}  // namespace

void paintLine(cairo_t* cairo, const LaidOutLine& line, const AttributedString& text, graphics::Point origin) {
    double x = origin.x;
    for (GSList* item = line.pangoLine->runs; item != nullptr; item = item->next) {
        auto* run = static_cast<PangoGlyphItem*>(item->data);
        PangoGlyphString* glyphs = run->glyphs;
        const double y = origin.y - static_cast<double>(run->y_offset) / PANGO_SCALE;
        const std::size_t itemStart = line.paragraphByteStart + static_cast<std::size_t>(run->item->offset);

        // A shaped run may span several attribute runs (colours do not change
        // shaping), so glyphs are grouped again by the run their cluster is in.
        const AttributeRun* current = nullptr;
        int groupStart = 0;
        double groupX = x;
        for (int index = 0; index < glyphs->num_glyphs; ++index) {
            const AttributeRun* attributes =
                &text.runAtByte(itemStart + static_cast<std::size_t>(glyphs->log_clusters[index]));
            if (attributes != current) {
                if (current != nullptr) {
                    paintGlyphs(cairo, run->item->analysis.font, glyphs, groupStart, index - groupStart,
                                current->attributes, groupX, y);
                }
                current = attributes;
                groupStart = index;
                groupX = x;
            }
            x += static_cast<double>(glyphs->glyphs[index].geometry.width) / PANGO_SCALE;
        }
        if (current != nullptr) {
            paintGlyphs(cairo, run->item->analysis.font, glyphs, groupStart, glyphs->num_glyphs - groupStart,
                        current->attributes, groupX, y);
        }
    }
}

}  // namespace platform::text
