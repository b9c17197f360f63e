// Pictures kept from one frame to the next against fresh draws, over every
// document there is (Support/EveryDocument.h) on both engines: a few frames of
// each document are drawn in a random order (seeded, so that a failure comes
// back the same), some twice in a row as a paused view draws them, and every
// picture must be byte for byte the picture a renderer that draws that frame
// alone gives. Whatever a kept picture, a kept presentation or a value carried
// over from the frame before changes shows as a difference here.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <map>
#include <random>
#include <sstream>

#include "tests/EngineComparison/Support/EveryDocument.h"
#include "tests/References/ReferenceDocument.h"
#include "tests/Support/RecordingLogger.h"
#include "tests/Support/TestSupport.h"
#include "tools/lottie-frames/FrameRenderer.h"
#include "tools/lottie-frames/FramesDocument.h"

namespace {

// At least the pixels a frame shows for its layers to keep pictures.
constexpr int longSide = 100;
constexpr int framesPerDocument = 3;
constexpr int drawsPerDocument = 7;

// The frames of a document to draw (whole frames within its range, distinct
// where it has enough), and the order to draw them in: each draw repeats the
// one before with a chance of one in three, and at least one does.
std::vector<double> drawingOrder(const lottie::LottieAnimation& animation, std::mt19937& random) {
    const double first = std::ceil(animation.startFrame);
    const double span = std::max(0.0, std::floor(animation.endFrame) - first);
    std::vector<double> frames;
    for (int index = 0; index < framesPerDocument; ++index) {
        const double frame = first + static_cast<double>(random() % (static_cast<std::uint32_t>(span) + 1));
        if (std::ranges::find(frames, frame) == frames.end()) frames.push_back(frame);
    }
    std::vector<double> order{frames[random() % frames.size()]};
    bool repeated = false;
    while (order.size() < drawsPerDocument) {
        const bool repeat = random() % 3 == 0;
        repeated = repeated || repeat;
        order.push_back(repeat ? order.back() : frames[random() % frames.size()]);
    }
    if (!repeated) order.push_back(order.back());
    return order;
}

std::string listed(const std::vector<double>& frames, std::size_t count) {
    std::ostringstream text;
    for (std::size_t index = 0; index < count; ++index) text << (index ? ", " : "") << frames[index];
    return text.str();
}

// Where two pictures of the same size differ: how many pixels, and by how
// much in the channel that differs most.
std::string difference(const platform::graphics::Image& picture, const platform::graphics::Image& fresh) {
    if (picture.width() != fresh.width() || picture.height() != fresh.height()) return "another size";
    int pixels = 0, largest = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint32_t a = picture.pixel(x, y), b = fresh.pixel(x, y);
            if (a == b) continue;
            ++pixels;
            for (int shift = 0; shift < 32; shift += 8) {
                largest = std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff)));
            }
        }
    }
    return std::to_string(pixels) + " pixels differ, by up to " + std::to_string(largest) + "/255";
}

bool sameBytes(const platform::graphics::Image& picture, const platform::graphics::Image& fresh) {
    if (picture.width() != fresh.width() || picture.height() != fresh.height()) return false;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != fresh.pixel(x, y)) return false;
        }
    }
    return true;
}

TEST(KeptPictures, AFrameDrawnAfterOthersIsTheFrameDrawnAlone) {
    if (testsupport::corpusDirectory().empty() || !std::filesystem::is_directory(testsupport::corpusDirectory())) {
        std::cout << "No corpus beside the clone: drawn over the repository's own documents alone\n";
    }
    if (!std::filesystem::is_directory(testsupport::realworldDirectory())) {
        std::cout << "No real-world documents at " << testsupport::realworldDirectory() << ": drawn without them\n";
    }
    const std::pair<const char*, lottie::RenderingEngineOption> engines[] = {
        {"main-thread", lottie::RenderingEngineOption::mainThread()},
        {"core-animation", lottie::RenderingEngineOption::coreAnimation()},
    };
    std::vector<std::string> failures;
    std::size_t documents = 0, draws = 0;
    std::mt19937 random(105);
    for (const auto& file : enginematrix::everyDocument()) {
        const std::string name = enginematrix::displayName(file);
        std::optional<lottieframes::FramesDocument> loaded = enginematrix::loadedDocument(file);
        if (!loaded) continue;  // the agreement test lists what does not decode
        lottieframes::FramesDocument& document = *loaded;
        const auto& animation = document.animation;
        const double longest = std::max(animation->width, animation->height);
        if (!(longest > 0) || !std::isfinite(longest) || !std::isfinite(animation->startFrame) ||
            !std::isfinite(animation->endFrame) || animation->endFrame - animation->startFrame > 1e6) {
            continue;
        }
        ++documents;
        const auto size = referencetest::pictureSize(*animation, longSide);
        const std::vector<double> order = drawingOrder(*animation, random);
        for (const auto& [engineName, engine] : engines) {
            testsupport::RecordingLogger log;
            std::map<double, std::shared_ptr<const platform::graphics::Image>> fresh;
            for (double frame : order) {
                if (fresh.contains(frame)) continue;
                lottieframes::FrameRenderer alone(animation, size.width, size.height, std::nullopt, engine,
                                                  document.images);
                fresh[frame] = alone.render(frame);
            }
            lottieframes::FrameRenderer renderer(animation, size.width, size.height, std::nullopt, engine,
                                                 document.images);
            for (std::size_t index = 0; index < order.size(); ++index) {
                const auto picture = renderer.render(order[index]);
                ++draws;
                if (sameBytes(*picture, *fresh[order[index]])) continue;
                failures.push_back(name + " on the " + engineName + " engine, frames drawn " + listed(order, index + 1) +
                                   ": the last differs from that frame drawn alone, " +
                                   difference(*picture, *fresh[order[index]]));
                break;
            }
        }
    }
    std::cout << "Documents drawn: " << documents << ", pictures compared: " << draws << "\n";
    for (const std::string& failure : failures) ADD_FAILURE() << failure;
    EXPECT_GT(documents, 0u);
}

}  // namespace
