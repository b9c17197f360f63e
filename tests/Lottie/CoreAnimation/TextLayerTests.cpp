// The text layers of the Core Animation engine: the first text document shown
// through the text render layer, its attributes, the text provider's and the
// colour providers' replacements, and what is a compatibility issue.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Lottie/CoreAnimation/CoreAnimationLayer.h"
#include "Lottie/CoreAnimation/TextLayer.h"
#include "Lottie/Playback/Providers/DictionaryTextProvider.h"
#include "Lottie/Playback/Providers/TextContentsScaleProvider.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;

namespace {

// One document: `text`, size 20, the given justification and tracking, red
// fill, blue stroke, and the extra keys.
std::string documentJson(const std::string& text, int justification = 0, int tracking = 0,
                         const std::string& extra = "") {
    return R"({"t":")" + text + R"(","s":20,"f":"DejaVu Sans","j":)" + std::to_string(justification) +
           R"(,"tr":)" + std::to_string(tracking) + R"(,"lh":24,"fc":[1,0,0],"sc":[0,0,1],"sw":2)" +
           (extra.empty() ? "" : "," + extra) + "}";
}

std::string textLayer(const std::string& name, const std::string& keyframes) {
    return R"({"ty":5,"nm":")" + name + R"(","ind":1,"ip":0,"op":60,"st":0,"ks":{},"t":{"d":{"k":[)" + keyframes +
           R"(]},"a":[],"p":{},"m":{}}})";
}

std::string keyframe(const std::string& document, int time) {
    return R"({"s":)" + document + R"(,"t":)" + std::to_string(time) + "}";
}

// Replaces texts as a dictionary provider does and gives contents scales by the
// layer's dotted keypath.
class ScalingTextProvider final : public LegacyAnimationTextProvider, public TextContentsScaleProvider {
public:
    ScalingTextProvider(std::map<std::string, std::string> texts, std::map<std::string, double> scales)
        : texts_(std::move(texts)), scales_(std::move(scales)) {}

    std::optional<std::string> replacementText(const AnimationKeypath&, const std::string&) const override {
        return std::nullopt;
    }
    std::string replacementTextForKeypathName(const std::string& keypathName,
                                              const std::string& sourceText) const override {
        const auto found = texts_.find(keypathName);
        return found == texts_.end() ? sourceText : found->second;
    }
    std::optional<double> contentsScale(const AnimationKeypath& keypath) const override {
        const auto found = scales_.find(keypath.fullPath());
        if (found == scales_.end()) return std::nullopt;
        return found->second;
    }

private:
    std::map<std::string, std::string> texts_;
    std::map<std::string, double> scales_;
};

class TextLayerTest : public ::testing::Test {
protected:
    std::shared_ptr<TextLayer> build(const std::string& layers,
                                     std::shared_ptr<AnimationKeypathTextProvider> textProvider = nullptr) {
        tracker = log.tracker();
        animation = emptyAnimation(0, 60, 30, layers);
        root = rootLayer(animation, tracker, log, textProvider);
        context = rootContext(animation, log.logger(), 0, 60);
        context.textProvider = textProvider;
        return std::dynamic_pointer_cast<TextLayer>(root->sublayers().at(0));
    }

