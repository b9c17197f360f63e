// A frame's work budget: once a cost does not fit, the frame ends there, and
// nothing later is drawn however little it costs. Its deadline in processor
// time, read from a clock the test steps, adds up the threads working for it
// and spends the budget once passed.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <thread>
#include <vector>

#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Image.h"
#include "Platform/Graphics/Path.h"
#include "Platform/Graphics/ProcessorDeadline.h"
#include "Platform/Graphics/WorkBudget.h"
#include "tests/Support/SteppingProcessorClock.h"

namespace {

using platform::graphics::GraphicsContext;
using platform::graphics::ProcessorDeadline;
using platform::graphics::WorkBudget;

TEST(WorkBudget, ACostThatDoesNotFitSpendsTheBudgetForGood) {
    struct Step {
        bool charge;  // charged without asking, else taken
        double units;
        bool taken;   // for a take
        bool spentAfter;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"up to the limit exactly", {{false, 600, true, false}, {false, 400, true, false}}},
        {"a small cost after one that did not fit",
         {{false, 600, true, false}, {false, 500, false, true}, {false, 10, false, true}}},
        {"a cost that is no number", {{false, nan, false, true}, {false, 1, false, true}}},
        {"charged past the limit", {{true, 1200, false, true}, {false, 1, false, true}}},
        {"charged up to the limit", {{true, 1000, false, false}, {false, 1, false, true}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        WorkBudget budget(1000);
        for (const Step& step : test.steps) {
            if (step.charge) {
                budget.charge(step.units);
            } else {
                EXPECT_EQ(budget.take(step.units), step.taken) << step.units;
            }
            EXPECT_EQ(budget.isSpent(), step.spentAfter) << step.units;
        }
    }
}

TEST(WorkBudget, DrawingStopsWhereTheBudgetIsSpent) {
    // The cost of a small square, measured rather than assumed.
    auto measure = GraphicsContext::makeBitmap(100, 100);
    WorkBudget roomy(1e12);
    {
        const WorkBudget::Activation active(roomy);
        measure->fillRect({0, 0, 10, 10});
    }
    ASSERT_GT(roomy.used(), 0);

    // Room for three small squares: the first is drawn, the whole canvas does
    // not fit, and the last small square comes after the frame ended.
    auto context = GraphicsContext::makeBitmap(100, 100);
    WorkBudget budget(3 * roomy.used());
    {
        const WorkBudget::Activation active(budget);
        context->fillRect({0, 0, 10, 10});
        context->fillRect({0, 0, 100, 100});
        context->fillRect({50, 50, 10, 10});
    }
    EXPECT_TRUE(budget.isSpent());
    const auto image = context->makeImage();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixel(5, 5) >> 24, 0xffu);
    EXPECT_EQ(image->pixel(30, 30) >> 24, 0u);
    EXPECT_EQ(image->pixel(55, 55) >> 24, 0u);
}

// Clipping to a path of crowded edges costs what filling it costs before any
// pixel is laid down: a clip the budget refuses lets nothing through, and the
// frame ends there.
TEST(WorkBudget, AClipTakesItsPathsCostAndLetsNothingThroughWhenRefused) {
    // 600 edges, each crossing every row of the canvas.
    platform::graphics::Path zigzag;
    zigzag.moveTo({0, 0});
    for (int vertex = 1; vertex < 600; ++vertex) zigzag.lineTo({vertex / 6.0, vertex % 2 ? 100.0 : 0.0});
    zigzag.closeSubpath();
    platform::graphics::Path square;
    square.addRect({0, 0, 100, 100});
    const auto clipCost = [](const platform::graphics::Path& path) {
        auto context = GraphicsContext::makeBitmap(100, 100);
        WorkBudget roomy(1e12);
        const WorkBudget::Activation active(roomy);
        context->addPath(path);
        context->clip();
        return roomy.used();
    };
    const double crowded = clipCost(zigzag);
    EXPECT_GT(crowded, 0);
    // The edges of the square cross no others, and there are four.
    EXPECT_GT(crowded, 1000 * clipCost(square));

    auto context = GraphicsContext::makeBitmap(100, 100);
    WorkBudget budget(crowded / 2);
    {
        const WorkBudget::Activation active(budget);
        context->addPath(zigzag);
        context->clip();
        EXPECT_TRUE(budget.isSpent());
        context->fillRect({0, 0, 100, 100});
    }
    const auto image = context->makeImage();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixel(50, 50) >> 24, 0u);
}

