// The layer classes of the Core Animation engine's tree on their own: what a
// composition layer installs and under which keypath, transform layers, drop
// shadows, image layers and their layout, the gradient layer's padded space and
// the opaque layer of inverted mattes.

#include <gtest/gtest.h>

#include <cmath>
#include <typeinfo>

#include "Lottie/CoreAnimation/GradientRenderLayer.h"
#include "Lottie/CoreAnimation/ImageLayer.h"
#include "Lottie/CoreAnimation/InfiniteOpaqueAnimationLayer.h"
#include "Lottie/CoreAnimation/LayerTreeBuilder.h"
#include "Lottie/CoreAnimation/SolidLayer.h"
#include "Lottie/CoreAnimation/TransformLayer.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;
using platform::compositor::AnimatableValue;

namespace {

const std::string styled =
    R"("sy":[{"ty":1,"nm":"Style","c":{"k":[1,0,0,1]},"o":{"k":75},"a":{"k":0},"s":{"k":10},"d":{"k":5}}])";
const std::string effected =
    R"("ef":[{"ty":25,"nm":"Shadow","ef":[{"ty":2,"nm":"Shadow Color","v":{"k":[0,0,1,1]}},)"
    R"({"ty":0,"nm":"Opacity","v":{"k":51}},{"ty":0,"nm":"Direction","v":{"k":180}},)"
    R"({"ty":0,"nm":"Distance","v":{"k":4}},{"ty":0,"nm":"Softness","v":{"k":15}}]}])";

std::string solid(const std::string& name, const std::string& extra) {
    return R"({"ty":1,"nm":")" + name +
           R"(","ind":1,"ip":10,"op":50,"st":0,"sc":"#ff0000","sw":10,"sh":10,"ks":{"o":{"k":50}})" +
           (extra.empty() ? "" : "," + extra) + "}";
}

class CompositionLayersTest : public ClockTest {
protected:
    std::shared_ptr<BaseCompositionLayer> build(const std::string& layer) {
        animation = emptyAnimation(0, 60, 30, layer);
        LayerContext layerContext;
        layerContext.animation = animation;
        layerContext.imageProvider = images;
        layerContext.tracker = log.tracker();
        auto built = LayerTreeBuilder::buildEngineLayer(*animation->layers[0], animation->layers[0], layerContext);
        if (built) {
            built->setBounds({0, 0, 100, 100});
            built->layoutIfNeeded();
        }
        return built;
    }

    LayerAnimationContext context() {
        LayerAnimationContext result = rootContext(animation, log.logger(), 0, 60);
        std::vector<std::string>* keypaths = &recorded;
        result.recordHierarchyKeypath = [keypaths](const std::string& keypath) { keypaths->push_back(keypath); };
        return result;
    }

    std::shared_ptr<const LottieAnimation> animation;
    std::shared_ptr<AnimationImageProvider> images;
    std::vector<std::string> recorded;
};

// A layer that blends keeps its contents in a layer of their own; one that
// does not is its own contents layer.
TEST_F(CompositionLayersTest, AContentsLayerCarriesTheLayersOwnAnimations) {
    for (const bool blends : {false, true}) {
        SCOPED_TRACE(blends ? "blended" : "plain");
        recorded.clear();
        const auto layer = build(solid("Solid", blends ? R"("bm":1)" : ""));
        layer->setupAnimations(context());
        const auto& contents = *layer->contentsLayer();
        EXPECT_EQ(layer->isOwnContentsLayer(), !blends);
        EXPECT_EQ(&contents == layer.get(), !blends);
        EXPECT_EQ(contents.opacity(), 0.5);
        // A contents layer of its own has the anchor point already: no animation holds it.
        const std::vector<std::string> keys =
            blends ? std::vector<std::string>{"hidden"} : std::vector<std::string>{"anchorPoint", "hidden"};
        EXPECT_EQ(contents.animationKeys(), keys);
        if (blends) {
            EXPECT_FALSE(layer->hasAnimations());
            EXPECT_EQ(layer->sublayers(), std::vector<std::shared_ptr<platform::compositor::Layer>>{
                                              layer->contentsLayer()->shared_from_this()});
        }
        EXPECT_EQ(recorded, (std::vector<std::string>{"Solid.Transform.Position", "Solid.Transform.Scale",
                                                      "Solid.Transform.Scale", "Solid.Transform.Rotation",
                                                      "Solid.Transform.Opacity", "Solid.Color"}));
    }
}

