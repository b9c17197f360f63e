// Both rendering engines draw the same documents alike: every document under
// tests/EngineComparison/documents (solid and image layers, parents three deep,
// mattes, blend modes, drop shadows, trims, an animated dash phase, stars
// turning, trims between whole frames and in a row, flipped scales, rounded
// rectangles rounded again, gradient points that meet, precompositions
// handing over between whole frames, nested precompositions whose children
// come in between whole frames, trims keyed between whole frames, time
// remapped up to the last frame, a closed path morphing, a star spinning under
// a strong easing, gradients whose colour and opacity stops move, masked and
// translucent) and every corpus
// document made only of shape, solid, image and null layers without masks, at
// ten frames spread over the animation and at its last frame (the one a
// finished animation keeps), through the frame tool's renderer, each frame
// within RMSE 0.01 of the other engine's. The corpus
// documents that draw what one engine cannot are named with the reason.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

#include "Lottie/CoreAnimation/CoreAnimationLayer.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Engine/CoreAnimationLayerFactory.h"
#include "tests/References/PictureDifference.h"
#include "tests/References/ReferenceDocument.h"
#include "tests/Support/TestSupport.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

constexpr double largestRmse = 0.01;
constexpr int framesPerDocument = 10;
// Small pictures keep the run short; a move of one document unit still shows.
constexpr int longSide = 96;

std::filesystem::path documentsFolder() {
    return testsupport::sourceDirectory() / "tests" / "EngineComparison" / "documents";
}

// Whether the document has layers and all of them are shape, solid, image or
// null layers without masks.
bool onlyDrawnLayers(const lottie::LottieAnimation& animation) {
    static const std::set<lottie::LayerType> drawn = {lottie::LayerType::shape, lottie::LayerType::solid,
                                                       lottie::LayerType::image, lottie::LayerType::null};
    if (animation.layers.empty()) return false;
    for (const auto& layer : animation.layers) {
        if (!layer || !drawn.contains(layer->type) || (layer->masks && !layer->masks->empty())) return false;
    }
    return true;
}

// Corpus documents whose pictures differ, by file name, with the reason.
const std::map<std::string, std::string>& knownDifferences() {
    static const std::map<std::string, std::string> differences = {
        {"repeater.json", "the main-thread engine does not draw repeaters; the other engine draws the copies"},
        {"rounded_corners.json",
         "a star rounded by a rounded-corners item: the compositor-driven engine draws it unrounded and reports it"},
    };
    return differences;
}

std::vector<std::filesystem::path> comparedDocuments() {
    std::vector<std::filesystem::path> documents;
    for (const auto& entry : std::filesystem::directory_iterator(documentsFolder())) {
        if (entry.path().extension() == ".json") documents.push_back(entry.path());
    }
    std::sort(documents.begin(), documents.end());
    for (const auto& file : testsupport::corpusFiles(".json")) {
        const auto animation = referencetest::decodedDocument(file);
        if (animation && onlyDrawnLayers(*animation)) documents.push_back(file);
    }
    return documents;
}

class EngineComparison : public testing::TestWithParam<std::filesystem::path> {};

TEST_P(EngineComparison, BothEnginesDrawTheSameFrames) {
    const auto known = knownDifferences().find(GetParam().filename().string());
    if (known != knownDifferences().end() && GetParam().parent_path() != documentsFolder()) {
        GTEST_SKIP() << GetParam() << " differs: " << known->second;
    }
    const auto animation = referencetest::decodedDocument(GetParam());
    ASSERT_TRUE(animation) << GetParam() << " does not decode";
    const auto size = referencetest::pictureSize(*animation, longSide);
    const auto folder = GetParam().parent_path();
    lottieframes::FrameRenderer mainThread(animation, size.width, size.height, std::nullopt,
                                           lottie::RenderingEngineOption::mainThread(), folder);
    lottieframes::FrameRenderer coreAnimation(animation, size.width, size.height, std::nullopt,
                                              lottie::RenderingEngineOption::coreAnimation(), folder);
    for (int index = 0; index <= framesPerDocument; ++index) {
        const double frame =
            animation->startFrame + (animation->endFrame - animation->startFrame) * index / framesPerDocument;
        const auto difference = referencetest::measureDifference(*referencetest::renderedPicture(coreAnimation, frame),
                                                               *referencetest::renderedPicture(mainThread, frame));
        EXPECT_TRUE(difference.sameSize && difference.rmseOverWhite <= largestRmse &&
                    difference.rmseOverBlack <= largestRmse)
            << GetParam() << " frame " << frame << ": " << difference.description();
    }
}

std::string testName(const testing::TestParamInfo<std::filesystem::path>& info) {
    std::string name = info.param.stem().string();
    for (char& character : name) {
        if (!std::isalnum(static_cast<unsigned char>(character))) character = '_';
    }
    return name + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Documents, EngineComparison, testing::ValuesIn(comparedDocuments()), testName);

}  // namespace
