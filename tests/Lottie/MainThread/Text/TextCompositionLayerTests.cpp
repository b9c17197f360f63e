// Text layers rendered from hand-written documents through the whole engine:
// placement of point and box text, the document's tracking and line height,
// box text cut at its box, stroke over fill, text providers, an animator's
// selected range, and text that goes away.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Lottie/Playback/Providers/LegacyAnimationTextProvider.h"
#include "tests/Lottie/MainThread/Text/TextTestSupport.h"

namespace {

using namespace texttest;
using mainthreadtest::PixelBounds;

std::shared_ptr<const platform::graphics::Image> renderLayer(const std::string& layer, double frame = 0) {
    return mainthreadtest::renderDocument(textDocumentJson(layer), frame);
}

// A layer showing the document from frame 0 with its origin at (20, 80).
std::string layerAt20x80(const DocumentSpec& document = {}) {
    return textLayer({{0, document}}, "[]", {20, 80});
}

std::shared_ptr<lottie::MainThreadAnimationLayer> rootOf(const std::string& layer) {
    return mainthreadtest::makeRoot(mainthreadtest::decode(textDocumentJson(layer)));
}

double left(const PixelBounds& ink) { return ink.left; }
double right(const PixelBounds& ink) { return ink.right; }
double middle(const PixelBounds& ink) { return (ink.left + ink.right) / 2.0; }

// Point text sits on its baseline at the layer's position (justified point
// text hangs from it by its top-left corner); box text aligns in its box with
// the cap height at the box's top, and a single line is a last line, which
// justified text keeps at the left.
TEST(TextCompositionLayer, PointAndBoxTextPlacement) {
    struct Case {
        int justification;
        bool box;
        double (*edge)(const PixelBounds&);
        double expected;
        int PixelBounds::*vertical;
        double expectedVertical;
    };
    const std::vector<Case> cases{
        {0, false, left, 153, &PixelBounds::bottom, 80},   {2, false, middle, 150, &PixelBounds::bottom, 80},
        {1, false, right, 147, &PixelBounds::bottom, 80},  {3, false, left, 153, &PixelBounds::top, 82},
        {0, true, left, 23, &PixelBounds::top, 30},        {1, true, right, 277, &PixelBounds::top, 30},
        {2, true, middle, 150, &PixelBounds::top, 30},     {3, true, left, 23, &PixelBounds::top, 30},
        {6, true, left, 23, &PixelBounds::top, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.justification) + (c.box ? " in a box" : " at a point"));
        DocumentSpec document;
        document.justification = c.justification;
        if (c.box) {
            document.boxPosition = {{20, 30}};
            document.boxSize = {{260, 80}};
        }
        const auto position = c.box ? std::pair{0.0, 0.0} : std::pair{150.0, 80.0};
        auto image = renderLayer(textLayer({{0, document}}, "[]", position));
        ASSERT_TRUE(image);
        const PixelBounds ink = mainthreadtest::opaqueBounds(*image);
        ASSERT_GE(ink.left, 0);
        EXPECT_NEAR(c.edge(ink), c.expected, 4);
        if (c.justification == 3 && !c.box) {
            EXPECT_GT(ink.top, c.expectedVertical);
        } else {
            EXPECT_NEAR(ink.*c.vertical, c.expectedVertical, 2);
        }
    }
}

// The document's tracking is in thousandths of an em: each of the three gaps
// of "HHHH" widens by size * tracking / 1000.
TEST(TextCompositionLayer, DocumentTrackingSpreadsTheInkByThousandthsOfTheFontSize) {
    struct Case {
        double size;
        int tracking;
        double growth;
    };
    const std::vector<Case> cases{{40, 500, 60}, {20, 500, 30}, {40, 250, 30}, {40, -250, -30}};
    auto width = [](double size, int tracking) {
        DocumentSpec document;
        document.text = "HHHH";
        document.size = size;
        document.tracking = tracking;
        auto image = renderLayer(layerAt20x80(document));
        const PixelBounds ink = image ? mainthreadtest::opaqueBounds(*image) : PixelBounds{};
        EXPECT_GE(ink.left, 0);
        return ink.right - ink.left;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + " tracked " + std::to_string(c.tracking));
        EXPECT_NEAR(width(c.size, c.tracking) - width(c.size, 0), c.growth, 2);
    }
}