TEST_F(CompositionLayersTest, ANullLayerInstallsItsTransformAndNothingElse) {
    const auto layer = build(R"({"ty":3,"nm":"Null","ind":1,"ip":10,"op":50,"st":0,"ks":{"o":{"k":50}},)" + styled + "}");
    ASSERT_TRUE(dynamic_cast<TransformLayer*>(layer.get()));
    // A layer inside takes the keypath of the layer above the null layer.
    auto inner = SolidLayer::make(std::dynamic_pointer_cast<const SolidLayerModel>(
        emptyAnimation(0, 60, 30, solid("Inner", ""))->layers[0]));
    layer->addContentSublayer(inner);
    layer->setupAnimations(context().addingKeypathComponent("Precomp"));
    EXPECT_EQ(layer->contentsLayer()->animationKeys(), std::vector<std::string>{"anchorPoint"});
    EXPECT_EQ(layer->contentsLayer()->opacity(), 1);
    ASSERT_FALSE(recorded.empty());
    EXPECT_EQ(recorded.front(), "Precomp.Null.Transform.Position");
    EXPECT_EQ(recorded.back(), "Precomp.Inner.Color");
}

TEST_F(CompositionLayersTest, DropShadowsFromTheStyleOrElseTheEffect) {
    struct Case {
        const char* name;
        std::string extra;
        double opacity, radius;
        platform::graphics::Size offset;
        platform::graphics::Color color;
    };
    const std::vector<Case> cases = {
        {"style", styled, 0.75, 5, {5, 0}, platform::graphics::Color::rgb(1, 0, 0, 1)},
        {"effect", effected, 0.2, 3, {0, 4}, platform::graphics::Color::rgb(0, 0, 1, 1)},
        {"the effect wins", styled + "," + effected, 0.2, 3, {0, 4}, platform::graphics::Color::rgb(0, 0, 1, 1)},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        const auto layer = build(solid("Shadowed", item.extra));
        layer->setupAnimations(context());
        // On the layer itself, outside the transform its contents layer carries.
        const platform::compositor::Layer& shadowed = *layer;
        EXPECT_NEAR(shadowed.shadowOpacity(), item.opacity, 1e-12);
        EXPECT_NEAR(shadowed.shadowRadius(), item.radius, 1e-12);
        EXPECT_NEAR(shadowed.shadowOffset().width, item.offset.width, 1e-12);
        EXPECT_NEAR(shadowed.shadowOffset().height, item.offset.height, 1e-12);
        EXPECT_EQ(shadowed.shadowColor(), item.color);
        EXPECT_EQ(layer->contentsLayer()->shadowOpacity(), 0);
    }
    // A radius of 3 is the default: the effect's softness of 15 set nothing.
    const auto layer = build(solid("Shadowed", effected));
    layer->setupAnimations(context());
    EXPECT_FALSE(layer->animation("shadowRadius"));
}

// Gives one picture for the asset "picture", or none until it is told to.
class OnePicture final : public AnimationImageProvider {
public:
    bool mayBeCached() const override { return false; }
    std::shared_ptr<const platform::graphics::Image> imageForAsset(const ImageAsset& asset) const override {
        if (!available || asset.id != "picture") return nullptr;
        return platform::graphics::Image::fromStraightRGBA(2, 2, std::vector<std::uint8_t>(16, 255));
    }
    bool available = false;
};

TEST_F(CompositionLayersTest, AnImageLayerShowsTheProvidersPictureAtTheAssetsSize) {
    const std::string document = R"({"v":"5.7.0","fr":30,"ip":0,"op":60,"w":500,"h":500,)"
                                 R"("assets":[{"id":"picture","w":200,"h":100,"u":"","p":"x.png"}],)"
                                 R"("layers":[{"ty":2,"nm":"Image","ind":1,"ip":0,"op":60,"st":0,"ks":{},"refId":"picture"}]})";
    animation = LottieAnimation::fromData(document, DecodingStrategy::dictionaryBased);
    auto provider = std::make_shared<OnePicture>();
    LayerContext layerContext;
    layerContext.animation = animation;
    layerContext.imageProvider = provider;
    auto layer = ImageLayer::make(std::dynamic_pointer_cast<const ImageLayerModel>(animation->layers[0]), layerContext);
    layer->layout({5, 5, 500, 500});
    EXPECT_FALSE(layer->imageAsset());
    EXPECT_FALSE(layer->contentsLayer()->contents());
    EXPECT_EQ(layer->bounds(), (platform::graphics::Rect{5, 5, 500, 500}));

    provider->available = true;
    layer->setUpImage(layerContext);
    layer->layout({5, 5, 500, 500});
    ASSERT_TRUE(layer->imageAsset());
    EXPECT_TRUE(layer->contentsLayer()->contents());
    EXPECT_EQ(layer->bounds(), (platform::graphics::Rect{5, 5, 200, 100}));
    EXPECT_EQ(layer->anchorPoint(), (platform::graphics::Point{0, 0}));
}

