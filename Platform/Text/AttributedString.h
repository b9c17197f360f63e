#pragma once
// A UTF-8 text with attributes over ranges of it, the ranges counted in UTF-16
// code units. Stands in for the platform's (mutable) attributed string; a value
// owned by its maker, and copied by a framesetter made from it.
//
// Setting an attribute over a range changes that attribute only, leaving the
// others of each character as they were. A range that reaches past the end of the
// text is an error (std::out_of_range); so is text that is not UTF-8
// (std::invalid_argument, from the constructor).

#include <cstddef>
#include <string>
#include <vector>

#include "Platform/Text/AttributeRun.h"
#include "Platform/Text/TextAttributes.h"
#include "Platform/Text/TextRange.h"
#include "Platform/Text/Utf16Index.h"

namespace platform::text {

class AttributedString {
public:
    explicit AttributedString(std::string text = {}, const TextAttributes& attributes = {});

    const std::string& text() const { return text_; }
    // The length in UTF-16 code units.
    std::size_t length() const { return index_.utf16Length(); }
    TextRange wholeRange() const { return {0, length()}; }

    void setFont(TextRange range, const Font& font);
    void setForegroundColor(TextRange range, const graphics::Color& color);
    void removeForegroundColor(TextRange range);
    void setStrokeColor(TextRange range, const graphics::Color& color);
    void setStrokeWidth(TextRange range, double percentOfFontSize);
    void setKerning(TextRange range, double points);
    void setParagraphStyle(TextRange range, const ParagraphStyle& style);
    void setLigatures(TextRange range, bool enabled);

    // The attributes of the character at a UTF-16 position (std::out_of_range past
    // the last one) and, when asked, the whole range sharing them.
    const TextAttributes& attributesAt(std::size_t location, TextRange* effectiveRange = nullptr) const;

    // The runs, in order, covering the whole text without gaps (one empty run for
    // an empty text, carrying the attributes it was made with).
    const std::vector<AttributeRun>& runs() const { return runs_; }
    // The run holding a byte offset (the last run for the end of the text).
    const AttributeRun& runAtByte(std::size_t byteOffset) const;
    const Utf16Index& utf16Index() const { return index_; }

private:
    template <typename Edit>
    void edit(TextRange range, Edit&& change);
    void splitAt(std::size_t byteOffset);
    void mergeEqualNeighbours();

    std::string text_;
    Utf16Index index_;
    std::vector<AttributeRun> runs_;
};

}  // namespace platform::text
