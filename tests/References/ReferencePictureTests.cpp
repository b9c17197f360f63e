// Every animation of the corpus, of the real-world folder beside it and of
// examples/ drawn at three frames, small,
// by the main-thread engine through the frame tool's renderer, and compared with
// the pictures kept under tests/References. A change of any picture beyond the
// tolerance below fails, naming the document, the frame and how far it moved,
// and leaves the new picture, the reference and their difference side by side
// in <build>/reference-failures/.
//
// With PELLOR_UPDATE_REFERENCES=1 (`make references`) the tests write every
// picture that changed, or is new, into the source tree instead, and remove the
// pictures of frames and documents that are gone. That is for an intended change
// of picture only, with the reason in the commit message.
//
// The corpus and real-world pictures come from documents of others;
// tests/References/corpus and tests/References/realworld keep their
// attribution and licence files beside them.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <set>
#include <string>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/RenderingEngineOption.h"
#include "Platform/Graphics/ImageDecoder.h"
#include "tests/References/PictureDifference.h"
#include "tests/References/ReferenceDocument.h"
#include "tests/Support/TestSupport.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace referencetest {

void PrintTo(const ReferenceDocument& document, std::ostream* out) { *out << document.document.string(); }

}  // namespace referencetest

namespace {

using referencetest::ReferenceDocument;

// The tolerance, per picture, each limit holding over white and over black.
// Measured: the GCC 12 build (RelWithDebInfo), the Clang 14 build and the
// sanitizer build draw every picture identically (RMSE 0, largest channel
// difference 0), so the limits only leave room for a few anti-aliasing samples
// to fall differently on an edge (a step of a few 1/255 each) under another
// compiler's floating-point code. Planted by hand, every layer drawn at 90 % of
// its opacity, or every layer moved by one unit of its document, failed every
// document it changed; each plant left a single picture within these limits (a
// change of 6/255 on a small star; of 1/255 on the edge of a circle).
constexpr double largestRmse = 0.001;
constexpr int largestChannelDifference = 8;

// The pictures' long side, in pixels: small enough to keep the set and the run
// small, large enough that a pixel's move shows.
constexpr int longSide = 96;

// Draws every picture with the fonts scripts/setup installs and no others: a
// text in a script DejaVu lacks shows the same placeholder boxes on every machine.
// Set before anything asks fontconfig for a font.
[[maybe_unused]] const bool fontsChosen = [] {
    return setenv("FONTCONFIG_FILE", PELLOR_SOURCE_DIR "/tests/References/fonts.conf", 1) == 0;
}();

bool updatingReferences() {
    const char* value = std::getenv("PELLOR_UPDATE_REFERENCES");
    return value && *value && std::string(value) != "0";
}

std::filesystem::path failureFolder() { return std::filesystem::path(PELLOR_BINARY_DIR) / "reference-failures"; }

// The pictures directly in a folder (none when it does not exist). Only those:
// the folder may also hold the folders of documents in a folder of the same name.
std::vector<std::filesystem::path> picturesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> pictures;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return pictures;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == ".png") pictures.push_back(entry.path());
    }
    return pictures;
}

void removePictures(const std::filesystem::path& folder) {
    for (const auto& picture : picturesIn(folder)) std::filesystem::remove(picture);
}

bool hasDrawableSize(const lottie::LottieAnimation& animation) {
    return std::isfinite(animation.width) && std::isfinite(animation.height) && animation.width > 0 &&
           animation.height > 0;
}

// Writes the new picture beside its reference and their difference, and says where.
std::string keepFailure(const std::filesystem::path& relative, const platform::graphics::Image& picture,
                        const platform::graphics::Image* reference) {
    const auto path = failureFolder() / relative;
    std::filesystem::create_directories(path.parent_path());
    auto image = referencetest::sideBySide(picture, reference);
    if (!image || !image->writePNG(path)) return "(could not write " + path.string() + ")";
    return "new | reference | difference in " + path.string();
}

void writeReference(const std::filesystem::path& path, const platform::graphics::Image& picture) {
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(picture.writePNG(path)) << "cannot write " << path;
    std::cout << "wrote " << path.string() << '\n';
}

bool withinTolerance(const referencetest::PictureDifference& difference) {
    return difference.sameSize && difference.rmseOverWhite <= largestRmse && difference.rmseOverBlack <= largestRmse &&
           difference.largestChannelDifference <= largestChannelDifference;
}

// Compares one frame's picture with its reference, or writes it as the
// reference when updating.
void checkPicture(const ReferenceDocument& document, double frame, const platform::graphics::Image& picture) {
    const std::string name = referencetest::pictureFileName(frame);
    const auto path = referencetest::referenceRoot() / document.pictureFolder / name;
    std::shared_ptr<const platform::graphics::Image> reference;
    if (std::filesystem::exists(path)) reference = platform::graphics::ImageDecoder::decode(testsupport::readFile(path));
    if (!reference) {
        if (updatingReferences()) return writeReference(path, picture);
        ADD_FAILURE() << document.document.string() << " frame " << frame << ": no reference picture " << path << "; "
                      << keepFailure(document.pictureFolder / name, picture, nullptr);
        return;
    }
    const auto difference = referencetest::measureDifference(picture, *reference);
    testing::Test::RecordProperty(name, difference.description());
    if (updatingReferences()) {
        // Any change at all, so that the references are what this code draws.
        if (!difference.sameSize || difference.largestChannelDifference > 0) writeReference(path, picture);
        return;
    }
    if (!withinTolerance(difference)) {
        ADD_FAILURE() << document.document.string() << " frame " << frame << " differs from " << path << ": "
                      << difference.description() << " (at most RMSE " << largestRmse << ", channel "
                      << largestChannelDifference << "/255); "
                      << keepFailure(document.pictureFolder / name, picture, reference.get());
    }
}

