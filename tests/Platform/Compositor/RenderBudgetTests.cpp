// The renderer's depth and surface limits on hand-built trees, and its
// deadline in processor time read from a clock the test steps, each reported
// once to the layers being drawn.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Platform/Compositor/RenderBudget.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "Platform/Graphics/CoverageWorkers.h"
#include "Platform/Graphics/Path.h"
#include "tests/Platform/Compositor/RenderTestSupport.h"
#include "tests/Support/SteppingProcessorClock.h"

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

// Masked layers the size of the frame, each holding a red dot by its bottom
// edge and, nested, the next one: the surfaces they take are held at once, so
// each is memory the frame has not held before, and a hundred deep spend the
// frame's work. As many in a row take turns with one surface's memory and are
// all drawn.
TEST(RenderBudget, SurfacesHeldAtOnceCostTheirNewMemoryWhereSurfacesInARowShareIt) {
    constexpr double side = 512;
    for (const bool nested : {false, true}) {
        SCOPED_TRACE(nested ? "nested" : "in a row");
        auto root = std::make_shared<ReportingRoot>(side);
        std::vector<std::shared_ptr<Layer>> levels;
        for (int level = 0; level < 100; ++level) {
            auto layer = makeRoot(side, side);
            // A mask of two boxes is no single shape to clip to: it takes a surface.
            auto mask = makeRoot(side, side);
            mask->addSublayer(makeBox({0, 0, side, side / 2}, Color::rgb(0, 0, 0, 1)));
            mask->addSublayer(makeBox({0, side / 2, side, side / 2}, Color::rgb(0, 0, 0, 1)));
            layer->setMask(mask);
            layer->addSublayer(makeBox({3.0 * level, side - 2, 2, 2}, Color::rgb(1, 0, 0, 1)));
            if (nested && !levels.empty()) {
                levels.back()->addSublayer(layer);
            } else {
                root->addSublayer(layer);
            }
            levels.push_back(layer);
        }
        const auto image = renderTree(root, 0, static_cast<int>(side), static_cast<int>(side));
        ASSERT_TRUE(image);
        int drawn = 0;
        for (int level = 0; level < 100; ++level) drawn += premultipliedAt(*image, 3 * level, side - 1).a > 0;
        if (nested) {
            EXPECT_GT(drawn, 10);
            EXPECT_LT(drawn, 100);
            // The surface refused says so too.
            EXPECT_EQ(std::count_if(root->reports.begin(), root->reports.end(),
                                    [](const std::string& report) { return report.find("drawing work") != std::string::npos; }),
                      1);
        } else {
            EXPECT_EQ(drawn, 100);
            EXPECT_TRUE(root->reports.empty());
        }
        for (auto level = levels.rbegin(); level != levels.rend(); ++level) (*level)->removeFromSuperlayer();
    }
}

