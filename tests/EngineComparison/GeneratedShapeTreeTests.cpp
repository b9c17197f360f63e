// Generated shape trees drawn by both engines: a fixed number of small random
// trees (see ShapeTreeGenerator), each drawn by the automatic option and by
// the main-thread engine at a whole and at a fractional frame, must agree
// within RMSE 0.01. The automatic option moves a tree whose structure the Core
// Animation engine cannot draw to the main-thread engine, so any picture that
// differs is a structure that engine draws wrong without saying so. The run
// prints how many trees stayed on the Core Animation engine, the reasons for
// the others and the trees that differ, as documents.

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>

#include "tests/EngineComparison/Support/FallbackReason.h"
#include "tests/EngineComparison/Support/ShapeTreeGenerator.h"
#include "tests/References/PictureDifference.h"
#include "tests/References/ReferenceDocument.h"
#include "tests/Support/RecordingLogger.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

constexpr std::uint32_t seed = 4049;
constexpr int treeCount = 2000;
constexpr double largestRmse = 0.01;
constexpr int longSide = 40;
constexpr double comparedFrames[] = {9, 21.5};
// Differing trees printed in full; the rest are counted.
constexpr int printedTrees = 5;

TEST(GeneratedShapeTrees, BothEnginesDrawEveryTreeAlike) {
    enginematrix::ShapeTreeGenerator generator(seed);
    int onCoreAnimation = 0;
    int differing = 0;
    double worst = 0;
    std::map<std::string, std::vector<std::string>> fallbacks;
    for (int index = 0; index < treeCount; ++index) {
        const enginematrix::DocumentBuilder document = generator.next(index);
        const auto animation = document.decoded();
        testsupport::RecordingLogger log;
        lottieframes::FrameRenderer automatic(animation, longSide, longSide, std::nullopt,
                                              lottie::RenderingEngineOption::automatic());
        lottieframes::FrameRenderer mainThread(animation, longSide, longSide, std::nullopt,
                                               lottie::RenderingEngineOption::mainThread());
        automatic.settleEngine();
        if (automatic.activeEngine() == lottie::RenderingEngine::coreAnimation) {
            ++onCoreAnimation;
        } else {
            fallbacks[enginematrix::firstFallbackReason(log.warnings).value_or("(no warning)")].push_back(
                "tree_" + std::to_string(index));
        }
        for (double frame : comparedFrames) {
            const double rmse = referencetest::measureDifference(*referencetest::renderedPicture(automatic, frame),
                                                                 *referencetest::renderedPicture(mainThread, frame))
                                    .largerRmse();
            worst = std::max(worst, rmse);
            if (rmse <= largestRmse) continue;
            ++differing;
            ADD_FAILURE() << "tree " << index << " frame " << frame << ": RMSE " << rmse
                          << (differing <= printedTrees ? "\n" + document.json() : std::string());
            break;
        }
    }
    std::cout << "Generated trees: " << treeCount << " (seed " << seed << "), on the Core Animation engine: "
              << onCoreAnimation << ", differing: " << differing << ", worst RMSE " << worst << "\n";
    enginematrix::printFallbacks(std::cout, fallbacks);
}

}  // namespace