// Lines of point text are the document's line height apart, whatever the font
// size would suggest; box text shows only the lines that fit in its box, and
// nothing of those past its bottom (the box's top is at 30, its lines 48 apart).
TEST(TextCompositionLayer, LineHeightAndBoxHeightPlaceTheLines) {
    struct Case {
        const char* name;
        std::string text;
        double lineHeight;
        std::optional<std::pair<double, double>> box;
        int top;
        int bottom;
    };
    const std::vector<Case> cases{
        {"point text, close lines", R"(HH\rHH)", 30, std::nullopt, 51, 110},
        {"point text, far lines", R"(HH\rHH)", 60, std::nullopt, 51, 140},
        {"box of one line", R"(HH\rHH\rHH)", 48, {{260, 60}}, 30, 59},
        {"box of two lines", R"(HH\rHH\rHH)", 48, {{260, 100}}, 30, 107},
        {"words wrapped past the box", "HH HH HH", 48, {{70, 100}}, 30, 107},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentSpec document;
        document.text = c.text;
        document.lineHeight = c.lineHeight;
        if (c.box) {
            document.boxPosition = {{20, 30}};
            document.boxSize = c.box;
        }
        auto image = renderLayer(textLayer({{0, document}}, "[]", c.box ? std::pair{0.0, 0.0} : std::pair{20.0, 80.0}));
        ASSERT_TRUE(image);
        const PixelBounds ink = mainthreadtest::opaqueBounds(*image);
        EXPECT_NEAR(ink.top, c.top, 2);
        EXPECT_NEAR(ink.bottom, c.bottom, 2);
    }
}

TEST(TextCompositionLayer, StrokeOverFillCoversTheFill) {
    auto render = [](std::optional<bool> overFill) {
        DocumentSpec document;
        document.size = 60;
        document.stroke = "[0,0,1]";
        document.strokeWidth = 20;
        document.strokeOverFill = overFill;
        return renderLayer(textLayer({{0, document}}, "[]", {20, 100}));
    };
    const auto under = render(false);
    const auto absent = render(std::nullopt);
    const auto over = render(true);
    ASSERT_TRUE(under && absent && over);
    EXPECT_GT(countPixels(*under, isBlue), 0);
    EXPECT_EQ(mainthreadtest::pixelBytes(under), mainthreadtest::pixelBytes(absent));
    EXPECT_LT(countPixels(*over, isRed) * 2, countPixels(*under, isRed));
    EXPECT_GT(countPixels(*over, isBlue), countPixels(*under, isBlue));
}

class ReplacingTextProvider final : public lottie::LegacyAnimationTextProvider {
public:
    ReplacingTextProvider(bool byKeypath, bool byName) : byKeypath_(byKeypath), byName_(byName) {}
    std::optional<std::string> replacementText(const lottie::AnimationKeypath& keypath,
                                               const std::string&) const override {
        asked.push_back(keypath.fullPath());
        if (byKeypath_ && keypath.fullPath() == "Title") return "III";
        return std::nullopt;
    }
    std::string replacementTextForKeypathName(const std::string& keypathName,
                                              const std::string& sourceText) const override {
        return byName_ && keypathName == "Title" ? "III" : sourceText;
    }
    mutable std::vector<std::string> asked;

private:
    bool byKeypath_;
    bool byName_;
};

TEST(TextCompositionLayer, ATextProviderReplacesTheText) {
    DocumentSpec original;
    original.text = "WWWW";
    DocumentSpec replaced;
    replaced.text = "III";
    const auto expectedReplaced = renderLayer(layerAt20x80(replaced));
    const auto expectedOriginal = renderLayer(layerAt20x80(original));
    ASSERT_TRUE(expectedReplaced && expectedOriginal);
    ASSERT_NE(mainthreadtest::pixelBytes(expectedReplaced), mainthreadtest::pixelBytes(expectedOriginal));
    // By keypath, by keypath name, or with nothing to replace.
    for (auto [byKeypath, byName] : {std::pair{true, false}, {false, true}, {false, false}}) {
        SCOPED_TRACE(std::to_string(byKeypath) + std::to_string(byName));
        auto root = rootOf(layerAt20x80(original));
        root->setTextProvider(std::make_shared<ReplacingTextProvider>(byKeypath, byName));
        auto image = mainthreadtest::renderFrame(*root, 0);
        ASSERT_TRUE(image);
        EXPECT_EQ(mainthreadtest::pixelBytes(image), mainthreadtest::pixelBytes(byKeypath || byName ? expectedReplaced : expectedOriginal));
    }
}

