#include "Platform/Graphics/PendingCoverageDrawing.h"

#include <algorithm>
#include <cmath>

namespace platform::graphics {

void PendingCoverageDrawing::coverRectangle(const Rect& rect) {
    spans_.clear();
    spansGiven_ = true;
    const auto fixed = [](double value) { return std::lround(std::clamp(value, -8.0e6, 8.0e6) * 256); };
    const auto share = [](long from, long to, int pixel) {
        return std::clamp(std::min(to, (pixel + 1) * 256L) - std::max(from, pixel * 256L), 0L, 256L);
    };
    const long minX = fixed(rect.minX()), maxX = fixed(rect.maxX());
    const long minY = fixed(rect.minY()), maxY = fixed(rect.maxY());
    const auto level = [](long cover) { return static_cast<std::uint8_t>(std::min(255L, cover >> 8)); };
    // The columns fully inside, and the partial ones at either end.
    int inner = std::max(left, static_cast<int>((minX + 255) >> 8));
    int innerEnd = std::min(right, static_cast<int>(maxX >> 8));
    for (int y = top; y < bottom; ++y) {
        const long row = share(minY, maxY, y);
        if (row == 0) continue;
        if (innerEnd <= inner) {
            for (int x = left; x < right; ++x) {
                const std::uint8_t coverage = level(row * share(minX, maxX, x));
                if (coverage != 0) spans_.push_back({x, y, 1, coverage});
            }
            continue;
        }
        for (int x = left; x < inner; ++x) {
            const std::uint8_t coverage = level(row * share(minX, maxX, x));
            if (coverage != 0) spans_.push_back({x, y, 1, coverage});
        }
        spans_.push_back({inner, y, innerEnd - inner, level(row * 256)});
        for (int x = innerEnd; x < right; ++x) {
            const std::uint8_t coverage = level(row * share(minX, maxX, x));
            if (coverage != 0) spans_.push_back({x, y, 1, coverage});
        }
    }
}

void PendingCoverageDrawing::run() {
    if (spansGiven_) return;
    spans_.clear();
    failed_ = !rasterizer.renderSpans(spans_);
}

void PendingCoverageDrawing::layDown() {
    if (!failed_ && blend) {
        blend->blendSpans(spans_, clip ? &*clip : nullptr);
        blend->markDirty(left, top, right, bottom);
    }
    release();
}

void PendingCoverageDrawing::release() {
    blend.reset();
    clip.reset();
    spansGiven_ = false;
    failed_ = false;
}

}  // namespace platform::graphics
