// What the Core Animation engine derives from shape items alone, kept once for
// every view: found again only for the very items (never for a new item at a
// freed one's address) and tag, each view charged what the result cost, and
// two views of one document sharing their cut and merged paths and their
// repeater copies' transforms, while their value providers stay their own.

#include <gtest/gtest.h>

#include <new>

#include "Lottie/CoreAnimation/SharedItemResults.h"
#include "Lottie/Model/Layers/ShapeLayerModel.h"
#include "Lottie/Model/ShapeItems/Group.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

namespace {

using namespace lottie;
using namespace coreanimationtest;
using Items = ItemDerivedPool<int>::Items;

LayerContext budgeted(MessageLog& log, double limit = SamplingBudget::defaultLimit) {
    LayerContext context;
    context.tracker = log.tracker();
    context.samplingBudget = std::make_shared<SamplingBudget>(limit);
    return context;
}

std::shared_ptr<const ShapeItem> item(const char* name) {
    return std::make_shared<const ShapeItem>(name, ShapeType::shape, false);
}

// An item built in one fixed slot of memory, as an allocator reusing a freed
// item's address would place it.
alignas(ShapeItem) unsigned char slot[sizeof(ShapeItem)];
std::shared_ptr<const ShapeItem> itemInSlot(const char* name) {
    return std::shared_ptr<const ShapeItem>(new (slot) ShapeItem(name, ShapeType::shape, false),
                                            [](const ShapeItem* item) { item->~ShapeItem(); });
}

TEST(ItemDerivedPool, FindsAResultOnlyForTheSameLiveItemsAndTagAndChargesItsCostAgain) {
    MessageLog log;
    ItemDerivedPool<int> pool;
    int made = 0;
    // Each result costs 100 bytes to make.
    const auto shared = [&](const Items& items, const std::string& tag, const LayerContext& context) {
        return pool.shared(items, tag, context.samplingAccount(), [&]() -> std::optional<int> {
            context.samplingAccount().charge(1, 100);
            return ++made;
        });
    };
    const auto a = item("A");
    const auto b = item("B");
    const LayerContext first = budgeted(log);
    const auto result = shared({a, b}, "G", first);
    ASSERT_TRUE(result);

    struct Case {
        const char* name;
        Items items;
        std::string tag;
        bool found;
    };
    const std::vector<Case> cases = {
        {"the same items and tag", {a, b}, "G", true},
        {"another tag", {a, b}, "H", false},
        {"the items in another order", {b, a}, "G", false},
        {"one item fewer", {a}, "G", false},
        {"an equal item of its own", {a, item("B")}, "G", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int madeBefore = made;
        const LayerContext view = budgeted(log);
        const auto found = shared(c.items, c.tag, view);
        EXPECT_EQ(found == result, c.found);
        EXPECT_EQ(made, madeBefore + (c.found ? 0 : 1));
        // A view that finds the result made is charged what making it cost.
        EXPECT_EQ(view.samplingBudget->spent(), first.samplingBudget->spent());
    }

    // A view whose budget the result does not fit into is refused, found or not.
    const LayerContext tight = budgeted(log, 50);
    EXPECT_THROW(shared({a, b}, "G", tight), SamplingBudget::Exceeded);

    // A freed item's entry does not answer for a new item at its address.
    auto old = itemInSlot("A");
    const auto before = shared({old}, "", first);
    const ShapeItem* address = old.get();
    old.reset();
    const auto reborn = itemInSlot("A");
    ASSERT_EQ(reborn.get(), address);
    const int madeBefore = made;
    EXPECT_NE(shared({reborn}, "", first), before);
    EXPECT_EQ(made, madeBefore + 1);
}

TEST(ItemDerivedPool, KeepsNoneAsWellAndNothingNoLayerHoldsOrMadeWithoutABudget) {
    MessageLog log;
    ItemDerivedPool<int> pool;
    const LayerContext context = budgeted(log);
    const auto a = item("A");
    int made = 0;
    const auto none = [&]() -> std::optional<int> { return ++made, std::nullopt; };
    const auto some = [&]() -> std::optional<int> { return ++made; };

    // An item that gives no result is not worked out again while a layer keeps that answer.
    auto kept = pool.shared({a}, "none", context.samplingAccount(), none);
    EXPECT_FALSE(kept);
    EXPECT_FALSE(pool.shared({a}, "none", context.samplingAccount(), none));
    EXPECT_EQ(made, 1);

    // Once no layer holds a result, it is made again.
    pool.shared({a}, "some", context.samplingAccount(), some);
    pool.shared({a}, "some", context.samplingAccount(), some);
    EXPECT_EQ(made, 3);

    // Without a budget the cost cannot be measured: every call makes its own.
    const LayerContext unbudgeted;
    const auto first = pool.shared({a}, "free", unbudgeted.samplingAccount(), some);
    const auto second = pool.shared({a}, "free", unbudgeted.samplingAccount(), some);
    EXPECT_NE(first, second);
    EXPECT_EQ(*second, 5);
}

// Two paths merged in one group, cut by a trim that moves: the group layer
// merges them into one item and the item layer cuts them every frame.
const char* const trimmedGroup =
    R"({"ty":4,"nm":"Shapes","ind":1,"ip":0,"op":20,"st":0,"ks":{},"shapes":[{"ty":"gr","nm":"G","it":[)"
    R"({"ty":"sh","nm":"A","ks":{"a":0,"k":{"c":true,"v":[[0,0],[40,0],[40,40]],"i":[[0,0],[0,0],[0,0]],"o":[[0,0],[0,0],[0,0]]}}},)"
    R"({"ty":"sh","nm":"B","ks":{"a":0,"k":{"c":false,"v":[[50,50],[90,90]],"i":[[0,0],[0,0]],"o":[[0,0],[0,0]]}}},)"
    R"({"ty":"tm","nm":"T","s":{"a":0,"k":0},"o":{"a":0,"k":0},"m":2,"e":{"a":1,"k":[)"
    R"({"t":0,"s":[10],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":20,"s":[90]}]}},)"
    R"({"ty":"st","nm":"S","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":2},"lc":1,"lj":1,"ml":4},)"
    R"({"ty":"tr","nm":"Transform","p":{"a":0,"k":[0,0]},"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},)"
    R"("r":{"a":0,"k":0},"o":{"a":0,"k":100}}]}]})";

