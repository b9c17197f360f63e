// The renderer's depth and surface limits on hand-built trees, each reported
// once to the layers being drawn.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Platform/Compositor/RenderBudget.h"
#include "tests/Platform/Compositor/RenderTestSupport.h"

namespace {

using namespace compositortest;
using platform::compositor::Layer;
using platform::compositor::RenderBudget;
using platform::graphics::Color;

TEST(RenderBudget, LayersNestedPastTheDepthLimitAreLeftOut) {
    struct Case {
        std::size_t depth;  // of the blue box
        bool deepestDrawn;
    };
    const Case cases[] = {{RenderBudget::maximumDepth, true}, {RenderBudget::maximumDepth + 1, false}, {20'000, false}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.depth);
        // Built from the bottom up, so that no insertion walks a long chain of ancestors.
        std::vector<std::shared_ptr<Layer>> chain{makeRoot()};
        chain.back()->addSublayer(makeBox({20, 20, 10, 10}, Color::rgb(0, 0, 1, 1)));
        while (chain.size() + 2 < test.depth) {
            auto outer = makeRoot();
            outer->addSublayer(chain.back());
            chain.push_back(outer);
        }
        auto root = std::make_shared<ReportingRoot>(40);
        root->addSublayer(makeBox({0, 0, 10, 10}, Color::rgb(1, 0, 0, 1)));
        root->addSublayer(chain.back());
        const auto image = renderTree(root, 0);
        ASSERT_TRUE(image);
        EXPECT_TRUE(pixelIs(*image, 5, 5, kRed));
        EXPECT_TRUE(pixelIs(*image, 25, 25, test.deepestDrawn ? kBlue : kClear));
        EXPECT_EQ(root->reports.size(), test.deepestDrawn ? 0u : 1u);
        // Taken apart from the bottom, so that releasing the chain does not recurse deeply.
        for (const auto& layer : chain) layer->removeFromSuperlayer();
    }
}

TEST(RenderBudget, IntermediateSurfacesPastTheBudgetAreLeftOutOrSimplified) {
    // `count` layers of 4 x 4 points, masked by a mask of `maskSize` points or
    // drawn at half opacity; the last one sits apart, at (40, 40).
    struct Case {
        const char* name;
        int size;
        int count;
        double maskSize;  // 0: no mask, half opacity instead
        int lastAlpha;
    };
    const Case cases[] = {
        {"small masks cost small buffers", 256, 1100, 4, 255},
        {"large masks spend the pixels", 256, 1100, 256, 0},
        {"many masks spend the count", 64, RenderBudget::maximumSurfaceCount / 2 + 10, 4, 0},
        {"groups past the count are simplified", 64, RenderBudget::maximumSurfaceCount + 10, 0, 128},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto root = std::make_shared<ReportingRoot>(test.size);
        for (int index = 0; index < test.count; ++index) {
            const double at = index + 1 == test.count ? 40 : 0;
            auto layer = makeBox({at, at, 4, 4}, Color::rgb(1, 0, 0, 1));
            if (test.maskSize > 0) {
                layer->setMask(makeBox({0, 0, test.maskSize, test.maskSize}, Color::rgb(0, 0, 0, 1)));
                // A mask is drawn only where the contents reach: they reach
                // as far as the mask, with a pixel in its far corner.
                const double corner = test.maskSize - 1;
                layer->addSublayer(makeBox({corner, corner, 1, 1}, Color::rgb(1, 0, 0, 1)));
            } else {
                // Two drawings, so that the opacity needs a group; the second
                // lies beside the probed pixel.
                layer->setOpacity(0.5);
                layer->addSublayer(makeBox({4, 0, 1, 1}, Color::rgb(1, 0, 0, 1)));
            }
            root->addSublayer(layer);
        }
        const auto image = renderTree(root, 0, test.size, test.size);
        ASSERT_TRUE(image);
        EXPECT_EQ(premultipliedAt(*image, 2, 2).a, 255);
        EXPECT_NEAR(premultipliedAt(*image, 42, 42).a, test.lastAlpha, 2);
        EXPECT_EQ(root->reports.size(), test.lastAlpha == 255 ? 0u : 1u);
    }
}

}  // namespace
