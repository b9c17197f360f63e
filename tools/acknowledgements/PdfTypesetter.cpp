#include "tools/acknowledgements/PdfTypesetter.h"

#include <cairo-pdf.h>

#include <stdexcept>

namespace acknowledgements {

namespace {

// A4 in points, with margins of 2 cm.
constexpr double pageWidth = 595.276;
constexpr double pageHeight = 841.89;
constexpr double margin = 56.7;

}  // namespace

PdfTypesetter::PdfTypesetter(const std::filesystem::path& output, const std::string& title) {
    surface_ = cairo_pdf_surface_create(output.c_str(), pageWidth, pageHeight);
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_ = cairo_create(surface_);
    y_ = margin;
}

PdfTypesetter::~PdfTypesetter() {
    if (cairo_) cairo_destroy(cairo_);
    if (surface_) cairo_surface_destroy(surface_);
}

void PdfTypesetter::heading(const std::string& text) { setText(text, "DejaVu Sans Bold 15", 10); }

void PdfTypesetter::paragraph(const std::string& text) { setText(text, "DejaVu Sans 10", 8); }

void PdfTypesetter::preformatted(const std::string& text) { setText(text, "DejaVu Sans Mono 7", 14); }

void PdfTypesetter::newPage() {
    if (pageIsEmpty_) return;
    cairo_show_page(cairo_);
    y_ = margin;
    pageIsEmpty_ = true;
}

void PdfTypesetter::setText(const std::string& text, const char* font, double spaceAfter) {
    // Licence files are mostly UTF-8, but not all of them; what is not shows
    // as replacement characters rather than upsetting the layout.
    gchar* valid = g_utf8_make_valid(text.c_str(), static_cast<gssize>(text.size()));
    PangoLayout* layout = pango_cairo_create_layout(cairo_);
    PangoFontDescription* description = pango_font_description_from_string(font);
    pango_layout_set_font_description(layout, description);
    pango_layout_set_width(layout, static_cast<int>((pageWidth - 2 * margin) * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_text(layout, valid, -1);

    // Line by line, so that a long text continues on the next page.
    PangoLayoutIter* line = pango_layout_get_iter(layout);
    do {
        PangoRectangle extent;
        pango_layout_iter_get_line_extents(line, nullptr, &extent);
        const double height = static_cast<double>(extent.height) / PANGO_SCALE;
        if (y_ + height > pageHeight - margin && !pageIsEmpty_) newPage();
        const double baseline =
            static_cast<double>(pango_layout_iter_get_baseline(line) - extent.y) / PANGO_SCALE;
        cairo_move_to(cairo_, margin + static_cast<double>(extent.x) / PANGO_SCALE, y_ + baseline);
        pango_cairo_show_layout_line(cairo_, pango_layout_iter_get_line_readonly(line));
        y_ += height;
        pageIsEmpty_ = false;
    } while (pango_layout_iter_next_line(line));
    y_ += spaceAfter;

    pango_layout_iter_free(line);
    pango_font_description_free(description);
    g_object_unref(layout);
    g_free(valid);
}

void PdfTypesetter::finish() {
    cairo_destroy(cairo_);
    cairo_ = nullptr;
    cairo_surface_finish(surface_);
    const cairo_status_t status = cairo_surface_status(surface_);
    if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error(cairo_status_to_string(status));
}

}  // namespace acknowledgements
