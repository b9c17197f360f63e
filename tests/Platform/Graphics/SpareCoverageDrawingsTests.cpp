// The drawings a context leaves for the next: only drawings nothing else
// holds, of bounded buffers and number, are kept; and a frame drawn with
// drawings another frame left draws what fresh ones draw.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Platform/Graphics/CoverageWorkers.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Path.h"
#include "Platform/Graphics/PendingCoverageDrawing.h"
#include "Platform/Graphics/SpareCoverageDrawings.h"

namespace platform::graphics {
namespace {

// Whatever other tests left, taken out and held.
std::vector<std::shared_ptr<PendingCoverageDrawing>> drained() {
    std::vector<std::shared_ptr<PendingCoverageDrawing>> taken;
    while (SpareCoverageDrawings::keptCount() > 0) taken.push_back(SpareCoverageDrawings::take());
    return taken;
}

TEST(SpareCoverageDrawings, KeepsOnlyDrawingsNothingElseHoldsWithinTheirBounds) {
    const auto before = drained();
    auto held = std::make_shared<PendingCoverageDrawing>();
    auto other = held;
    SpareCoverageDrawings::give(held);
    EXPECT_EQ(SpareCoverageDrawings::keptCount(), 0u) << "a drawing a worker's queue still holds";
    other.reset();
    // A drawing that grew to a hostile stroke's size.
    auto large = std::make_shared<PendingCoverageDrawing>();
    large->strokePath.moveTo({0, 0});
    for (int i = 0; i < 200000; ++i) large->strokePath.lineTo({i * 0.01, i % 2 ? 10.0 : 0.0});
    EXPECT_GT(large->heldBytes(), std::size_t{1} << 20);
    SpareCoverageDrawings::give(std::move(large));
    EXPECT_EQ(SpareCoverageDrawings::keptCount(), 0u) << "a drawing holding more than a megabyte";

    const PendingCoverageDrawing* address = held.get();
    SpareCoverageDrawings::give(std::move(held));
    EXPECT_EQ(SpareCoverageDrawings::keptCount(), 1u);
    EXPECT_EQ(SpareCoverageDrawings::take().get(), address);
    for (int i = 0; i < 100; ++i) SpareCoverageDrawings::give(std::make_shared<PendingCoverageDrawing>());
    EXPECT_EQ(SpareCoverageDrawings::keptCount(), 64u) << "at most a context's queue of them";
    drained();
}

TEST(SpareCoverageDrawings, AFrameDrawnWithDrawingsAnotherLeftDrawsWhatFreshOnesDraw) {
    // One frame of rectangles, then fills and strokes, large and small,
    // translucent, under a clip of a path; and another of other shapes,
    // which leaves its drawings (rasterisers, spans, stroke paths) for the
    // next.
    const auto frame = [](int seed) {
        auto context = GraphicsContext::makeBitmap(160, 120);
        // Rectangles along the axes, whose drawings are given their spans.
        for (int i = 0; i < 6; ++i) {
            context->setFillColor(Color::rgb(0.9, (i * 40 % 255) / 255.0, 0.2, 0.5));
            context->fillRect(Rect(3.5 + i * 20 + seed, 2.25 + i * 15, 30.5, 20.75));
        }
        context->addEllipse(Rect(5.5, 4.25, 150, 110));
        context->clip();
        for (int i = 0; i < 40; ++i) {
            const double x = (i * 37 + seed * 13) % 140, y = (i * 23 + seed * 7) % 100, size = 6 + (i * 11 + seed) % 50;
            context->setFillColor(Color::rgb((i * 50 % 255) / 255.0, 0.4, (seed * 70 % 255) / 255.0, 0.4 + (i % 3) * 0.3));
            context->setStrokeColor(Color::rgb(0.1, (i * 30 % 255) / 255.0, 0.6, 0.8));
            context->addEllipse(Rect(x, y, size, size * 0.7));
            if (i % 3 == 0) {
                context->setLineWidth(1 + i % 5);
                context->strokePath();
            } else {
                context->fillPath();
            }
        }
        const auto image = GraphicsContext::finishImage(std::move(context));
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < image->height(); ++y) {
            for (int x = 0; x < image->width(); ++x) pixels.push_back(image->pixel(x, y));
        }
        return pixels;
    };
    for (const bool serial : {false, true}) {
        SCOPED_TRACE(serial ? "on one thread" : "on the workers");
        std::unique_ptr<CoverageWorkers::SerialScope> scope;
        if (serial) scope = std::make_unique<CoverageWorkers::SerialScope>();
        const auto before = drained();
        const auto fresh = frame(1);
        frame(2);
        // The next context takes its drawings from those kept.
        ASSERT_GT(SpareCoverageDrawings::keptCount(), 0u);
        EXPECT_EQ(frame(1), fresh);
    }
}

}  // namespace
}  // namespace platform::graphics
