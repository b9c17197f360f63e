// Documents written the way an attacker would against what text layers and
// images cost beyond their weight, drawn as the frame tool draws them (frames
// 0 and 30 at 512 x 512) by the automatic engine choice and by each engine
// chosen by name: images whose colour profile lists one element thousands of
// times or has a table of many inputs, in each format that embeds one, and
// hundreds of images each with a costly profile of its own; a long word in a
// box one unit wide, which wraps into a line per character, and many
// paragraphs of such words, alone or shown by several precomposition
// instances; a progressive JPEG of thousands of scans and images of 64
// megapixels in a few hundred bytes; a PNG of many profiles, a WebP whose
// image follows a large chunk, a JPEG of many markers that are no profile;
// one large image shown by five layers; thousands of one-letter paragraphs; thousands of tabs; a letter
// with thousands of marks, or with runs of marks split by zero-width spaces;
// zero-width characters after a letter a line cannot hold; a point text of
// thousands of runs of alternating scripts and directions, alone or in many
// layers; hundreds of texts each at a size of its own; and a stroke a million times the font size on a long text. Each draws what it can within
// the bounds and says once what they cut.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "tests/EngineComparison/Support/HostileDocuments.h"
#include "tests/Platform/Graphics/ProfiledImageFiles.h"
#include "tests/Support/Base64Encoder.h"
#include "tests/Support/RecordingLogger.h"
#include "tests/Support/SteppingProcessorClock.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using namespace hostiletest;
using lottie::RenderingEngineOption;

constexpr int side = 512;

// A document showing each 2 x 2 image, of the given type, over the whole canvas.
std::string imagesDocument(const std::string& type, const std::vector<std::string>& files) {
    const int count = static_cast<int>(files.size());
    const std::string assets = listOf(count, [&](int index) {
        return R"({"id":"picture)" + std::to_string(index) + R"(","w":2,"h":2,"u":"","e":1,"p":"data:image/)" + type +
               ";base64," + testsupport::encodeBase64(files[index - 1]) + R"("})";
    });
    const std::string layers = listOf(count, [](int index) {
        return R"({"ty":2,"nm":"Image","ind":)" + std::to_string(index) + R"(,"refId":"picture)" +
               std::to_string(index) + R"(","ip":0,"op":60,"st":0,"ks":{"s":{"a":0,"k":[25600,25600]}}})";
    });
    return document(layers, "[" + assets + "]");
}

std::string imageDocument(const std::string& type, const std::string& file) { return imagesDocument(type, {file}); }

// `layers` image layers in a row, each showing the one PNG asset of `side` x
// `side` pixels as a square of 100 units, the first at (0, 200).
std::string sharedImageDocument(int side, int layers) {
    const std::string size = std::to_string(side);
    const std::string asset = R"([{"id":"shared","w":)" + size + R"(,"h":)" + size +
                              R"(,"u":"","e":1,"p":"data:image/png;base64,)" +
                              testsupport::encodeBase64(profiledimages::plainPNG(side, side)) + R"("}])";
    const std::string scale = std::to_string(10000.0 / side);
    return document(listOf(layers,
                           [&](int index) {
                               return R"({"ty":2,"nm":"Image","ind":)" + std::to_string(index) +
                                      R"(,"refId":"shared","ip":0,"op":60,"st":0,"ks":{"p":{"a":0,"k":[)" +
                                      std::to_string((index - 1) * 100) + R"(,200]},"s":{"a":0,"k":[)" + scale +
                                      "," + scale + "]}}}";
                           }),
                    asset);
}

// `count` PNG images, each with a profile of its own made by `profile`.
std::string profiledImagesDocument(int count, const std::function<std::string(int)>& profile) {
    using namespace profiledimages;
    const std::vector<std::uint8_t> pixels(2 * 2 * 4, 255);
    std::vector<std::string> files;
    for (int index = 0; index < count; ++index) {
        files.push_back(png(2, 2, pixels, false, {iccpChunk(distinctCopy(profile(index), index))}));
    }
    return imagesDocument("png", files);
}

// A text layer at (10, 40) of `text` (JSON-escaped) in DejaVu Sans at 20
// points, black, with `extra` members in its text document.
std::string textLayer(const std::string& text, const std::string& extra = "") {
    return R"({"ty":5,"nm":"T","ind":1,"ip":0,"op":60,"st":0,"ks":{"p":{"a":0,"k":[10,40]}},)"
           R"("t":{"d":{"k":[{"s":{"t":")" +
           text + R"(","s":20,"f":"DejaVu Sans","j":0,"tr":0,"lh":24,"fc":[0,0,0])" + extra +
           R"(},"t":0}]},"a":[],"p":{},"m":{}}})";
}