// Past the frame's deadline the frame ends where it is: between layers (400
// boxes of 5 points, row by row, each counting toward the clock's readings
// as it is entered and drawn), within one drawing, whose scan conversion
// counts its spans (50 upright stripes of a point, each row of them 50
// spans, laid down from the top), or while a stroke's path is trimmed (a
// line of 100,000 segments cut to its first fifth between 20 boxes and 20
// more, which alone take too few readings to pass the deadline: the cut
// falls at the stroke), while 20,000 layers that draw nothing are entered,
// or while a clip of 50 leaning stripes is laid down row by row as the
// coverage a box is drawn through. Each reading of the clock moves it on by
// the step.
// Drawn on the drawing thread alone, so that the readings fall the same on
// every run.
TEST(RenderBudget, AFramePastItsDeadlineEndsWhereItIsAndSaysSoOnce) {
    enum class Kind { boxes, stripes, trimmedStroke, emptyLayers, clippedStripes };
    struct Case {
        const char* name;
        Kind kind;
        double step;
        bool cut;
        // Where the cut falls in the drawing order, when only one place can cut.
        long cutAt = -1;
    };
    const Case cases[] = {
        {"boxes, the clock standing still", Kind::boxes, 0, false},
        {"boxes, the clock passing the deadline in a few readings", Kind::boxes, 0.25, true},
        {"stripes, the clock standing still", Kind::stripes, 0, false},
        {"stripes, the first reading passing the deadline", Kind::stripes, 2, true},
        {"a trimmed stroke among boxes, the clock standing still", Kind::trimmedStroke, 0, false},
        {"a trimmed stroke among boxes, the clock passing the deadline in a few readings", Kind::trimmedStroke,
         0.25, true, 20},
        {"20,000 layers that draw nothing between two boxes, the clock passing the deadline in a few readings",
         Kind::emptyLayers, 0.25, true, 1},
        {"a box clipped to stripes, the clock standing still", Kind::clippedStripes, 0, false},
        // Its coverage is not laid down whole: the box is left out.
        {"a box clipped to stripes, the first reading passing the deadline", Kind::clippedStripes, 2, true, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const testsupport::SteppingProcessorClock::Installation clock(test.step);
        const platform::graphics::CoverageWorkers::SerialScope serial;
        auto root = std::make_shared<ReportingRoot>(100);
        std::vector<bool> drawn;
        if (test.kind == Kind::trimmedStroke) {
            const auto boxAt = [](int box) { return platform::graphics::Rect(5.0 * (box % 20), 80 + 5.0 * (box / 20), 5, 5); };
            for (int box = 0; box < 20; ++box) root->addSublayer(makeBox(boxAt(box), Color::rgb(1, 0, 0, 1)));
            platform::graphics::Path line;
            line.moveTo({0, 50});
            for (int segment = 1; segment <= 100'000; ++segment) line.lineTo({segment / 1000.0, 50});
            auto stroke = platform::compositor::ShapeLayer::make();
            stroke->setFrame({0, 0, 100, 100});
            stroke->setPath(line);
            stroke->setFillColor(std::nullopt);
            stroke->setStrokeColor(Color::rgb(1, 0, 0, 1));
            stroke->setLineWidth(4);
            stroke->setStrokeEnd(0.2);
            root->addSublayer(stroke);
            for (int box = 20; box < 40; ++box) root->addSublayer(makeBox(boxAt(box), Color::rgb(1, 0, 0, 1)));
            const auto image = renderTree(root, 0, 100, 100);
            ASSERT_TRUE(image);
            EXPECT_TRUE(pixelIs(*image, 30, 50, kClear)) << "drawn past the trim";
            for (int box = 0; box < 40; ++box) {
                const platform::graphics::Rect at = boxAt(box);
                drawn.push_back(premultipliedAt(*image, int(at.midX()), int(at.midY())).a > 0);
                if (box == 19) drawn.push_back(premultipliedAt(*image, 10, 50).a > 0);
            }
        } else if (test.kind == Kind::emptyLayers) {
            root->addSublayer(makeBox({0, 0, 5, 5}, Color::rgb(1, 0, 0, 1)));
            for (int layer = 0; layer < 20'000; ++layer) {
                auto empty = Layer::make();
                empty->setFrame({0, 0, 100, 100});
                root->addSublayer(empty);
            }
            root->addSublayer(makeBox({10, 0, 5, 5}, Color::rgb(1, 0, 0, 1)));
            const auto image = renderTree(root, 0, 100, 100);
            ASSERT_TRUE(image);
            for (int x : {2, 12}) drawn.push_back(premultipliedAt(*image, x, 2).a > 0);
        } else if (test.kind == Kind::stripes || test.kind == Kind::clippedStripes) {
            platform::graphics::Path stripes;
            for (int stripe = 0; stripe < 50; ++stripe) {
                if (test.kind == Kind::stripes) {
                    stripes.addRect({2.0 * stripe, 0, 1, 100});
                    continue;
                }
                // Leaning half a point over their height: a clip of rectangles
                // alone is kept as rectangles, not laid down row by row.
                stripes.moveTo({2.0 * stripe, 0});
                stripes.lineTo({2.0 * stripe + 1, 0});
                stripes.lineTo({2.0 * stripe + 1.5, 100});
                stripes.lineTo({2.0 * stripe + 0.5, 100});
                stripes.closeSubpath();
            }
            auto shape = platform::compositor::ShapeLayer::make();
            shape->setFrame({0, 0, 100, 100});
            shape->setPath(stripes);
            shape->setFillColor(Color::rgb(1, 0, 0, 1));
            if (test.kind == Kind::clippedStripes) {
                // The stripes clip a plain box: their rows are laid down as
                // the coverage the box is drawn through.
                auto box = makeBox({0, 0, 100, 100}, Color::rgb(1, 0, 0, 1));
                box->setMask(shape);
                root->addSublayer(box);
            } else {
                root->addSublayer(shape);
            }
            const auto image = renderTree(root, 0, 100, 100);
            ASSERT_TRUE(image);
            // Row by row: whether the stripes show on it, and the gaps stay clear.
            for (int y = 0; y < 100; ++y) {
                if (test.kind == Kind::stripes) {
                    EXPECT_TRUE(pixelIs(*image, 1, y, kClear)) << y;
                }
                drawn.push_back(premultipliedAt(*image, 0, y).a > 0);
            }
        } else {
            for (int box = 0; box < 400; ++box) {
                root->addSublayer(makeBox({5.0 * (box % 20), 5.0 * (box / 20), 5, 5}, Color::rgb(1, 0, 0, 1)));
            }
            const auto image = renderTree(root, 0, 100, 100);
            ASSERT_TRUE(image);
            for (int box = 0; box < 400; ++box) {
                drawn.push_back(premultipliedAt(*image, 5 * (box % 20) + 2, 5 * (box / 20) + 2).a > 0);
            }
        }
        // What was drawn is what came before one point of the drawing order.
        const auto end = std::find(drawn.begin(), drawn.end(), false);
        EXPECT_EQ(std::find(end, drawn.end(), true), drawn.end()) << "drawn after the cut";
        if (test.cut) {
            EXPECT_LT(end - drawn.begin(), static_cast<long>(drawn.size())) << "nothing cut";
            if (test.cutAt >= 0) {
                EXPECT_EQ(end - drawn.begin(), test.cutAt);
            } else {
                EXPECT_GT(end - drawn.begin(), 0) << "nothing drawn";
            }
            ASSERT_EQ(root->reports.size(), 1u);
            EXPECT_NE(root->reports.front().find("deadline of 1 s of processor time"), std::string::npos)
                << root->reports.front();
        } else {
            EXPECT_EQ(end, drawn.end());
            EXPECT_TRUE(root->reports.empty());
        }
        // The frame's deadline is kept after it, with what it counted.
        const auto& deadline = RenderBudget::lastFrameDeadline();
        ASSERT_TRUE(deadline);
        EXPECT_EQ(deadline->hasPassed(), test.cut);
        EXPECT_EQ(deadline->spent() >= RenderBudget::drawingDeadlineSeconds, test.cut) << deadline->spent();
    }
}

}  // namespace