// The first compositor shape layer under `layer` that is animated along a path.
std::shared_ptr<platform::compositor::ShapeLayer> pathLayer(const platform::compositor::Layer& layer) {
    for (const auto& sublayer : layer.sublayers()) {
        auto shape = std::dynamic_pointer_cast<platform::compositor::ShapeLayer>(sublayer);
        if (shape && shape->animation("path")) return shape;
        if (auto found = pathLayer(*sublayer)) return found;
    }
    return nullptr;
}

class TwoViewsTest : public ClockTest {};

TEST_F(TwoViewsTest, ShareTheirCutAndMergedPathsAndKeepTheirOwnProviders) {
    const auto document = emptyAnimation(0, 20, 10, trimmedGroup);
    std::shared_ptr<CoreAnimationLayer> views[] = {rootLayer(document, log.tracker(), log),
                                                   rootLayer(document, log.tracker(), log)};
    views[0]->installValueProvider(std::make_shared<ColorValueProvider>(LottieColor{0, 1, 0, 1}),
                                   AnimationKeypath("**.S.Color"));
    std::shared_ptr<platform::compositor::ShapeLayer> drawn[2];
    for (int index = 0; index < 2; ++index) {
        views[index]->layoutIfNeeded();
        views[index]->setCurrentFrame(10);
        views[index]->display();
        drawn[index] = pathLayer(*views[index]);
        ASSERT_TRUE(drawn[index]) << index;
    }
    const auto path = [&](int index) { return drawn[index]->presentedValue("path", clock->now()); };
    ASSERT_TRUE(path(0));
    EXPECT_EQ(*path(0), *path(1));
    const auto color = [&](int index) {
        const auto value = drawn[index]->presentedValue("strokeColor", clock->now());
        const auto* found = value ? value->get<platform::graphics::Color>() : nullptr;
        return found ? std::vector<double>(found->components().begin(), found->components().end())
                     : std::vector<double>{};
    };
    EXPECT_EQ(color(0), (std::vector<double>{0, 1, 0, 1}));
    EXPECT_EQ(color(1), (std::vector<double>{0, 0, 1, 1}));

    // The views' layers hold the merged item and the cut paths: asking for
    // them again finds them made.
    const auto& group = dynamic_cast<const Group&>(
        *std::dynamic_pointer_cast<const ShapeLayerModel>(document->layers.front())->items.front());
    const auto& a = group.items()[0];
    const auto& b = group.items()[1];
    const auto& trim = group.items()[2];
    MessageLog asking;
    const LayerContext context = budgeted(asking);
    const auto mustBeMade = [] {
        ADD_FAILURE() << "made again";
        return std::nullopt;
    };
    EXPECT_TRUE(SharedItemResults::combinedItems().shared({a, b}, "G", context.samplingAccount(), [&] {
        return std::optional<CombinedShapeItem>(mustBeMade());
    }));
    EXPECT_TRUE(SharedItemResults::cutPaths().shared({a, b, trim}, "", context.samplingAccount(), [&] {
        return std::optional<KeyframeGroup<TrimmedPathAnimation::Pieces>>(mustBeMade());
    }));
}