// Text layer `index`, showing `text` (JSON-escaped) at `size` points.
std::string sizedTextLayer(int index, const std::string& text, double size) {
    return R"({"ty":5,"nm":"T","ind":)" + std::to_string(index) +
           R"(,"ip":0,"op":60,"st":0,"ks":{"p":{"a":0,"k":[10,)" + std::to_string(10 + index % 50 * 10) +
           R"(]}},"t":{"d":{"k":[{"s":{"t":")" + text + R"(","s":)" + std::to_string(size) +
           R"(,"f":"DejaVu Sans","j":0,"tr":0,"lh":24,"fc":[0,0,0]},"t":0}]},"a":[],"p":{},"m":{}}})";
}

std::string textDocument(const std::string& text, const std::string& extra = "") {
    return document(textLayer(text, extra));
}

std::string repeated(const std::string& piece, int count) {
    std::string text;
    for (int index = 0; index < count; ++index) text += piece;
    return text;
}

int drawnPixels(const platform::graphics::Image& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += opaqueAt(image, x, y) ? 1 : 0;
    }
    return count;
}

struct Case {
    const char* name;
    std::string json;
    // A distinctive part of the warning of the bound reached, said once; none
    // when nothing is cut, and nothing is said.
    const char* limit;
    // Pixels of frame 30, on every engine choice.
    std::vector<Probe> probes;
    // At least this many pixels are drawn.
    int drawn = 0;
    // A compatibility issue that the Core Animation engine chosen by name
    // says once (as the automatic option's reason to fall back, once more).
    const char* coreAnimationIssue = nullptr;
};

// A text layer whose text has three keyframes.
std::string keyframedText() {
    const auto keyframe = [](const std::string& text, int time) {
        return R"({"s":{"t":")" + text + R"(","s":20,"f":"DejaVu Sans","j":0,"tr":0,"lh":24,"fc":[0,0,0]},"t":)" +
               std::to_string(time) + "}";
    };
    return document(R"({"ty":5,"nm":"T","ind":1,"ip":0,"op":60,"st":0,"ks":{"p":{"a":0,"k":[10,40]}},"t":{"d":{"k":[)" +
                    keyframe("One", 0) + "," + keyframe("Two", 20) + "," + keyframe("Three", 40) +
                    R"(]},"a":[],"p":{},"m":{}}})");
}

