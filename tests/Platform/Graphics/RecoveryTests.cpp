// A context whose Cairo context has entered its error state is made usable
// again on the same pixels, with the transforms and clips of its open states
// back, so that drawing and restoring go on as if nothing had failed.

#include <gtest/gtest.h>

#include <cairo.h>

#include "Platform/Graphics/GraphicsContext.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;

constexpr Pixel kOpaqueBlue{255, 0, 0, 255};
constexpr Pixel kOpaqueGreen{255, 0, 255, 0};

// What a drawing that Cairo cannot represent leaves behind: a singular matrix
// set on the context puts it into its error state for good.
void breakContext(GraphicsContext& context) {
    cairo_matrix_t singular;
    cairo_matrix_init(&singular, 0, 0, 0, 0, 0, 0);
    cairo_set_matrix(context.cairo(), &singular);
    ASSERT_NE(cairo_status(context.cairo()), CAIRO_STATUS_SUCCESS);
}

TEST(Recovery, ASoundContextIsLeftAsItIs) {
    auto context = bitmap(10, 10);
    cairo_t* before = context->cairo();
    EXPECT_FALSE(context->recoverFromFailure());
    EXPECT_EQ(context->cairo(), before);
}

TEST(Recovery, KeepsThePixelsAndPutsBackEveryOpenStatesTransformAndClip) {
    struct Case {
        const char* name;
        bool inLayer;  // broken inside a transparency layer
        bool statesWithoutClips;  // states saved around the one that clips, moving only
    };
    for (const Case& test : {Case{"in the target's context", false, false},
                             Case{"in a transparency layer", true, false},
                             Case{"among states that only move", false, true},
                             Case{"among states that only move, in a layer", true, true}}) {
        SCOPED_TRACE(test.name);
        auto context = bitmap(20, 20);
        context->setFillColor(Color::rgb(0, 1, 0));
        context->fillRect(Rect(16, 16, 4, 4));  // drawn before anything failed
        context->clipToRect(Rect(0, 0, 10, 10));
        if (test.inLayer) context->beginTransparencyLayer();
        if (test.statesWithoutClips) {
            context->saveGState();
            context->translateBy(1, 1);
            context->translateBy(-1, -1);
        }
        context->saveGState();
        context->translateBy(5, 5);
        // A path clip, not a list of rectangles: all but a 2 x 2 hole at (5, 5).
        context->addRect(Rect(-10, -10, 100, 100));
        context->addRect(Rect(0, 0, 2, 2));
        context->clip(FillRule::evenOdd);
        if (test.statesWithoutClips) {
            context->saveGState();
            context->translateBy(3, 3);
        }
        context->addRect(Rect(0, 0, 1, 1));  // a path under way when the context fails
        ASSERT_NO_FATAL_FAILURE(breakContext(*context));
        const std::optional<std::string> failure = context->recoverFromFailure();
        ASSERT_TRUE(failure);
        EXPECT_FALSE(failure->empty());
        EXPECT_TRUE(context->isPathEmpty());
        if (test.statesWithoutClips) context->restoreGState();
        context->setFillColor(Color::rgb(1, 0, 0));
        context->fillRect(Rect(0, 0, 100, 100));  // under the translation and both clips
        context->restoreGState();
        context->setFillColor(Color::rgb(0, 0, 1));
        context->fillRect(Rect(0, 0, 3, 3));  // under the first clip alone
        context->fillRect(Rect(6, 6, 1, 1));  // in the hole, no longer clipped out
        if (test.statesWithoutClips) context->restoreGState();
        if (test.inLayer) context->endTransparencyLayer();
        const auto image = context->makeImage();
        ASSERT_TRUE(image);
        EXPECT_TRUE(pixelNear(*image, 17, 17, kOpaqueGreen));
        EXPECT_TRUE(pixelNear(*image, 5, 8, kOpaqueRed));
        EXPECT_TRUE(pixelNear(*image, 8, 8, kOpaqueRed));
        EXPECT_TRUE(pixelNear(*image, 5, 5, kClear));
        EXPECT_TRUE(pixelNear(*image, 6, 6, kOpaqueBlue));
        EXPECT_TRUE(pixelNear(*image, 12, 8, kClear));
        EXPECT_TRUE(pixelNear(*image, 1, 1, kOpaqueBlue));
        EXPECT_TRUE(pixelNear(*image, 4, 4, kClear));
        EXPECT_FALSE(context->recoverFromFailure());
    }
}

TEST(Recovery, AnImageIsMadeFromAContextLeftInItsErrorState) {
    auto context = bitmap(4, 4);
    context->setFillColor(Color::rgb(1, 0, 0));
    context->fillRect(Rect(0, 0, 4, 4));
    ASSERT_NO_FATAL_FAILURE(breakContext(*context));
    const auto image = GraphicsContext::finishImage(std::move(context));
    ASSERT_TRUE(image);
    EXPECT_TRUE(pixelNear(*image, 2, 2, kOpaqueRed));
}

}  // namespace
}  // namespace platform::graphics