TEST(GradientRenderLayer, ReachesPastItsReferenceRectangle) {
    GradientRenderLayer layer;
    layer.layout({0, 0, 0, 0});
    EXPECT_EQ(layer.bounds(), (platform::graphics::Rect{}));
    layer.layout({0, 0, 100, 100});
    EXPECT_EQ(layer.bounds(), (platform::graphics::Rect{0, 0, 20100, 20100}));
    EXPECT_EQ(layer.transform().apply({0, 0}), (platform::graphics::Point{-10000, -10000}));
    const auto origin = layer.unitPointInPaddedBounds({0, 0});
    EXPECT_DOUBLE_EQ(origin.x, 10000.0 / 20100);
    const auto corner = layer.unitPointInPaddedBounds({100, 100});
    EXPECT_DOUBLE_EQ(corner.y, 10100.0 / 20100);
}

TEST(InfiniteOpaqueAnimationLayer, CoversItsMarginWhateverItsSize) {
    for (const platform::graphics::Rect bounds :
         {platform::graphics::Rect{0, 0, 100, 50}, platform::graphics::Rect{0, 0, 0, 0},
          platform::graphics::Rect{0, 0, 0, 40}}) {
        SCOPED_TRACE(bounds.size.width);
        auto layer = InfiniteOpaqueAnimationLayer::make();
        layer->setBackgroundColor(platform::graphics::Color::black());
        layer->setBounds(bounds);
        layer->layoutIfNeeded();
        const auto& padding = *layer->additionalPaddingLayer();
        const auto& transform = padding.transform();
        // The padding layer's far corner, in this layer's space.
        const auto far = transform.apply({padding.bounds().size.width, padding.bounds().size.height});
        const auto near = transform.apply({0, 0});
        EXPECT_TRUE(std::isfinite(far.x) && std::isfinite(far.y));
        EXPECT_NEAR(near.x, -10000, 1e-6);
        EXPECT_NEAR(near.y, -10000, 1e-6);
        EXPECT_NEAR(far.x, bounds.size.width + 10000, 1e-6);
        EXPECT_NEAR(far.y, bounds.size.height + 10000, 1e-6);
        EXPECT_EQ(padding.backgroundColor(), platform::graphics::Color::black());
        EXPECT_FALSE(layer->masksToBounds());
    }
}

// A presentation copy only draws: a plain compositor layer of the same class
// the compositor draws, with the drawn properties and nothing of the engine.
TEST_F(CompositionLayersTest, PresentationCopiesArePlainLayersWithTheDrawnProperties) {
    const auto layer = std::dynamic_pointer_cast<SolidLayer>(build(solid("Solid", "")));
    ASSERT_TRUE(layer);
    layer->setupAnimations(context());
    layer->setCompositingFilter("multiply");
    const std::vector<std::pair<const char*, std::shared_ptr<platform::compositor::Layer>>> layers = {
        {"composition layer", layer}, {"contents", layer->contentsLayer()->shared_from_this()}, {"solid shape", layer->shapeLayer()}};
    for (const auto& [name, original] : layers) {
        SCOPED_TRACE(name);
        const auto copy = original->makePresentationCopy();
        ASSERT_TRUE(copy);
        const platform::compositor::Layer& copied = *copy;
        EXPECT_EQ(dynamic_cast<const AnimationLayer*>(&copied), nullptr);
        EXPECT_EQ(typeid(copied) == typeid(platform::compositor::ShapeLayer), original->asShapeLayer() != nullptr);
        EXPECT_EQ(typeid(copied) == typeid(platform::compositor::Layer), original->asShapeLayer() == nullptr);
        EXPECT_TRUE(copy->sublayers().empty());
        EXPECT_EQ(copy->name(), original->name());
        EXPECT_EQ(copy->compositingFilter(), original->compositingFilter());
        EXPECT_EQ(copy->bounds(), original->bounds());
    }
    const auto shapeCopy = layer->shapeLayer()->makePresentationCopy();
    EXPECT_EQ(shapeCopy->asShapeLayer()->path(), layer->shapeLayer()->path());
    EXPECT_EQ(shapeCopy->asShapeLayer()->fillColor(), layer->shapeLayer()->fillColor());
}

}  // namespace
