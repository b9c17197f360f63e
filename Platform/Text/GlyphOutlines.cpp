#include "Platform/Text/GlyphOutlines.h"

#include <pango/pangocairo.h>

namespace platform::text {

namespace {

graphics::Path pathOf(const cairo_path_t* outline) {
    graphics::Path path;
    for (int index = 0; index < outline->num_data; index += outline->data[index].header.length) {
        const cairo_path_data_t* data = &outline->data[index];
        switch (data->header.type) {
        case CAIRO_PATH_MOVE_TO:
            path.moveTo({data[1].point.x, data[1].point.y});
            break;
        case CAIRO_PATH_LINE_TO:
            path.lineTo({data[1].point.x, data[1].point.y});
            break;
        case CAIRO_PATH_CURVE_TO:
            path.curveTo({data[1].point.x, data[1].point.y}, {data[2].point.x, data[2].point.y},
                         {data[3].point.x, data[3].point.y});
            break;
        case CAIRO_PATH_CLOSE_PATH:
            path.closeSubpath();
            break;
        }
    }
    return path;
}

void outlineGlyphs(cairo_t* scratch, PangoFont* font, PangoGlyphString* glyphs, int first, int count, double x,
                   double y, const TextAttributes& attributes, const GlyphOutlineVisitor& visit) {
    PangoGlyphString group{};
    group.num_glyphs = count;
    group.glyphs = glyphs->glyphs + first;
    group.log_clusters = glyphs->log_clusters + first;
    cairo_new_path(scratch);
    cairo_move_to(scratch, x, y);
    pango_cairo_glyph_string_path(scratch, font, &group);
    cairo_path_t* outline = cairo_copy_path(scratch);
    if (outline->status == CAIRO_STATUS_SUCCESS && outline->num_data > 0) {
        visit(pathOf(outline), attributes);
    }
    cairo_path_destroy(outline);
}

}  // namespace

void forEachGlyphOutline(cairo_t* scratch, const LaidOutLine& line, const AttributedString& text,
                         graphics::Point origin, const GlyphOutlineVisitor& visit) {
    double x = origin.x;
    for (GSList* item = line.pangoLine->runs; item != nullptr; item = item->next) {
        auto* run = static_cast<PangoGlyphItem*>(item->data);
        PangoGlyphString* glyphs = run->glyphs;
        PangoFont* font = run->item->analysis.font;
        const double y = origin.y - static_cast<double>(run->y_offset) / PANGO_SCALE;
        const std::size_t itemStart = line.paragraphByteStart + static_cast<std::size_t>(run->item->offset);

        // A shaped run may span several attribute runs (colours do not change
        // shaping), so its glyphs are grouped again by the run of their cluster.
        const AttributeRun* current = nullptr;
        int groupStart = 0;
        double groupX = x;
        for (int index = 0; index < glyphs->num_glyphs; ++index) {
            const AttributeRun* attributes =
                &text.runAtByte(itemStart + static_cast<std::size_t>(glyphs->log_clusters[index]));
            if (attributes != current) {
                if (current != nullptr) {
                    outlineGlyphs(scratch, font, glyphs, groupStart, index - groupStart, groupX, y,
                                  current->attributes, visit);
                }
                current = attributes;
                groupStart = index;
                groupX = x;
            }
            x += static_cast<double>(glyphs->glyphs[index].geometry.width) / PANGO_SCALE;
        }
        if (current != nullptr) {
            outlineGlyphs(scratch, font, glyphs, groupStart, glyphs->num_glyphs - groupStart, groupX, y,
                          current->attributes, visit);
        }
    }
}

}  // namespace platform::text