class ReferencePictures : public testing::TestWithParam<ReferenceDocument> {};

TEST_P(ReferencePictures, MatchTheirReferences) {
    const ReferenceDocument& document = GetParam();
    if (document.document.empty()) {
        GTEST_SKIP() << "no " << document.pictureFolder.string()
                     << " documents beside the clone: their reference pictures are not checked";
    }
    const auto folder = referencetest::referenceRoot() / document.pictureFolder;
    auto animation = referencetest::decodedDocument(document.document);
    if (!animation || !hasDrawableSize(*animation)) {
        const char* why = animation ? "has no drawable size" : "does not decode";
        if (updatingReferences()) removePictures(folder);
        // A document that drew before must go on drawing.
        ASSERT_TRUE(picturesIn(folder).empty()) << document.document << " " << why << " but has reference pictures";
        GTEST_SKIP() << document.document << " " << why << ": nothing to draw";
    }
    // Pictures left by an earlier run would tell of a failure that is gone.
    removePictures(failureFolder() / document.pictureFolder);
    const auto size = referencetest::pictureSize(*animation, longSide);
    lottieframes::FrameRenderer renderer(animation, size.width, size.height, std::nullopt,
                                         lottie::RenderingEngineOption::mainThread(), document.document.parent_path());
    std::set<std::string> drawn;
    for (const double frame : referencetest::referenceFrames(*animation)) {
        drawn.insert(referencetest::pictureFileName(frame));
        auto picture = referencetest::renderedPicture(renderer, frame);
        ASSERT_TRUE(picture) << document.document << " frame " << frame;
        checkPicture(document, frame, *picture);
    }
    // Pictures of frames no longer drawn would never be checked again.
    for (const auto& picture : picturesIn(folder)) {
        if (drawn.count(picture.filename().string())) continue;
        if (updatingReferences()) {
            std::filesystem::remove(picture);
            continue;
        }
        ADD_FAILURE() << document.document.string() << ": " << picture << " is not a frame that is drawn";
    }
}

// Without its folder one test stands for a collection ("corpus",
// "realworld") and says it is skipped.
std::vector<ReferenceDocument> orPlaceholder(std::vector<ReferenceDocument> documents, const std::string& collection,
                                             const std::string& testName) {
    if (documents.empty()) documents.push_back({testName, {}, collection});
    return documents;
}

std::string testName(const testing::TestParamInfo<ReferenceDocument>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Corpus, ReferencePictures,
                         testing::ValuesIn(orPlaceholder(referencetest::corpusDocuments(), "corpus", "CorpusAbsent")),
                         testName);
INSTANTIATE_TEST_SUITE_P(Realworld, ReferencePictures,
                         testing::ValuesIn(orPlaceholder(referencetest::realworldDocuments(), "realworld",
                                                         "RealworldAbsent")),
                         testName);
INSTANTIATE_TEST_SUITE_P(Examples, ReferencePictures, testing::ValuesIn(referencetest::exampleDocuments()), testName);

// Every folder of pictures belongs to a document that is still there: the
// pictures of a removed or renamed document would never be checked again.
TEST(ReferencePictureFolders, EachBelongsToADocument) {
    std::set<std::filesystem::path> folders;
    for (const auto& document : referencetest::exampleDocuments()) folders.insert(document.pictureFolder);
    std::vector<std::string> collections{"examples"};
    // Without its documents a collection's pictures cannot be matched with them.
    const std::pair<std::string, std::vector<ReferenceDocument>> shared[] = {
        {"corpus", referencetest::corpusDocuments()}, {"realworld", referencetest::realworldDocuments()}};
    for (const auto& [collection, documents] : shared) {
        for (const auto& document : documents) folders.insert(document.pictureFolder);
        if (!documents.empty()) collections.push_back(collection);
    }
    const auto root = referencetest::referenceRoot();
    for (const auto& collection : collections) {
        if (!std::filesystem::is_directory(root / collection)) continue;
        std::vector<std::filesystem::path> orphans;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / collection)) {
            const auto relative = entry.path().lexically_relative(root);
            if (entry.is_directory() && !picturesIn(entry.path()).empty() && !folders.count(relative)) {
                orphans.push_back(entry.path());
            }
        }
        for (const auto& orphan : orphans) {
            if (updatingReferences()) {
                removePictures(orphan);
                std::error_code notEmpty;
                std::filesystem::remove(orphan, notEmpty);
                continue;
            }
            ADD_FAILURE() << orphan << " holds pictures of no document";
        }
    }
}

}  // namespace
