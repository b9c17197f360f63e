// The automatic engine choice over every document there is: this folder's
// documents, the frame tool's examples, every shared-corpus document (JSON and
// packages) and the real-world documents kept beside the corpus. A document stays on the Core Animation engine unless a
// compatibility issue makes it fall back; where it stays, its frames must agree
// with the main-thread engine's: at least 99 % of them within RMSE 0.01, over
// ten frames a document. Documents with repeaters, which the main-thread engine
// does not draw, are listed apart and not compared. The run prints a table: the documents on each engine,
// the reasons for falling back and the worst frames. No document, on either
// option, may reach a deadline in processor time (of a frame's drawing or of
// an engine's set-up): those are backstops that real documents stay far from.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>

#include "tests/EngineComparison/Support/EveryDocument.h"
#include "tests/EngineComparison/Support/FallbackReason.h"
#include "tests/References/PictureDifference.h"
#include "tests/References/ReferenceDocument.h"
#include "tests/Support/RecordingLogger.h"
#include "tests/Support/TestSupport.h"
#include "tools/lottie-frames/FrameRenderer.h"
#include "tools/lottie-frames/FramesDocument.h"

namespace {

using enginematrix::displayName;
using enginematrix::everyDocument;
using enginematrix::loadedDocument;

constexpr double largestRmse = 0.01;
constexpr double agreeingShare = 0.99;
constexpr int framesPerDocument = 10;
constexpr int longSide = 96;
// What the main-thread engine logs for a document with repeaters.
constexpr const char* mainThreadRepeaterWarning = "doesn't currently support repeaters";

struct FrameResult {
    std::string document;
    double frame;
    double rmse;
};

TEST(AutomaticEngine, StaysOnTheCoreAnimationEngineOnlyWhereBothEnginesAgree) {
    if (!std::filesystem::is_directory(testsupport::realworldDirectory())) {
        std::cout << "No real-world documents at " << testsupport::realworldDirectory() << ": compared without them\n";
    }
    std::vector<std::string> onCoreAnimation;
    std::map<std::string, std::vector<std::string>> fallbacks;
    std::vector<std::string> notDrawn;
    std::vector<std::string> notCompared;
    std::vector<FrameResult> frames;
    std::vector<std::string> pastDeadlines;
    for (const auto& file : everyDocument()) {
        const std::string name = displayName(file);
        std::optional<lottieframes::FramesDocument> loaded = loadedDocument(file);
        if (!loaded) {
            notDrawn.push_back(name + " (does not decode)");
            continue;
        }
        lottieframes::FramesDocument& document = *loaded;
        const auto& animation = document.animation;
        const double longest = std::max(animation->width, animation->height);
        if (!(longest > 0) || !std::isfinite(longest)) {
            notDrawn.push_back(name + " (no drawable size)");
            continue;
        }
        const auto size = referencetest::pictureSize(*animation, longSide);
        testsupport::RecordingLogger log;
        lottieframes::FrameRenderer automatic(animation, size.width, size.height, std::nullopt,
                                              lottie::RenderingEngineOption::automatic(), document.images);
        lottieframes::FrameRenderer mainThread(animation, size.width, size.height, std::nullopt,
                                               lottie::RenderingEngineOption::mainThread(), document.images);
        std::vector<FrameResult> documentFrames;
        for (int index = 0; index < framesPerDocument; ++index) {
            const double frame =
                animation->startFrame + (animation->endFrame - animation->startFrame) * index / framesPerDocument;
            const auto difference =
                referencetest::measureDifference(*referencetest::renderedPicture(automatic, frame),
                                             *referencetest::renderedPicture(mainThread, frame));
            documentFrames.push_back({name, frame, difference.largerRmse()});
        }
        for (const auto* messages : {&log.warnings, &log.assertionFailures}) {
            for (const std::string& message : *messages) {
                if (message.find("passed its deadline") != std::string::npos) {
                    pastDeadlines.push_back(name + ": " + message);
                }
            }
        }
        if (std::ranges::any_of(log.warnings, [](const std::string& warning) {
                return warning.find(mainThreadRepeaterWarning) != std::string::npos;
            })) {
            // The main-thread engine draws no repeaters, by design: its frames
            // say nothing of how well the other engine draws them.
            notCompared.push_back(name);
        } else if (automatic.activeEngine() == lottie::RenderingEngine::coreAnimation) {
            onCoreAnimation.push_back(name);
            frames.insert(frames.end(), documentFrames.begin(), documentFrames.end());
        } else {
            fallbacks[enginematrix::firstFallbackReason(log.warnings).value_or("(no warning)")].push_back(name);
        }
    }

    std::size_t agreeing = 0;
    for (const FrameResult& result : frames) agreeing += result.rmse <= largestRmse ? 1 : 0;
    std::sort(frames.begin(), frames.end(), [](const auto& a, const auto& b) { return a.rmse > b.rmse; });

    std::size_t fallbackCount = 0;
    for (const auto& [reason, documents] : fallbacks) fallbackCount += documents.size();
    std::cout << "Documents on the Core Animation engine: " << onCoreAnimation.size() << "\n";
    for (const auto& name : onCoreAnimation) std::cout << "  " << name << "\n";
    std::cout << "Documents that fell back to the main-thread engine: " << fallbackCount << "\n";
    enginematrix::printFallbacks(std::cout, fallbacks);
    std::cout << "Documents not compared (repeaters, which the main-thread engine does not draw): "
              << notCompared.size() << "\n";
    for (const auto& name : notCompared) std::cout << "  " << name << "\n";
    std::cout << "Documents not drawn: " << notDrawn.size() << "\n";
    for (const auto& name : notDrawn) std::cout << "  " << name << "\n";
    std::cout << "Frames compared on the Core Animation engine: " << frames.size() << ", within RMSE " << largestRmse
              << ": " << agreeing << "\nWorst frames:\n";
    for (std::size_t index = 0; index < std::min<std::size_t>(5, frames.size()); ++index) {
        std::cout << "  " << frames[index].document << " frame " << frames[index].frame << ": RMSE "
                  << frames[index].rmse << "\n";
    }

    for (const std::string& cut : pastDeadlines) ADD_FAILURE() << cut;
    // Without a document on that engine the agreement would say nothing.
    ASSERT_FALSE(onCoreAnimation.empty());
    EXPECT_GE(static_cast<double>(agreeing), agreeingShare * static_cast<double>(frames.size()));
}

}  // namespace