    MessageLog log;
    std::shared_ptr<CompatibilityTracker> tracker;
    std::shared_ptr<const LottieAnimation> animation;
    std::shared_ptr<CoreAnimationLayer> root;
    LayerAnimationContext context;
};

TEST_F(TextLayerTest, SeveralKeyframesShowTheFirstAndAreAnIssueOnceAsTheLayerIsBuilt) {
    const auto layer =
        build(textLayer("Text", keyframe(documentJson("First"), 0) + "," + keyframe(documentJson("Second"), 30)));
    ASSERT_TRUE(layer);
    ASSERT_EQ(tracker->issues().size(), 1u);
    EXPECT_EQ(tracker->issues()[0].context, "Text");
    EXPECT_NE(tracker->issues()[0].message.find("multiple keyframes for text layer text"), std::string::npos);
    // Its set-up passes show the same text and say nothing more.
    layer->setupAnimations(context);
    EXPECT_EQ(layer->renderLayer()->text(), "First");
    EXPECT_TRUE(context.tracker->issues().empty());

    EXPECT_THROW(rootLayer(animation, log.tracker(CompatibilityTracker::Mode::abort), log),
                 CompatibilityTracker::Error);
}

TEST_F(TextLayerTest, TheTextProviderReplacesTheTextOfItsKeypath) {
    struct Case {
        std::shared_ptr<AnimationKeypathTextProvider> provider;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {nullptr, "Hello"},
        {std::make_shared<DictionaryTextProvider>(std::map<std::string, std::string>{{"Title", "Replaced"}}),
         "Replaced"},
        {std::make_shared<DictionaryTextProvider>(std::map<std::string, std::string>{{"Other", "Replaced"}}), "Hello"},
    };
    for (const Case& testCase : cases) {
        const auto layer = build(textLayer("Title", keyframe(documentJson("Hello"), 0)), testCase.provider);
        ASSERT_TRUE(layer);
        layer->setupAnimations(context);
        EXPECT_EQ(layer->renderLayer()->text(), testCase.shown);
        EXPECT_TRUE(tracker->issues().empty());
    }
}

// A provider that gives contents scales draws the text of the layers it names at
// its scale, whatever the scale of the rest of the tree; for the others, and for
// a scale that would draw nothing, the tree's scale stays.
TEST_F(TextLayerTest, AContentsScaleProviderDrawsTheTextOfItsKeypathAtItsScale) {
    struct Case {
        std::string name;
        std::map<std::string, double> scales;
        double treeScale;
        double shownScale;
    };
    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    const std::vector<Case> cases = {
        {"named layer", {{"Title", 3}}, 1, 3},
        {"named layer, finer tree", {{"Title", 0.5}}, 2, 0.5},
        {"another layer", {{"Other", 3}}, 2, 2},
        {"no scale", {}, 1, 1},
        {"zero", {{"Title", 0}}, 2, 2},
        {"negative", {{"Title", -3}}, 2, 2},
        {"not a number", {{"Title", notANumber}}, 2, 2},
        {"infinite", {{"Title", std::numeric_limits<double>::infinity()}}, 2, 2},
    };
    for (const Case& testCase : cases) {
        const auto provider =
            std::make_shared<ScalingTextProvider>(std::map<std::string, std::string>{{"Title", "Scaled"}}, testCase.scales);
        const auto layer = build(textLayer("Title", keyframe(documentJson("Hello"), 0)), provider);
        ASSERT_TRUE(layer) << testCase.name;
        root->setRenderScale(testCase.treeScale);
        layer->setupAnimations(context);
        CoreTextRenderLayer& render = *layer->renderLayer();
        // The same provider still replaces the text as a legacy provider.
        EXPECT_EQ(render.text(), "Scaled") << testCase.name;
        EXPECT_DOUBLE_EQ(render.contentsScale(), testCase.shownScale) << testCase.name;
        render.displayIfNeeded();
        ASSERT_TRUE(render.contents()) << testCase.name;
        EXPECT_EQ(render.contents()->width(),
                  static_cast<int>(std::ceil(render.bounds().size.width * testCase.shownScale)))
            << testCase.name;
    }
}

TEST_F(TextLayerTest, TheDocumentsAttributesReachTheRenderLayer) {
    struct Case {
        int justification;
        int tracking;
        std::string extra;
        platform::text::TextAlignment alignment;
        double trackingPoints;
        platform::graphics::Point position;
        bool preferredSize;
    };
    using platform::text::TextAlignment;
    const std::vector<Case> cases = {
        {0, 50, "", TextAlignment::left, 1.0, {0, 0}, false},
        {2, 0, R"("ps":[5,7],"sz":[80,40])", TextAlignment::center, 0, {5, 7}, true},
        {1, -100, "", TextAlignment::right, -2.0, {0, 0}, false},
        {6, 0, "", TextAlignment::justified, 0, {0, 0}, false},
    };
    for (const Case& testCase : cases) {
        const auto layer =
            build(textLayer("T", keyframe(documentJson("Hi", testCase.justification, testCase.tracking, testCase.extra), 0)));
        ASSERT_TRUE(layer);
        const CoreTextRenderLayer& render = *layer->renderLayer();
        EXPECT_EQ(render.alignment(), testCase.alignment) << testCase.justification;
        EXPECT_DOUBLE_EQ(render.tracking(), testCase.trackingPoints);
        EXPECT_EQ(render.position(), testCase.position);
        EXPECT_EQ(render.preferredSize().has_value(), testCase.preferredSize);
        EXPECT_DOUBLE_EQ(render.strokeWidth(), 2);
        ASSERT_TRUE(render.fillColor());
        EXPECT_DOUBLE_EQ(render.fillColor()->components()[0], 1);
        // The text is chosen only when animations are installed.
        EXPECT_FALSE(render.text());
    }
}

TEST_F(TextLayerTest, ATextGroupWithoutKeyframesShowsNothing) {
    const auto layer = build(textLayer("Empty", ""));
    ASSERT_TRUE(layer);
    layer->setupAnimations(context);
    EXPECT_FALSE(layer->renderLayer()->text());
    EXPECT_TRUE(tracker->issues().empty());
    EXPECT_TRUE(context.tracker->issues().empty());
}

TEST_F(TextLayerTest, ColourProvidersRecolourFillAndStrokeWithTheirFirstKeyframe) {
    const auto layer = build(textLayer("Text", keyframe(documentJson("Hi"), 0)));
    ASSERT_TRUE(layer);
    const LottieColor green(0, 1, 0, 1);
    const LottieColor white(1, 1, 1, 1);
    // "**.Color" also matches "Stroke Color"; a later, animated provider at the
    // stroke colour wins there without an issue.
    context.valueProviderStore->installValueProvider(std::make_shared<ColorValueProvider>(green),
                                                     AnimationKeypath("**.Color"));
    context.valueProviderStore->installValueProvider(
        std::make_shared<ColorValueProvider>(std::vector<Keyframe<LottieColor>>{keyframeAt(white, 0),
                                                                                keyframeAt(green, 30)}),
        AnimationKeypath("Text.Stroke Color"));
    layer->setupAnimations(context);
    ASSERT_TRUE(layer->renderLayer()->fillColor() && layer->renderLayer()->strokeColor());
    EXPECT_DOUBLE_EQ(layer->renderLayer()->fillColor()->components()[1], 1);
    EXPECT_DOUBLE_EQ(layer->renderLayer()->fillColor()->components()[0], 0);
    EXPECT_DOUBLE_EQ(layer->renderLayer()->strokeColor()->components()[0], 1);
    EXPECT_TRUE(context.tracker->issues().empty());

    // An animated fill override is an issue; a provider without keyframes keeps
    // the document's colour.
    context.valueProviderStore->installValueProvider(
        std::make_shared<ColorValueProvider>(std::vector<Keyframe<LottieColor>>{keyframeAt(white, 0),
                                                                                keyframeAt(green, 30)}),
        AnimationKeypath("Text.Color"));
    layer->setupAnimations(context);
    ASSERT_EQ(context.tracker->issues().size(), 1u);
    EXPECT_EQ(context.tracker->issues()[0].message, TextLayer::animatedColorOverrideMessage);
    context.valueProviderStore->installValueProvider(
        std::make_shared<ColorValueProvider>(std::vector<Keyframe<LottieColor>>{}), AnimationKeypath("Text.Color"));
    layer->configureRenderLayer(LayerContext{});
    layer->setupAnimations(context);
    ASSERT_TRUE(layer->renderLayer()->fillColor());
    EXPECT_DOUBLE_EQ(layer->renderLayer()->fillColor()->components()[0], 1);
    EXPECT_DOUBLE_EQ(layer->renderLayer()->fillColor()->components()[1], 0);

    // Set up again after the providers are removed, the text shows the
    // document's red fill and blue stroke again.
    context.valueProviderStore->installValueProvider(std::make_shared<ColorValueProvider>(green),
                                                     AnimationKeypath("**.Color"));
    layer->setupAnimations(context);
    ASSERT_TRUE(layer->renderLayer()->fillColor() && layer->renderLayer()->strokeColor());
    EXPECT_DOUBLE_EQ(layer->renderLayer()->strokeColor()->components()[1], 1);
    context.valueProviderStore->uninstallValueProvider(AnimationKeypath("**"));
    layer->setupAnimations(context);
    ASSERT_TRUE(layer->renderLayer()->fillColor() && layer->renderLayer()->strokeColor());
    const auto components = [](const platform::graphics::Color& colour) {
        return std::vector<double>(colour.components().begin(), colour.components().end());
    };
    EXPECT_EQ(components(*layer->renderLayer()->fillColor()), (std::vector<double>{1, 0, 0, 1}));
    EXPECT_EQ(components(*layer->renderLayer()->strokeColor()), (std::vector<double>{0, 0, 1, 1}));
}

}  // namespace
