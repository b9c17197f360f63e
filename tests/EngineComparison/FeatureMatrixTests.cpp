// The feature matrix drawn by both engines (see FeatureMatrix.h): a document
// that the automatic option keeps on the Core Animation engine must draw every
// compared frame (the first, the middle, the last, and the in and out frames of
// each layer with the frame before each) within RMSE 0.01 of the main-thread
// engine; a document it moves to the main-thread engine must be one this test
// expects to fall back, for the reason it states. The summary test prints the
// counts: documents, frames, the share within 0.01 and the fallbacks.

#include <gtest/gtest.h>

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>

#include "tests/EngineComparison/FeatureMatrix.h"
#include "tests/EngineComparison/Support/FallbackReason.h"
#include "tests/References/PictureDifference.h"
#include "tests/References/ReferenceDocument.h"
#include "tests/Support/RecordingLogger.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using enginematrix::MatrixRow;

constexpr double largestRmse = 0.01;
// Small pictures keep the run short; a move of one document unit still shows.
constexpr int longSide = 64;

// Rows the automatic option moves to the main-thread engine, with the
// compatibility issue it logs (a part of the line is enough) and why the Core
// Animation engine cannot draw them.
const std::map<std::string, std::string>& expectedFallbacks() {
    static const std::string unevenGroup = "gradients inherited by a group that skews or scales unevenly";
    static const std::string liftedGroup = "value providers on the transform of a group whose paths";
    static const std::string handedDown = "stroke or gradient of an outer level is drawn in";
    static const std::map<std::string, std::string> rows = {
        // This engine rounds only the corners of rectangles and paths; a star
        // or polygon would be drawn with sharp points.
        {"rounded_corners_on_star_opaque", "Rounded corners support is currently not implemented for polygon items"},
        {"rounded_corners_on_star_half", "Rounded corners support is currently not implemented for polygon items"},
        {"rounded_corners_on_star_fading", "Rounded corners support is currently not implemented for polygon items"},
        // Neither engine applies a luma matte; the main-thread engine draws the
        // matte as a layer of its own, which this engine's tree cannot.
        {"matte_luma", "does not support luma track mattes"},
        // This engine draws an inherited gradient in the inner group's space
        // from its two points alone; under a skew or an uneven scale its bands
        // and circles would have to bend with the group's transform as well.
        {"linear_gradient_inherited_by_a_group_skewed", unevenGroup},
        {"linear_gradient_inherited_by_a_group_skewing", unevenGroup},
        {"linear_gradient_inherited_by_a_group_scaled_unevenly", unevenGroup},
        {"linear_gradient_inherited_by_a_group_scaling_unevenly", unevenGroup},
        {"radial_gradient_inherited_by_a_group_skewed", unevenGroup},
        {"radial_gradient_inherited_by_a_group_skewing", unevenGroup},
        {"radial_gradient_inherited_by_a_group_scaled_unevenly", unevenGroup},
        {"radial_gradient_inherited_by_a_group_scaling_unevenly", unevenGroup},
        // A fill or stroke that draws the paths of moving groups and others
        // can be drawn neither inside the groups nor around them.
        {"fill_reaches_child_groups_moving", "draws the paths of its own level and those of a group"},
        {"stroke_after_child_groups_moving", "that draws the paths of several groups"},
        {"own_fill_below_earlier_group_moving", "draws the paths of its own level and those of a group"},
        // This engine takes a still group's transform into the paths a fill
        // of an outer level draws, and the transform and a stroke's width into
        // the strokes and gradients it hands down into a group, while it
        // builds its layers: a provider of those values comes too late.
        {"group_position_provider_under_an_outer_fill", liftedGroup},
        {"group_rotation_provider_under_an_outer_fill", liftedGroup},
        {"group_scale_provider_under_an_outer_fill", liftedGroup},
        {"nested_group_position_provider_under_fills_at_each_level", liftedGroup},
        {"stroke_width_provider_handed_down_into_a_scaled_group", handedDown},
        {"group_scale_provider_under_a_stroke_handed_down", handedDown},
        {"group_position_provider_under_a_gradient_handed_down", handedDown},
    };
    return rows;
}

const std::vector<MatrixRow>& matrix() {
    static const std::vector<MatrixRow> rows = enginematrix::featureMatrix();
    return rows;
}

struct FrameResult {
    double frame;
    double rmse;
};

struct RowResult {
    bool onCoreAnimation = false;
    std::string fallbackReason;
    std::vector<FrameResult> frames;

    double worstRmse() const {
        double worst = 0;
        for (const FrameResult& frame : frames) worst = std::max(worst, frame.rmse);
        return worst;
    }
};

