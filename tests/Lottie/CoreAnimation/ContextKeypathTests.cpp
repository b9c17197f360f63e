// The keypath an animation context reaches: the keys it puts together however
// it was extended, and an item thousands of long-named groups deep placed
// without copying the names of the groups above it at every level.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Lottie/CoreAnimation/ContextKeypath.h"
#include "Lottie/CoreAnimation/ShapeItemReference.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

namespace {

using namespace lottie;
using Keys = std::vector<std::string>;

TEST(ContextKeypath, PutsTogetherTheKeysItWasExtendedWith) {
    const ContextKeypath layer = ContextKeypath(AnimationKeypath("Layer.Inner"));
    const ContextKeypath groups = ContextKeypath().adding("Outer").adding("Middle");
    struct Case {
        const char* name;
        ContextKeypath keypath;
        Keys keys;
    };
    const Case cases[] = {
        {"none", ContextKeypath(), {}},
        {"a whole keypath", layer, {"Layer", "Inner"}},
        {"a key added", layer.adding("Transform"), {"Layer", "Inner", "Transform"}},
        {"another keypath added", layer.adding(groups), {"Layer", "Inner", "Outer", "Middle"}},
        {"an empty keypath added", layer.adding(ContextKeypath()), {"Layer", "Inner"}},
        {"added to nothing", ContextKeypath().adding(groups), {"Outer", "Middle"}},
        {"keys after an added keypath", layer.adding(groups).adding("Fill").adding("Color"),
         {"Layer", "Inner", "Outer", "Middle", "Fill", "Color"}},
        {"a keypath with one added, added", layer.adding(groups.adding(ContextKeypath().adding("Deep"))),
         {"Layer", "Inner", "Outer", "Middle", "Deep"}},
        {"an empty key kept", layer.adding(""), {"Layer", "Inner", ""}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(test.keypath.keys(), test.keys);
        EXPECT_EQ(test.keypath.size(), test.keys.size());
        EXPECT_EQ(test.keypath.keypath(), AnimationKeypath(test.keys));
        EXPECT_EQ(test.keypath.fullPath(), AnimationKeypath(test.keys).fullPath());
    }
    // Extending a keypath leaves the one it was extended from as it was.
    EXPECT_EQ(groups.keys(), (Keys{"Outer", "Middle"}));
}

// 20,000 groups of names 1,000 characters long: copying the names above each
// group, or above the item at each level, would write some 200 gigabytes.
TEST(ContextKeypath, AnItemThousandsOfLongNamedGroupsDeepIsPlacedWithoutCopyingTheirNames) {
    constexpr int depth = 20'000;
    const std::string name(1'000, 'g');
    ShapeItemReference reference{coreanimationtest::decodedItem<ShapeItem>(
                                     R"({"ty":"fl","nm":"Fill","c":{"a":0,"k":[1,0,0,1]},"o":{"a":0,"k":100}})"),
                                 {}};
    for (int level = 0; level < depth; ++level) reference.groupPath = reference.groupPath.adding(name);
    LayerAnimationContext layer;
    layer.currentKeypath = AnimationKeypath("Layer");
    LayerAnimationContext context = reference.context(layer);
    for (int level = 0; level < depth; ++level) context = context.addingKeypathComponent("Color");
    EXPECT_EQ(context.currentKeypath.size(), 2u + 2 * depth);
    const Keys keys = context.currentKeypath.keys();
    ASSERT_EQ(keys.size(), 2u + 2 * depth);
    EXPECT_EQ(keys.front(), "Layer");
    EXPECT_EQ(keys[depth], name);
    EXPECT_EQ(keys[depth + 1], "Fill");
    EXPECT_EQ(keys.back(), "Color");
}

}  // namespace
