#include "Lottie/Playback/Keypaths/GraphemeClusters.h"

#include <unicode/ubrk.h>
#include <unicode/utext.h>

#include <memory>

namespace lottie {

namespace {

// Opening a break iterator loads rules; one per thread is kept and re-pointed.
struct BreakIteratorCloser {
    void operator()(UBreakIterator* iterator) const { ubrk_close(iterator); }
};

UBreakIterator* threadBreakIterator() {
    thread_local std::unique_ptr<UBreakIterator, BreakIteratorCloser> iterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        UBreakIterator* opened = ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status);
        if (U_FAILURE(status)) opened = nullptr;
        return std::unique_ptr<UBreakIterator, BreakIteratorCloser>(opened);
    }();
    return iterator.get();
}

// Plain ASCII needs no rules: every byte is a character, except that a carriage
// return followed by a line feed is one.
bool isSimpleAscii(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) return false;
        if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n') return false;
    }
    return true;
}

}  // namespace

GraphemeClusters::GraphemeClusters(std::string_view text) {
    boundaries_.push_back(0);
    if (text.empty()) return;
    UBreakIterator* iterator = isSimpleAscii(text) ? nullptr : threadBreakIterator();
    UErrorCode status = U_ZERO_ERROR;
    UText* utext = nullptr;
    if (iterator) {
        utext = utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
        if (U_SUCCESS(status)) ubrk_setUText(iterator, utext, &status);
    }
    if (!iterator || U_FAILURE(status)) {
        // Byte by byte: exact for simple ASCII, and the only safe answer if the
        // Unicode rules could not be loaded.
        if (utext) utext_close(utext);
        for (std::size_t i = 1; i <= text.size(); ++i) boundaries_.push_back(i);
        return;
    }
    ubrk_first(iterator);
    for (int32_t position = ubrk_next(iterator); position != UBRK_DONE; position = ubrk_next(iterator)) {
        boundaries_.push_back(static_cast<std::size_t>(position));
    }
    if (boundaries_.back() != text.size()) boundaries_.push_back(text.size());
    // Leave the shared iterator pointing at nothing that is about to go away.
    static const UChar nothing[1] = {0};
    ubrk_setText(iterator, nothing, 0, &status);
    utext_close(utext);
}

}  // namespace lottie
