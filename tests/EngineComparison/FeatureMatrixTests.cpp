// The feature matrix drawn by both engines (see FeatureMatrix.h): a document
// that the automatic option keeps on the Core Animation engine must draw every
// compared frame (the first, the middle, the last, and the in and out frames of
// each layer with the frame before each) within RMSE 0.01 of the main-thread
// engine; a document it moves to the main-thread engine must be one this test
// expects to fall back, for the reason it states. Rows that differ through
// faults being mended elsewhere are skipped, and the summary test fails once
// one of them agrees, so that the list cannot go stale; it prints the counts:
// documents, frames, the share within 0.01 and the fallbacks.

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

// Rows that differ today through faults being mended apart from this matrix,
// each with the fault. Each row here is skipped; empty the list as the mends
// land, and the rows then hold the mends to account.
const std::map<std::string, std::string>& awaitingMends() {
    static const std::map<std::string, std::string> rows = [] {
        std::map<std::string, std::string> known;
        const auto add = [&known](const std::vector<std::string>& names, const std::string& fault) {
            for (const auto& name : names) known[name] = fault;
        };
        const std::string faint = "translucent gradients drawn too faint (their opacity applied more than once)";
        for (const char* opacity : {"_half", "_fading"}) {
            for (const char* style : {"gradient_fill_linear_opacity_stops", "gradient_fill_radial_opacity_stops",
                                      "gradient_stroke_linear", "gradient_stroke_linear_opacity_stops",
                                      "gradient_stroke_radial", "gradient_stroke_radial_opacity_stops",
                                      "gradient_stroke_radial_highlight"}) {
                add({std::string(style) + opacity}, faint);
            }
        }
        add({"hand_over_solid_layers", "hand_over_shape_layers", "hand_over_in_precomposition",
             "precomposition_compressed"},
            "the main-thread engine still shows a layer on its out-point frame");
        return known;
    }();
    return rows;
}

// Rows the automatic option moves to the main-thread engine, with the
// compatibility issue it logs (a part of the line is enough) and why the Core
// Animation engine cannot draw them.
const std::map<std::string, std::string>& expectedFallbacks() {
    static const std::map<std::string, std::string> rows = {
        // This engine rounds only the corners of rectangles and paths; a star
        // or polygon would be drawn with sharp points.
        {"rounded_corners_on_star_opaque", "Rounded corners support is currently not implemented for polygon items"},
        {"rounded_corners_on_star_half", "Rounded corners support is currently not implemented for polygon items"},
        {"rounded_corners_on_star_fading", "Rounded corners support is currently not implemented for polygon items"},
        // Neither engine applies a luma matte; the main-thread engine draws the
        // matte as a layer of its own, which this engine's tree cannot.
        {"matte_luma", "does not support luma track mattes"},
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
    automatic.settleEngine();
    RowResult result;
    for (double frame : row.document.comparedFrames()) {
        const auto difference = referencetest::measureDifference(*referencetest::renderedPicture(automatic, frame),
                                                               *referencetest::renderedPicture(mainThread, frame));
        const double rmse =
            difference.sameSize ? std::max(difference.rmseOverWhite, difference.rmseOverBlack) : 1.0;
        result.frames.push_back({frame, rmse});
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
    const auto awaiting = awaitingMends().find(row.name);
    if (awaiting != awaitingMends().end()) GTEST_SKIP() << row.name << " awaits a mend: " << awaiting->second;
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
    // The same without the rows awaiting mends.
    std::size_t settledFrames = 0;
    std::size_t settledAgreeing = 0;
    std::map<std::string, std::vector<std::string>> fallbacks;
    std::vector<std::string> awaiting;
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
        if (!awaitingMends().contains(row.name)) {
            settledFrames += result.frames.size();
            for (const FrameResult& frame : result.frames) settledAgreeing += frame.rmse <= largestRmse ? 1 : 0;
        }
        std::ostringstream line;
        line << row.name << " (worst RMSE " << std::setprecision(3) << result.worstRmse() << ", frames beyond:";
        for (const FrameResult& frame : result.frames) {
            if (frame.rmse > largestRmse) line << " " << frame.frame;
        }
        line << ")";
        if (awaitingMends().contains(row.name)) awaiting.push_back(line.str() + ": " + awaitingMends().at(row.name));
        if (result.worstRmse() > largestRmse) worst.emplace_back(result.worstRmse(), line.str());
    }
    std::sort(worst.rbegin(), worst.rend());
    std::cout << "Feature matrix: " << matrix().size() << " documents, " << frames << " frames compared\n"
              << "On the Core Animation engine: " << onCoreAnimation << " documents, " << coreAnimationFrames
              << " frames, " << agreeing << " within RMSE " << largestRmse << " (" << std::fixed
              << std::setprecision(1) << 100.0 * static_cast<double>(agreeing) / static_cast<double>(coreAnimationFrames)
              << " %)\n"
              << std::defaultfloat << "  without the " << awaitingMends().size() << " rows awaiting mends: "
              << settledFrames << " frames, " << settledAgreeing << " within RMSE " << largestRmse << "\n";
    std::cout << "Fallbacks to the main-thread engine: " << matrix().size() - onCoreAnimation << "\n";
    for (const auto& [reason, names] : fallbacks) {
        std::cout << "  " << names.size() << " x " << reason << "\n";
        for (const auto& name : names) std::cout << "      " << name << "\n";
    }
    std::cout << "Awaiting mends made elsewhere: " << awaiting.size() << "\n";
    for (const auto& line : awaiting) std::cout << "  " << line << "\n";
    std::cout << "Documents with a frame beyond RMSE " << largestRmse << ": " << worst.size() << "\n";
    for (const auto& [rmse, line] : worst) std::cout << "  " << line << "\n";
}

TEST(FeatureMatrixSummary, ListsOnlyRowsThatExistAndStillDiffer) {
    std::map<std::string, int> names;
    for (const MatrixRow& row : matrix()) ++names[row.name];
    for (const auto& [name, count] : names) EXPECT_EQ(count, 1) << name << " names more than one row";
    for (const auto* list : {&awaitingMends(), &expectedFallbacks()}) {
        for (const auto& [name, reason] : *list) EXPECT_TRUE(names.contains(name)) << name << " is no row";
    }
    // A row skipped for a fault that is mended by now would hide the next one.
    for (const MatrixRow& row : matrix()) {
        if (!awaitingMends().contains(row.name)) continue;
        const RowResult& result = measured(row);
        EXPECT_TRUE(result.onCoreAnimation && result.worstRmse() > largestRmse)
            << row.name << " agrees now: take it off the rows awaiting mends";
    }
    printSummary();
}

}  // namespace