// Each reading of the clock moves the reading thread's time on by a quarter
// second; a thread reads it when it starts and stops counting toward a
// deadline and once its checks add up to unitsPerReading.
TEST(WorkBudget, ItsDeadlineAddsUpTheThreadsWorkingForItAndSpendsItOncePassed) {
    constexpr int reading = ProcessorDeadline::unitsPerReading;
    // takes: `units` drawings of no cost taken, each counting an item.
    enum class On { drawingThread, anotherDeadline, anotherThread, takes };
    struct Step {
        const char* what;
        int units;
        On on;
        double spentAfter;
        bool passedAfter;
    };
    const Step steps[] = {
        {"units short of a reading read nothing", reading - 1, On::drawingThread, 0, false},
        {"the unit that completes them reads the clock", 1, On::drawingThread, 0.25, false},
        // Its time up to the switch counts; the other deadline's own does not.
        {"work for another deadline", reading, On::anotherDeadline, 0.5, false},
        // Its start, its check and its end: two steps of its own time.
        {"a thread that works for it adds its own time", reading, On::anotherThread, 1.0, false},
        {"drawings that cost nothing count an item each", reading / ProcessorDeadline::unitsPerItem, On::takes, 1.25,
         false},
        {"the drawing thread's next reading passes it", reading, On::drawingThread, 1.5, true},
    };
    const testsupport::SteppingProcessorClock::Installation clock(0.25);
    const auto deadline = std::make_shared<ProcessorDeadline>(1.5);
    WorkBudget budget(1e12, deadline);
    {
        const ProcessorDeadline::Scope counting(deadline);
        for (const Step& step : steps) {
            SCOPED_TRACE(step.what);
            if (step.on == On::anotherThread) {
                std::thread worker([&] {
                    ProcessorDeadline::countToward(deadline);
                    ProcessorDeadline::checkCurrent(step.units);
                    ProcessorDeadline::countToward(nullptr);
                });
                worker.join();
            } else if (step.on == On::anotherDeadline) {
                const auto other = std::make_shared<ProcessorDeadline>(10.0);
                {
                    const ProcessorDeadline::Scope elsewhere(other);
                    EXPECT_FALSE(ProcessorDeadline::checkCurrent(step.units));
                }
                EXPECT_DOUBLE_EQ(other->spent(), 0.5);
            } else if (step.on == On::takes) {
                for (int take = 0; take < step.units; ++take) EXPECT_TRUE(budget.take(0));
            } else {
                EXPECT_EQ(budget.checkDeadline(step.units), step.passedAfter);
            }
            EXPECT_DOUBLE_EQ(deadline->spent(), step.spentAfter);
            EXPECT_EQ(deadline->hasPassed(), step.passedAfter);
        }
    }
    // Spent for good, and said to be by the deadline.
    EXPECT_FALSE(budget.take(1));
    EXPECT_TRUE(budget.isSpent());
    EXPECT_TRUE(budget.passedDeadline());
    // A budget without a deadline never passes one, nor does a thread that
    // counts toward none.
    WorkBudget without(1e12);
    EXPECT_FALSE(without.checkDeadline(100 * reading));
    EXPECT_TRUE(without.take(1));
    EXPECT_FALSE(ProcessorDeadline::checkCurrent(100 * reading));
}

}  // namespace