// Three copies of a square fading from full to half opacity.
const char* const repeatedSquare =
    R"({"ty":4,"nm":"Shapes","ind":1,"ip":0,"op":20,"st":0,"ks":{},"shapes":[)"
    R"({"ty":"rc","nm":"R","p":{"a":0,"k":[5,5]},"s":{"a":0,"k":[10,10]},"r":{"a":0,"k":0}},)"
    R"({"ty":"fl","nm":"F","c":{"a":0,"k":[1,0,0,1]},"o":{"a":0,"k":100},"r":1},)"
    R"({"ty":"rp","nm":"Repeater","c":{"a":0,"k":3},"o":{"a":0,"k":0},"m":1,"tr":{"ty":"tr","p":{"a":0,"k":[10,0]},)"
    R"("a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":30},"so":{"a":0,"k":100},"eo":{"a":0,"k":50}}}]})";

TEST_F(TwoViewsTest, ShareTheTransformsAndOpacitiesOfRepeaterCopies) {
    const auto document = emptyAnimation(0, 20, 10, repeatedSquare);
    std::shared_ptr<CoreAnimationLayer> views[] = {rootLayer(document, log.tracker(), log),
                                                   rootLayer(document, log.tracker(), log)};
    for (const auto& view : views) {
        view->layoutIfNeeded();
        view->setCurrentFrame(0);
        view->display();
    }
    const std::shared_ptr<const ShapeItem> repeater =
        std::dynamic_pointer_cast<const ShapeLayerModel>(document->layers.front())->items.back();
    MessageLog asking;
    const LayerContext context = budgeted(asking);
    for (const char* copy : {"0/3", "1/3", "2/3"}) {
        SCOPED_TRACE(copy);
        EXPECT_TRUE(SharedItemResults::repeaterTransforms().shared({repeater}, copy, context.samplingAccount(), [] {
            ADD_FAILURE() << "made again";
            return std::optional<RepeaterTransform>();
        }));
        const auto opacity = SharedItemResults::repeaterOpacities().shared(
            {repeater}, copy, context.samplingAccount(), [] {
                ADD_FAILURE() << "made again";
                return std::optional<KeyframeGroup<LottieVector1D>>();
            });
        ASSERT_TRUE(opacity);
        EXPECT_EQ(opacity->keyframes().front().value().value, 100 - 25 * (copy[0] - '0'));
    }
}

}  // namespace
