// The buffers of clips' coverage that a context leaves for the next: a frame
// drawn into a new context under the same clip reuses the last one's buffer,
// draws what it would have drawn, and only buffers nothing else holds, of a
// bounded size, are kept.

#include <gtest/gtest.h>

#include "Platform/Graphics/ClipCoverageBuffers.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;

TEST(ClipCoverageBuffers, KeepsOnlyBuffersNothingElseHoldsWithinTheirBounds) {
    // Whatever other tests left, emptied first.
    std::vector<ClipCoverageBuffers::Buffer> drained;
    while (ClipCoverageBuffers::keptCount() > 0) drained.push_back(ClipCoverageBuffers::take());

    ClipCoverageBuffers::Buffer held = std::make_shared<std::vector<std::uint8_t>>(1024);
    ClipCoverageBuffers::Buffer other = held;
    ClipCoverageBuffers::give(held);
    EXPECT_EQ(ClipCoverageBuffers::keptCount(), 0u) << "a buffer a drawing still reads";
    other.reset();
    ClipCoverageBuffers::give(std::make_shared<std::vector<std::uint8_t>>());
    EXPECT_EQ(ClipCoverageBuffers::keptCount(), 0u) << "a buffer that holds nothing";
    ClipCoverageBuffers::give(std::make_shared<std::vector<std::uint8_t>>(std::size_t{5} << 20));
    EXPECT_EQ(ClipCoverageBuffers::keptCount(), 0u) << "a buffer past the size kept";

    const std::uint8_t* data = held->data();
    ClipCoverageBuffers::give(std::move(held));
    EXPECT_EQ(ClipCoverageBuffers::keptCount(), 1u);
    EXPECT_EQ(ClipCoverageBuffers::take()->data(), data);
    EXPECT_EQ(ClipCoverageBuffers::keptCount(), 0u);
    for (int i = 0; i < 20; ++i) ClipCoverageBuffers::give(std::make_shared<std::vector<std::uint8_t>>(4 << 20));
    EXPECT_EQ(ClipCoverageBuffers::keptCount(), 4u) << "at most 16 megabytes";
    while (ClipCoverageBuffers::keptCount() > 0) ClipCoverageBuffers::take();
}

TEST(ClipCoverageBuffers, AFrameInANewContextReusesTheLastFramesBufferAndDrawsTheSame) {
    // A clip whose edges fall between pixels, as a view's box scaled to fit does.
    const auto frame = [](const Color& colour, const Rect& clip) {
        auto context = bitmap(64, 64);
        context->clipToRect(clip);
        context->setFillColor(colour);
        context->addEllipse(Rect(4, 4, 56, 56));
        context->fillPath();
        context->setFillColor(Color::rgb(0, 0, 1));
        context->fillRect(Rect(0, 30, 64, 8));
        return context->makeImage();
    };
    std::vector<ClipCoverageBuffers::Buffer> drained;
    while (ClipCoverageBuffers::keptCount() > 0) drained.push_back(ClipCoverageBuffers::take());
    drained.clear();

    const auto first = frame(Color::rgb(1, 0, 0), Rect(10.5, 0.25, 40, 60.5));
    ASSERT_TRUE(first);
    EXPECT_EQ(ClipCoverageBuffers::keptCount(), 1u) << "the ended context's buffer";
    // Another clip in the next frame: the buffer it finds holds the last one's coverage.
    const auto second = frame(Color::rgb(0, 1, 0), Rect(2.75, 5.5, 30, 20));
    EXPECT_EQ(ClipCoverageBuffers::keptCount(), 1u) << "taken, and given back at the end";
    ClipCoverageBuffers::take();
    const auto fresh = frame(Color::rgb(0, 1, 0), Rect(2.75, 5.5, 30, 20));
    ASSERT_TRUE(second);
    ASSERT_TRUE(fresh);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(second->pixel(x, y), fresh->pixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_FALSE(pixelNear(*second, 20, 15, kClear));
    EXPECT_TRUE(pixelNear(*second, 40, 15, kClear)) << "outside the second clip, inside the first";
}

}  // namespace
}  // namespace platform::graphics