TEST(HostileTextAndImages, DrawWithinTheBoundsAndSayOnceWhatIsCut) {
    using namespace profiledimages;
    const std::vector<std::uint8_t> pixels(2 * 2 * 4, 255);
    const std::string bomb = repeatedMatrixProfile(5000);
    const char* profile = "colour profile is not used";
    const char* together = "conversions of a document's images may take together";
    const char* layout = "costs more to lay out";
    const char* pixelsTogether = "decoded pixels together";
    const std::string acute = "\xCC\x81";                 // U+0301, written as UTF-8
    const std::string zeroWidthSpace = "\xE2\x80\x8B";   // U+200B
    const std::string oneUnitBox = R"(,"sz":[1,100000],"ps":[0,0])";
    std::string chinese;  // 60 characters from U+4E00 on, 37 apart
    for (int index = 0; index < 60; ++index) {
        const int c = 0x4E00 + index * 37;
        chinese += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (c & 0x3F))};
    }
    const Case cases[] = {
        {"a PNG whose profile lists a matrix 5,000 times", imageDocument("png", png(2, 2, pixels, false, {iccpChunk(bomb)})),
         profile, {{256, 256, true}}},
        {"a PNG whose profile lists a matrix 100,000 times",
         imageDocument("png", png(2, 2, pixels, false, {iccpChunk(repeatedMatrixProfile(100'000))})), profile,
         {{256, 256, true}}},
        {"a JPEG whose profile lists a matrix 5,000 times", imageDocument("jpeg", jpeg(2, 2, pixels, false, bomb)),
         profile, {{256, 256, true}}},
        {"a WebP whose profile lists a matrix 5,000 times", imageDocument("webp", webp(2, 2, pixels, bomb)), profile,
         {{256, 256, true}}},
        // Evaluating a table doubles in cost with each input: a few hundred
        // bytes cost seconds, and eight such tables in a row minutes.
        {"a PNG whose profile has a table of 15 inputs behind a matrix",
         imageDocument("png", png(2, 2, pixels, false, {iccpChunk(widenedTableProfile(15, 1))})), "15 inputs",
         {{256, 256, true}}},
        {"a PNG whose profile has a table of 12 inputs behind a matrix",
         imageDocument("png", png(2, 2, pixels, false, {iccpChunk(widenedTableProfile(12, 1))})), "12 inputs",
         {{256, 256, true}}},
        {"a PNG whose profile lists a matrix and a table of 15 inputs 8 times",
         imageDocument("png", png(2, 2, pixels, false, {iccpChunk(widenedTableProfile(15, 8))})), "15 inputs",
         {{256, 256, true}}},
        {"a JPEG whose profile lists a matrix and a table of 12 inputs 8 times",
         imageDocument("jpeg", jpeg(2, 2, pixels, false, widenedTableProfile(12, 8))), "12 inputs",
         {{256, 256, true}}},
        {"a WebP whose profile lists a matrix and a table of 12 inputs 8 times",
         imageDocument("webp", webp(2, 2, pixels, widenedTableProfile(12, 8))), "12 inputs", {{256, 256, true}}},
        // LittleCMS makes room for every point a table claims before reading any.
        {"a PNG whose profile has a table claiming 70 points a side on 4 inputs",
         imageDocument("png", png(2, 2, pixels, false, {iccpChunk(widenedTableProfile(4, 1, 70))})), "grid points",
         {{256, 256, true}}},
        // Each profile within the bounds; together they would take seconds.
        {"200 PNGs, each with a profile of its own listing a matrix 16 times",
         profiledImagesDocument(200, [](int) { return repeatedMatrixProfile(16); }), together, {{256, 256, true}}},
        {"100 PNGs, each with a profile of its own listing curves of 1,008 segments in all",
         profiledImagesDocument(100, [](int) { return repeatedCurvesProfile(16, 21); }), together,
         {{256, 256, true}}},
        // Each scan of a progressive JPEG goes over the whole image, and takes
        // a few bytes: the decoder counts them as they are read. Real files
        // have about ten.
        {"a progressive JPEG of 4,000 x 4,000 pixels and 3,000 scans",
         imageDocument("jpeg", progressiveJPEG(4000, 4000, 3000)), "more than 100 scans", {{256, 256, false}}},
        {"a progressive JPEG of 2,000 x 2,000 pixels and 100 scans",
         imageDocument("jpeg", progressiveJPEG(2000, 2000, 100)), nullptr, {{256, 256, true}}},
        // A few hundred bytes, and seconds and hundreds of megabytes to decode
        // were it not refused by its size (on either engine).
        {"a JPEG of 8,000 x 8,000 pixels", imageDocument("jpeg", progressiveJPEG(8000, 8000, 1)), pixelsTogether,
         {{256, 256, false}}},
        {"a PNG of 8,000 x 8,000 pixels", imageDocument("png", plainPNG(8000, 8000)), pixelsTogether,
         {{256, 256, false}}},
        {"a lossless WebP of 8,000 x 8,000 pixels", imageDocument("webp", plainWebP(8000, 8000)), pixelsTogether,
         {{256, 256, false}}},
        // What a file holds besides its pixels and one profile is passed over
        // unread: a second profile chunk (each of these inflates to 7.9 MB,
        // and the first is more than a profile may hold), a large chunk before
        // a WebP's image, APP2 markers of a JPEG that are not a profile.
        {"a PNG of 120 profiles of 7.9 MB each",
         imageDocument("png", png(2, 2, pixels, false,
                                  std::vector<std::string>(120, iccpChunk(std::string(7'900'000, '\0'))))),
         "more than 1048576 bytes", {{256, 256, true}}},
        {"a WebP whose image follows a chunk of 4 MB",
         imageDocument("webp", webpAfterChunk(webp(2, 2, pixels, ""), "EXIF", 4 << 20)), nullptr, {{256, 256, true}}},
        {"a JPEG whose image follows 64 APP2 markers of 64 KB that are no profile",
         imageDocument("jpeg", jpegAfterMarkers(jpeg(2, 2, pixels, false, ""), 64)), nullptr, {{256, 256, true}}},
        // Each asset is asked for once per set-up, and counted once against
        // the pixels of the animation's images, however many layers show it.
        {"five layers showing one image of 2,048 x 2,048 pixels", sharedImageDocument(2048, 5), nullptr,
         {{50, 250, true}, {150, 250, true}, {250, 250, true}, {350, 250, true}, {450, 250, true}, {50, 350, false}}},
        {"three lossless WebPs of 3,000 x 3,000 pixels",
         imagesDocument("webp", {plainWebP(3000, 3000), plainWebP(3000, 3000), plainWebP(3000, 3000)}),
         pixelsTogether, {{256, 256, true}}},
        // A line per character: each line would shape the rest of the word again.
        {"a word of 8,000 letters in a box one unit wide",
         textDocument(std::string(8000, 'a'), R"(,"sz":[1,100000],"ps":[0,0])"), layout, {}, 20},
        {"20,000 tabs between two words", textDocument("a" + repeated("\\t", 20'000) + "b"), layout, {}, 20},
        {"a letter with 20,000 marks", textDocument("a" + repeated("\\u0301", 20'000)), layout, {}, 20},
        // The shaper looks past a zero-width space for the letter a mark sits
        // on: each of these marks would look back over all those before it.
        {"a letter with 600 runs of 31 marks split by zero-width spaces",
         textDocument("a" + repeated(repeated(acute, 31) + zeroWidthSpace, 600)), layout, {}, 20},
        // Where a line cannot hold its first letter, Pango would shape it
        // again for each zero-width character after it. The box shows a
        // sliver of the letter.
        {"a letter and 18,000 zero-width spaces in a box one unit wide",
         textDocument("a" + repeated(zeroWidthSpace, 18'000), oneUnitBox), layout, {}, 1},
        {"a letter with 20,000 marks in a box one unit wide",
         textDocument("a" + repeated(acute, 20'000), oneUnitBox), layout, {}, 1},
        // A line per letter, each wrapping the rest of its paragraph again:
        // many paragraphs, each within the bound of one, and the same text
        // shown by several precomposition instances, or many short paragraphs.
        {"100 paragraphs of 500 letters in a box one unit wide",
         textDocument(repeated(std::string(500, 'a') + "\\r", 100), oneUnitBox), layout, {}, 20},
        {"10 instances of 40 paragraphs of 500 letters in a box one unit wide",
         fannedOut(textLayer(repeated(std::string(500, 'a') + "\\r", 40), oneUnitBox), 10, 1), layout, {}, 20},
        {"12 instances of 13,000 one-letter paragraphs", fannedOut(textLayer(repeated("a\\r", 13'000)), 12, 1),
         layout, {}, 20},
        // Each change of script or direction starts a run, and Pango puts the
        // runs of a line that mixes directions in order at a cost that grows
        // with the square of their number: 7 s for these, unbounded.
        {"a point text of 100,000 letters alternating Latin and Hebrew", textDocument(repeated("a\xD7\x90", 50'000)),
         layout, {}, 20},
        {"a point text of 100,000 letters cycling through ten scripts",
         textDocument(repeated("a\xD7\x90\xCE\xB1\xD0\xB1\xD8\xA8\xE4\xB8\xAD\xE0\xA4\x95\xE0\xB8\x81\xE1\x83\x90\xD5\xA1", 10'000)),
         layout, {}, 20},
        // Many texts, each within the bound of one, are bounded together.
        {"120 texts of 2,048 runs alternating Latin and Hebrew",
         document(listOf(120, [](int index) { return textLayer(std::to_string(index) + repeated("a\xD7\x90", 1'024)); })),
         layout, {}, 20},
        // Each size a font is used at is looked up and loaded anew, which
        // takes milliseconds: a text at a size no other used weighs as much
        // as some hundred layers.
        {"600 texts of 60 Chinese characters, each at its own size",
         document(listOf(600, [&](int index) { return sizedTextLayer(index, chinese, 10 + index * 0.37); })),
         "layers once its precompositions", {}, 20},
        // A text without a box grows by its stroke below its anchor, which
        // lifts it out of view: its bounded pen reaches no glyph into the
        // canvas, so none is outlined, and nothing is cut.
        {"a stroke a million times the font size on 30,000 letters",
         textDocument(repeated("abcdefghij", 3000), R"(,"sw":1000000,"sc":[1,0,0],"of":true)"), nullptr,
         {{256, 256, false}}, 0},
        // In a box the text stays in view, and the pen of each glyph covers the
        // canvas: stroking them all is more work than a frame may do, and the
        // frame ends there.
        {"a stroke a million times the font size on 30,000 letters in a box",
         textDocument(repeated("abcdefghij", 3000),
                      R"(,"sw":1000000,"sc":[1,0,0],"of":true,"sz":[400000,100],"ps":[0,0])"),
         "drawing work", {}, 0},
        // Said as the layer is built, not again by the passes that set it up.
        {"a text of three keyframes", keyframedText(), nullptr, {}, 20, "animating multiple keyframes"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        for (const auto& option :
             {RenderingEngineOption::automatic(), RenderingEngineOption::mainThread(), RenderingEngineOption::coreAnimation()}) {
            SCOPED_TRACE(option.description());
            // Decoded anew for each engine choice: the images of one document
            // are decoded once, and said once, for all of its views.
            const auto animation =
                lottie::LottieAnimation::fromData(test.json, lottie::DecodingStrategy::dictionaryBased);
            ASSERT_TRUE(animation);
            testsupport::RecordingLogger log;
            lottieframes::FrameRenderer renderer(animation, side, side, std::nullopt, option);
            const auto image = drawTwoFrames(renderer);
            ASSERT_TRUE(image);
            for (const Probe& probe : test.probes) {
                EXPECT_EQ(opaqueAt(*image, probe.x, probe.y), probe.drawn) << probe.x << ", " << probe.y;
            }
            EXPECT_GE(drawnPixels(*image), test.drawn);
            if (test.limit && std::string(test.limit) == "drawing work") {
                // On a busy machine a frame may reach its deadline before its
                // work budget: each cut is said once, and one of them at least.
                const long work = mentions(log, "drawing work", false);
                const long deadline = mentions(log, "passed its deadline", false);
                EXPECT_LE(work, 1);
                EXPECT_LE(deadline, 1);
                EXPECT_GE(work + deadline, 1) << test.limit;
            } else if (test.limit) {
                EXPECT_EQ(mentions(log, test.limit, false), 1) << test.limit;
            } else if (test.coreAnimationIssue) {
                const bool named = option.engine() == lottie::RenderingEngine::coreAnimation;
                EXPECT_EQ(mentions(log, test.coreAnimationIssue, false), named ? 1 : 0);
                EXPECT_EQ(mentions(log, test.coreAnimationIssue, true), option.isAutomatic() ? 1 : 0);
            } else {
                EXPECT_TRUE(log.warnings.empty() && log.failedAssertions.empty() && log.assertionFailures.empty());
            }
        }
    }
}

// The images a set-up asks for are decoded under a deadline of their own, 1 s,
// not under the set-up's 0.5 s: a PNG of 1,024 x 1,024 pixels reads the clock
// once every 16 rows, so a clock that moves on 0.01 s at each reading makes
// it take 0.64 s, which an image within the allowance may take on a busy
// machine; one that moves on 0.05 s makes it take 3.2 s, and it is cut and
// said once (by the opening's deadline, which keeps some of its 2 s for the
// first pass and the first frame, a little before its own 1 s). Either way the set-up's own deadline is not reached, and the
// automatic option stays with the Core Animation engine.
TEST(HostileTextAndImages, TheImagesOfASetUpDecodeUnderADeadlineOfTheirOwn) {
    const struct {
        const char* name;
        double step;
        bool drawn;
    } cases[] = {
        {"an image that takes 0.64 s", 0.01, true},
        {"an image that takes 3.2 s", 0.05, false},
    };
    const std::string json = imageDocument("png", profiledimages::plainPNG(1024, 1024));
    const std::string cut = "Image asset \"picture1\" is left out: decoding it passed the deadline of";
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        for (const auto& option :
             {RenderingEngineOption::automatic(), RenderingEngineOption::mainThread(), RenderingEngineOption::coreAnimation()}) {
            SCOPED_TRACE(option.description());
            const auto animation = lottie::LottieAnimation::fromData(json, lottie::DecodingStrategy::dictionaryBased);
            ASSERT_TRUE(animation);
            testsupport::RecordingLogger log;
            testsupport::SteppingProcessorClock::Installation clock(test.step);
            lottieframes::FrameRenderer renderer(animation, side, side, std::nullopt, option);
            clock.clock().setStep(0);
            const auto image = drawTwoFrames(renderer);
            ASSERT_TRUE(image);
            EXPECT_EQ(opaqueAt(*image, 256, 256), test.drawn);
            EXPECT_EQ(mentions(log, cut, false), test.drawn ? 0 : 1);
            EXPECT_EQ(mentions(log, "set-up passed its deadline", false), 0);
            if (option.isAutomatic()) {
                EXPECT_EQ(renderer.activeEngine(), lottie::RenderingEngine::coreAnimation);
            }
        }
    }
}

}  // namespace
