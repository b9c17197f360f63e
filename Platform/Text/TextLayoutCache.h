#pragma once
// The layouts of one animation's texts: layers and precomposition instances
// that show the same text in the same box get one layout between them, and
// the layouts made through the cache take what they make from one allowance
// (TextLayoutAllowance), the animation's bound on all its texts together.
//
// The cache keeps no layout alive: an entry lasts as long as a framesetter or
// frame holds its layout, so it costs nothing once the layers that showed the
// text are gone, and what a text holds is given back to the allowance then.
// Owned by an animation's root layer and shared with the framesetters of its
// text layers. Safe from any thread; each thread gets layouts of its own, as
// Pango's fonts belong to the thread that made them.

#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>

#include "Platform/Text/AttributedString.h"
#include "Platform/Text/TextCutReports.h"
#include "Platform/Text/TextLayout.h"
#include "Platform/Text/TextLayoutAllowance.h"

namespace platform::text {

class TextLayoutCache {
public:
    // Says what its layouts cut through `reports`, which other caches of
    // the same animation may share.
    explicit TextLayoutCache(std::shared_ptr<TextCutReports> reports = std::make_shared<TextCutReports>())
        : reports_(std::move(reports)) {}
    TextLayoutCache(const TextLayoutCache&) = delete;
    TextLayoutCache& operator=(const TextLayoutCache&) = delete;

    // The layout `text` gets at `width` (see TextLayout::laysOut), made in
    // `context` when this thread holds none; one without lines when the
    // deadline the calling thread counts toward has passed
    // (TextLayout::pastDeadline), read for every layout made.
    std::shared_ptr<const TextLayout> layout(const std::shared_ptr<const AttributedString>& text,
                                             PangoContext* context, double width);

    // True once: for the first caller to say that a layout of this cache (or
    // of another sharing its reports) was cut, so that the animation says it
    // once however many texts were cut.
    bool firstToSayCut() { return reports_->firstToSayCut(); }
    // The same for a text not laid out past a deadline.
    bool firstToSayPastDeadline() { return reports_->firstToSayPastDeadline(); }
    const std::shared_ptr<TextCutReports>& reports() const { return reports_; }

private:
    struct Entry {
        std::thread::id thread;
        std::weak_ptr<const TextLayout> layout;
    };

    std::mutex mutex_;
    std::unordered_multimap<std::size_t, Entry> entries_;
    // The number of entries at which those of layouts gone are dropped.
    std::size_t pruneAt_ = 16;
    std::shared_ptr<TextLayoutAllowance> allowance_ = std::make_shared<TextLayoutAllowance>();
    std::shared_ptr<TextCutReports> reports_;
};

}  // namespace platform::text
