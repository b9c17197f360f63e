#include "Platform/Text/TextLayoutCache.h"

#include <algorithm>

#include "Platform/Graphics/ProcessorDeadline.h"

namespace platform::text {

std::shared_ptr<const TextLayout> TextLayoutCache::layout(const std::shared_ptr<const AttributedString>& text,
                                                          PangoContext* context, double width) {
    const std::size_t key = TextLayout::hash(*text, width);
    const std::thread::id thread = std::this_thread::get_id();
    {
        const std::lock_guard lock(mutex_);
        const auto [first, last] = entries_.equal_range(key);
        for (auto entry = first; entry != last; ++entry) {
            if (entry->second.thread != thread) continue;
            if (std::shared_ptr<const TextLayout> found = entry->second.layout.lock()) {
                if (found->laysOut(*text, width)) return found;
            }
        }
    }
    // Each text laid out reads the clock of the deadline the work it is laid
    // out for counts toward (a set-up's or a frame's): one layout can cost
    // milliseconds, looking a font up at a size not used before or shaping
    // runs. Past it the text is not laid out, and not filed either.
    if (platform::graphics::ProcessorDeadline::checkCurrent(platform::graphics::ProcessorDeadline::unitsPerReading)) {
        return std::make_shared<const TextLayout>(text, width, TextLayout::PastDeadline{});
    }
    // Laid out outside the lock: only this thread could make the same layout.
    auto made = std::make_shared<const TextLayout>(text, context, width, allowance_);
    const std::lock_guard lock(mutex_);
    // Entries whose layouts are gone are dropped as new ones come, so the cache
    // holds at most about twice as many entries as there are layouts alive.
    if (entries_.size() >= pruneAt_) {
        std::erase_if(entries_, [](const auto& entry) { return entry.second.layout.expired(); });
        pruneAt_ = std::max<std::size_t>(16, 2 * entries_.size());
    }
    entries_.emplace(key, Entry{thread, made});
    return made;
}

}  // namespace platform::text