RowResult measure(const MatrixRow& row) {
    testsupport::RecordingLogger log;
    const auto animation = row.document.decoded();
    const auto mainThreadAnimation = row.mainThreadDocument ? row.mainThreadDocument->decoded() : animation;
    const auto size = referencetest::pictureSize(*animation, longSide);
    lottieframes::FrameRenderer automatic(animation, size.width, size.height, std::nullopt,
                                          lottie::RenderingEngineOption::automatic());
    lottieframes::FrameRenderer mainThread(mainThreadAnimation, size.width, size.height, std::nullopt,
                                           lottie::RenderingEngineOption::mainThread());
    for (const enginematrix::ProvidedValue& provided : row.providers) {
        for (auto* renderer : {&automatic, &mainThread}) {
            renderer->animationLayer()->installValueProvider(provided.make(), lottie::AnimationKeypath(provided.keypath));
        }
    }
    automatic.settleEngine();
    RowResult result;
    for (double frame : row.document.comparedFrames()) {
        const auto difference = referencetest::measureDifference(*referencetest::renderedPicture(automatic, frame),
                                                               *referencetest::renderedPicture(mainThread, frame));
        result.frames.push_back({frame, difference.largerRmse()});
    }
    result.onCoreAnimation = automatic.activeEngine() == lottie::RenderingEngine::coreAnimation;
    result.fallbackReason = enginematrix::firstFallbackReason(log.warnings).value_or("");
    return result;
}

// Each row is drawn once a run, whichever test asks first.
const RowResult& measured(const MatrixRow& row) {
    static std::map<std::string, RowResult> results;
    auto found = results.find(row.name);
    if (found == results.end()) found = results.emplace(row.name, measure(row)).first;
    return found->second;
}

class FeatureMatrix : public testing::TestWithParam<std::size_t> {};

TEST_P(FeatureMatrix, StaysOnTheCoreAnimationEngineOnlyWhereBothEnginesAgree) {
    const MatrixRow& row = matrix()[GetParam()];
    const RowResult& result = measured(row);
    const auto fallback = expectedFallbacks().find(row.name);
    if (fallback != expectedFallbacks().end()) {
        EXPECT_FALSE(result.onCoreAnimation) << row.name << " should fall back: " << fallback->second;
        EXPECT_NE(result.fallbackReason.find(fallback->second), std::string::npos)
            << row.name << " fell back for another reason: " << result.fallbackReason;
        return;
    }
    ASSERT_TRUE(result.onCoreAnimation) << row.name << " fell back: " << result.fallbackReason;
    for (const FrameResult& frame : result.frames) {
        EXPECT_LE(frame.rmse, largestRmse) << row.name << " frame " << frame.frame << "\n" << row.document.json();
    }
}

std::string rowName(const testing::TestParamInfo<std::size_t>& info) { return matrix()[info.param].name; }

INSTANTIATE_TEST_SUITE_P(Rows, FeatureMatrix, testing::Range<std::size_t>(0, matrix().size()), rowName);

void printSummary() {
    std::size_t frames = 0;
    std::size_t onCoreAnimation = 0;
    std::size_t coreAnimationFrames = 0;
    std::size_t agreeing = 0;
    std::map<std::string, std::vector<std::string>> fallbacks;
    std::vector<std::pair<double, std::string>> worst;
    for (const MatrixRow& row : matrix()) {
        const RowResult& result = measured(row);
        frames += result.frames.size();
        if (!result.onCoreAnimation) {
            fallbacks[result.fallbackReason].push_back(row.name);
            continue;
        }
        ++onCoreAnimation;
        coreAnimationFrames += result.frames.size();
        for (const FrameResult& frame : result.frames) agreeing += frame.rmse <= largestRmse ? 1 : 0;
        std::ostringstream line;
        line << row.name << " (worst RMSE " << std::setprecision(3) << result.worstRmse() << ", frames beyond:";
        for (const FrameResult& frame : result.frames) {
            if (frame.rmse > largestRmse) line << " " << frame.frame;
        }
        line << ")";
        if (result.worstRmse() > largestRmse) worst.emplace_back(result.worstRmse(), line.str());
    }
    std::sort(worst.rbegin(), worst.rend());
    std::cout << "Feature matrix: " << matrix().size() << " documents, " << frames << " frames compared\n"
              << "On the Core Animation engine: " << onCoreAnimation << " documents, " << coreAnimationFrames
              << " frames, " << agreeing << " within RMSE " << largestRmse << " (" << std::fixed
              << std::setprecision(1) << 100.0 * static_cast<double>(agreeing) / static_cast<double>(coreAnimationFrames)
              << " %)\n" << std::defaultfloat;
    std::cout << "Fallbacks to the main-thread engine: " << matrix().size() - onCoreAnimation << "\n";
    enginematrix::printFallbacks(std::cout, fallbacks);
    std::cout << "Documents with a frame beyond RMSE " << largestRmse << ": " << worst.size() << "\n";
    for (const auto& [rmse, line] : worst) std::cout << "  " << line << "\n";
}

TEST(FeatureMatrixSummary, ListsOnlyRowsThatExist) {
    std::map<std::string, int> names;
    for (const MatrixRow& row : matrix()) ++names[row.name];
    for (const auto& [name, reason] : expectedFallbacks()) EXPECT_TRUE(names.contains(name)) << name << " is no row";
    printSummary();
}

}  // namespace