TEST(TextCompositionLayer, TextProvidersAreAskedWithTheFullKeypath) {
    const std::string inner = layerAt20x80();
    const std::string precomp =
        R"({"ty":0,"nm":"Comp","ind":1,"refId":"inner","w":300,"h":150,"ip":0,"op":1000,"st":0,"ks":{}})";
    const std::string json =
        mainthreadtest::document("[" + precomp + "]", 300, 150, 60, R"([{"id":"inner","layers":[)" + inner + "]}]");
    auto root = mainthreadtest::makeRoot(mainthreadtest::decode(json));
    auto provider = std::make_shared<ReplacingTextProvider>(false, false);
    root->setTextProvider(provider);
    auto image = mainthreadtest::renderFrame(*root, 0);
    ASSERT_TRUE(image);
    EXPECT_GT(countPixels(*image, isRed), 0);
    EXPECT_EQ(provider->asked, std::vector<std::string>{"Comp.Title"});
}

TEST(TextCompositionLayer, HostileDocumentsRenderWithoutHarm) {
    struct Case {
        const char* name;
        std::function<void(DocumentSpec&)> change;
    };
    const std::vector<Case> cases{
        {"huge font", [](DocumentSpec& d) { d.size = 2000; }},
        {"negative font size", [](DocumentSpec& d) { d.size = -40; }},
        {"enormous tracking", [](DocumentSpec& d) { d.tracking = 2000000000; }},
        {"negative line height", [](DocumentSpec& d) { d.lineHeight = -1e9; d.text = R"(A\rB\rC)"; }},
        {"negative box", [](DocumentSpec& d) { d.boxSize = {{-100, -50}}; d.boxPosition = {{-1e7, 1e7}}; }},
        {"negative stroke", [](DocumentSpec& d) { d.stroke = "[0,0,1]"; d.strokeWidth = -1e6; }},
        {"surrogate pairs", [](DocumentSpec& d) { d.text = R"(\ud83d\ude00a\ud83d\ude00)"; }},
    };
    const std::string rangeByIndex =
        R"([{"nm":"R","s":{"s":{"a":0,"k":1},"e":{"a":0,"k":1e300},"r":2},"a":{"o":{"a":0,"k":50}}}])";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentSpec document;
        c.change(document);
        for (const std::string& animators : {std::string("[]"), rangeByIndex}) {
            std::shared_ptr<const platform::graphics::Image> image;
            ASSERT_NO_THROW(image = renderLayer(textLayer({{0, document}}, animators, {20, 80})));
            EXPECT_TRUE(image);
        }
    }
}

TEST(TextCompositionLayer, AnAnimatorRangeColoursOnlyItsCharacters) {
    // With and without an opacity of its own.
    for (const std::string opacity : {"", R"(,"o":{"a":0,"k":100})"}) {
        SCOPED_TRACE(opacity);
        const std::string animator = R"([{"nm":"Range","s":{"s":{"a":0,"k":0},"e":{"a":0,"k":50},"r":1},)"
                                     R"("a":{"fc":{"a":0,"k":[1,0,0]})" + opacity + "}}]";
        DocumentSpec document;
        document.text = "HHHHHHHHHH";
        document.size = 24;
        document.fill = "[0,0,0]";
        auto image = renderLayer(textLayer({{0, document}}, animator, {20, 80}));
        ASSERT_TRUE(image);
        const PixelBounds ink = mainthreadtest::opaqueBounds(*image);
        ASSERT_GE(ink.left, 0);
        const int middle = (ink.left + ink.right) / 2;
        EXPECT_GT(countPixels(*image, isRed, 0, middle - 3), 0);
        EXPECT_EQ(countPixels(*image, isBlack, 0, middle - 3), 0);
        EXPECT_EQ(countPixels(*image, isRed, middle + 3), 0);
        EXPECT_GT(countPixels(*image, isBlack, middle + 3), 0);
    }
}

}  // namespace
