#include "Platform/Graphics/ImageShownCopies.h"

#include <algorithm>

#include "Platform/Graphics/Image.h"

namespace platform::graphics {

namespace {

std::int64_t pixelsOf(const std::shared_ptr<const Image>& image) {
    return image ? static_cast<std::int64_t>(image->width()) * image->height() : 0;
}

}  // namespace

ImageShownCopies::Sighting ImageShownCopies::sight(const Placement& placement) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& entry) { return entry.placement == placement; });
    if (found != entries_.end()) {
        std::rotate(entries_.begin(), found, found + 1);
        return {entries_.front().copy, true};
    }
    if (entries_.size() == maximumPlacements) entries_.pop_back();
    entries_.insert(entries_.begin(), Entry{placement, nullptr});
    return {nullptr, false};
}

bool ImageShownCopies::keep(const Placement& placement, std::shared_ptr<const Image> copy,
                            std::int64_t pixelLimit) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& entry) { return entry.placement == placement; });
    if (found == entries_.end()) return false;
    std::int64_t held = pixelsOf(copy);
    for (const Entry& entry : entries_) {
        if (&entry != &*found) held += pixelsOf(entry.copy);
    }
    if (held > pixelLimit) return false;
    found->copy = std::move(copy);
    return true;
}

void ImageShownCopies::clear() {
    std::vector<Entry> released;
    const std::lock_guard<std::mutex> lock(mutex_);
    released.swap(entries_);
}

std::int64_t ImageShownCopies::pixelsHeld() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::int64_t held = 0;
    for (const Entry& entry : entries_) held += pixelsOf(entry.copy);
    return held;
}

}  // namespace platform::graphics
