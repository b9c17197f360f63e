#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Lottie/MainThread/LayerContainers/DisabledActions.h"

using lottie::DisabledActions;
using platform::compositor::Layer;

namespace {

std::vector<std::string> keysOf(const Layer& layer) {
    std::vector<std::string> keys;
    for (const auto& [key, action] : layer.actions()) {
        EXPECT_EQ(action, nullptr) << key;
        keys.push_back(key);
    }
    return keys;
}

TEST(DisabledActions, LayersOfOneKindShareOneTable) {
    // A base kind disables some keys and a derived kind adds its own; layers
    // that started alike end with the same table, holding the union.
    static DisabledActions base{"opacity", "bounds"};
    static DisabledActions derived{"path", "opacity"};
    struct Case {
        bool derived;
        std::vector<std::string> keys;
    };
    const Case cases[] = {
        {false, {"bounds", "opacity"}},
        {true, {"bounds", "opacity", "path"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.derived);
        Layer first;
        Layer second;
        for (Layer* layer : {&first, &second}) {
            base.applyTo(*layer);
            if (c.derived) derived.applyTo(*layer);
        }
        EXPECT_EQ(keysOf(first), c.keys);
        EXPECT_EQ(first.sharedActions(), second.sharedActions());
        EXPECT_EQ(first.action("opacity"), nullptr);
    }
}

TEST(DisabledActions, KeepsTheActionsALayerWasGiven) {
    static DisabledActions disabled{"opacity"};
    Layer layer;
    layer.setActions({{"sublayers", nullptr}});
    disabled.applyTo(layer);
    EXPECT_EQ(keysOf(layer), (std::vector<std::string>{"opacity", "sublayers"}));
    Layer plain;
    disabled.applyTo(plain);
    EXPECT_EQ(keysOf(plain), (std::vector<std::string>{"opacity"}));
    EXPECT_NE(plain.sharedActions(), layer.sharedActions());
}

}  // namespace
