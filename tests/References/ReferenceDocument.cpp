#include "tests/References/ReferenceDocument.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Graphics/ImageDecoder.h"
#include "tests/Support/TestSupport.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace referencetest {

namespace {

std::string testName(const std::filesystem::path& relative) {
    std::string name = relative.string();
    std::replace_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

std::vector<ReferenceDocument> documentsBelow(const std::filesystem::path& root,
                                              const std::vector<std::filesystem::path>& files,
                                              const std::string& collection) {
    std::vector<ReferenceDocument> documents;
    for (const auto& file : files) {
        auto relative = file.lexically_relative(root).replace_extension();
        documents.push_back({testName(relative), file.lexically_normal(), std::filesystem::path(collection) / relative});
    }
    return documents;
}

}  // namespace

std::vector<ReferenceDocument> corpusDocuments() {
    return documentsBelow(testsupport::corpusDirectory(), testsupport::corpusFiles(".json"), "corpus");
}

std::vector<ReferenceDocument> realworldDocuments() {
    return documentsBelow(testsupport::realworldDirectory(), testsupport::realworldFiles(".json"), "realworld");
}

std::vector<ReferenceDocument> exampleDocuments() {
    const auto root = testsupport::sourceDirectory() / "examples";
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file() && entry.path().extension() == ".json") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return documentsBelow(root, files, "examples");
}

std::filesystem::path referenceRoot() { return testsupport::sourceDirectory() / "tests" / "References"; }

std::vector<double> referenceFrames(const lottie::LottieAnimation& animation) {
    const double first = animation.startFrame;
    const double last = std::max(first, std::ceil(animation.endFrame) - 1);
    const double middle = first + std::floor((last - first) / 2);
    std::vector<double> frames{first, middle, last};
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    return frames;
}

std::string pictureFileName(double frame) {
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, frame);
    return "frame-" + (error == std::errc() ? std::string(buffer, end) : std::string("unnamed")) + ".png";
}

std::shared_ptr<const lottie::LottieAnimation> decodedDocument(const std::filesystem::path& file) {
    try {
        return lottie::LottieAnimation::fromData(testsupport::readFile(file), lottie::DecodingStrategy::dictionaryBased);
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::shared_ptr<const platform::graphics::Image> renderedPicture(lottieframes::FrameRenderer& renderer,
                                                                 double frame) {
    return platform::graphics::ImageDecoder::decode(renderer.render(frame)->encodePNG());
}

PictureSize pictureSize(const lottie::LottieAnimation& animation, int longSide) {
    const double longer = std::max(animation.width, animation.height);
    auto side = [&](double length) { return std::max(1, static_cast<int>(std::lround(longSide * length / longer))); };
    return {side(animation.width), side(animation.height)};
}

}  // namespace referencetest
