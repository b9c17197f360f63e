// Stars and polygons rounded past 100 %, as real documents round them (190 %
// to 265 %), keep the roundness they ask for on both engines: a point rounded
// by 200 % is drawn unlike one rounded by 100 %, the two engines draw it alike,
// and only roundness past the bound is cut, with a warning.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"
#include "tests/EngineComparison/Support/DocumentBuilder.h"
#include "tests/EngineComparison/Support/ShapeItems.h"
#include "tests/References/PictureDifference.h"
#include "tests/References/ReferenceDocument.h"
#include "tests/Support/RecordingLogger.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using namespace enginematrix;

constexpr int side = 96;

struct Drawn {
    std::shared_ptr<const platform::graphics::Image> picture;
    std::size_t roundnessWarnings;
};

// A 100-unit document holding the shape filled, drawn by the engine.
Drawn draw(bool isStar, double roundness, lottie::RenderingEngineOption engine) {
    testsupport::RecordingLogger log;
    const Value shape = isStar ? star({50, 50}, 30, 14, fixed(roundness)) : polygon({50, 50}, 30, fixed(roundness));
    DocumentBuilder document("Roundness", 100, 10);
    document.layer(LayerBuilder::shapes("Shape", {shape, fill(fixed(numbers({0.9, 0.2, 0.1})), fixed(100.0))}));
    lottieframes::FrameRenderer renderer(document.decoded(), side, side, std::nullopt, engine);
    auto picture = referencetest::renderedPicture(renderer, 0);
    const auto warnings = std::count_if(log.warnings.begin(), log.warnings.end(), [](const std::string& line) {
        return line.find("roundness") != std::string::npos;
    });
    return {picture, static_cast<std::size_t>(warnings)};
}

double rmse(const Drawn& a, const Drawn& b) {
    return referencetest::measureDifference(*a.picture, *b.picture).largerRmse();
}

TEST(StarRoundnessEngines, RoundnessPastFullIsDrawnAsGivenOnBothEngines) {
    const double most = lottie::ShapePathBuilders::maximumRoundedness;
    for (bool isStar : {true, false}) {
        SCOPED_TRACE(isStar ? "star" : "polygon");
        for (const auto& engine : {lottie::RenderingEngineOption::mainThread(),
                                   lottie::RenderingEngineOption::coreAnimation()}) {
            SCOPED_TRACE(engine.description());
            const Drawn full = draw(isStar, 100, engine);
            const Drawn twice = draw(isStar, 200, engine);
            const Drawn realWorld = draw(isStar, 265, engine);
            EXPECT_GT(rmse(full, twice), 0.02);
            EXPECT_GT(rmse(twice, realWorld), 0.01);
            // Past the bound the roundness is cut to it.
            const Drawn bound = draw(isStar, most, engine);
            const Drawn past = draw(isStar, 10 * most, engine);
            EXPECT_EQ(rmse(bound, past), 0);
            EXPECT_EQ(full.roundnessWarnings + twice.roundnessWarnings + realWorld.roundnessWarnings +
                          bound.roundnessWarnings,
                      0u);
            EXPECT_EQ(past.roundnessWarnings, 1u);
        }
        // Both engines draw the same roundness alike.
        for (double roundness : {200.0, 265.0, -200.0}) {
            EXPECT_LE(rmse(draw(isStar, roundness, lottie::RenderingEngineOption::mainThread()),
                           draw(isStar, roundness, lottie::RenderingEngineOption::coreAnimation())),
                      0.01)
                << roundness;
        }
    }
}

}  // namespace
