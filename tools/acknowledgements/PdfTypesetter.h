#pragma once
// Sets text on A4 pages of a PDF file with Cairo's PDF surface and Pango:
// headings and paragraphs in a sans-serif face, licence texts in a monospaced
// one, each flowing on to new pages as needed. Used once by the program that
// writes the viewer's Acknowledgements.pdf at build time.

#include <cairo.h>
#include <pango/pangocairo.h>

#include <filesystem>
#include <string>

namespace acknowledgements {

class PdfTypesetter {
public:
    explicit PdfTypesetter(const std::filesystem::path& output, const std::string& title);
    ~PdfTypesetter();
    PdfTypesetter(const PdfTypesetter&) = delete;
    PdfTypesetter& operator=(const PdfTypesetter&) = delete;

    void heading(const std::string& text);
    void paragraph(const std::string& text);
    void preformatted(const std::string& text);
    // Ends the page, unless nothing is on it yet.
    void newPage();
    // Finishes the file; throws std::runtime_error when Cairo could not write it.
    void finish();

private:
    void setText(const std::string& text, const char* font, double spaceAfter);

    cairo_surface_t* surface_ = nullptr;
    cairo_t* cairo_ = nullptr;
    double y_ = 0;
    bool pageIsEmpty_ = true;
};

}  // namespace acknowledgements
