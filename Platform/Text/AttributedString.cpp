#include "Platform/Text/AttributedString.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace platform::text {

AttributedString::AttributedString(std::string text, const TextAttributes& attributes)
    : text_(std::move(text)), index_(text_) {
    runs_.push_back({0, text_.size(), attributes});
}

void AttributedString::splitAt(std::size_t byteOffset) {
    auto run = std::find_if(runs_.begin(), runs_.end(), [byteOffset](const AttributeRun& candidate) {
        return candidate.byteStart < byteOffset && byteOffset < candidate.byteEnd;
    });
    if (run == runs_.end()) {
        return;
    }
    AttributeRun tail = *run;
    tail.byteStart = byteOffset;
    run->byteEnd = byteOffset;
    runs_.insert(run + 1, std::move(tail));
}

void AttributedString::mergeEqualNeighbours() {
    std::vector<AttributeRun> merged;
    merged.reserve(runs_.size());
    for (auto& run : runs_) {
        if (!merged.empty() && merged.back().attributes == run.attributes) {
            merged.back().byteEnd = run.byteEnd;
        } else {
            merged.push_back(std::move(run));
        }
    }
    runs_ = std::move(merged);
}

template <typename Edit>
void AttributedString::edit(TextRange range, Edit&& change) {
    if (range.location > length() || range.length > length() - range.location) {
        throw std::out_of_range("attribute range (" + std::to_string(range.location) + ", " +
                                std::to_string(range.length) + ") reaches past a text of " +
                                std::to_string(length()) + " UTF-16 code units");
    }
    const std::size_t start = index_.byteOffset(range.location);
    const std::size_t end = index_.byteOffset(range.end());
    if (start >= end) {
        return;
    }
    splitAt(start);
    splitAt(end);
    for (auto& run : runs_) {
        if (run.byteStart >= start && run.byteEnd <= end) {
            change(run.attributes);
        }
    }
    mergeEqualNeighbours();
}

void AttributedString::setFont(TextRange range, const Font& font) {
    edit(range, [&](TextAttributes& attributes) { attributes.font = font; });
}

void AttributedString::setForegroundColor(TextRange range, const graphics::Color& color) {
    edit(range, [&](TextAttributes& attributes) { attributes.foregroundColor = color; });
}

void AttributedString::removeForegroundColor(TextRange range) {
    edit(range, [](TextAttributes& attributes) { attributes.foregroundColor.reset(); });
}

void AttributedString::setStrokeColor(TextRange range, const graphics::Color& color) {
    edit(range, [&](TextAttributes& attributes) { attributes.strokeColor = color; });
}

void AttributedString::setStrokeWidth(TextRange range, double percentOfFontSize) {
    edit(range, [&](TextAttributes& attributes) { attributes.strokeWidth = percentOfFontSize; });
}

void AttributedString::setKerning(TextRange range, double points) {
    edit(range, [&](TextAttributes& attributes) { attributes.kerning = points; });
}

void AttributedString::setParagraphStyle(TextRange range, const ParagraphStyle& style) {
    edit(range, [&](TextAttributes& attributes) { attributes.paragraphStyle = style; });
}

void AttributedString::setLigatures(TextRange range, bool enabled) {
    edit(range, [&](TextAttributes& attributes) { attributes.ligatures = enabled; });
}

const AttributeRun& AttributedString::runAtByte(std::size_t byteOffset) const {
    auto run = std::upper_bound(runs_.begin(), runs_.end(), byteOffset,
                                [](std::size_t offset, const AttributeRun& candidate) {
                                    return offset < candidate.byteStart;
                                });
    return run == runs_.begin() ? runs_.front() : *(run - 1);
}

const TextAttributes& AttributedString::attributesAt(std::size_t location, TextRange* effectiveRange) const {
    if (location >= length()) {
        throw std::out_of_range("position " + std::to_string(location) + " is past a text of " +
                                std::to_string(length()) + " UTF-16 code units");
    }
    const AttributeRun& run = runAtByte(index_.characterByteOffset(location));
    if (effectiveRange != nullptr) {
        const std::size_t start = index_.utf16Offset(run.byteStart);
        *effectiveRange = {start, index_.utf16Offset(run.byteEnd) - start};
    }
    return run.attributes;
}

}  // namespace platform::text
