#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Playback/Keypaths/AnyNodeProperty.h"
#include "Lottie/Playback/Keypaths/KeypathSearch.h"
#include "Platform/Compositor/Layer.h"

using lottie::AnimationKeypath;
using lottie::AnyNodeProperty;
using lottie::KeypathSearchable;

namespace {

// A property known by the keypath it was made for.
class TestProperty final : public AnyNodeProperty {
public:
    explicit TestProperty(std::string path) : path(std::move(path)) {}
    std::shared_ptr<lottie::AnyValueProvider> valueProvider() const override { return nullptr; }
    std::shared_ptr<lottie::AnyValueProvider> originalValueProvider() const override { return nullptr; }
    bool needsUpdate(double) const override { return false; }
    void update(double) override {}
    void replaceProvider(std::shared_ptr<lottie::AnyValueProvider>) override {}
    void restoreOriginalProvider() override {}
    std::any queriedValue(double, bool) override { return {}; }

    std::string path;
};

class TestElement : public KeypathSearchable {
public:
    TestElement(std::string name, std::vector<std::string> propertyNames, Children children = {})
        : name_(std::move(name)), children_(std::move(children)) {
        for (const std::string& property : propertyNames) properties_[property] = nullptr;
    }
    std::string keypathName() const override { return name_; }
    Properties keypathProperties() const override { return properties_; }
    Children childKeypaths() const override { return children_; }
    std::shared_ptr<platform::compositor::Layer> searchRootLayer() const override { return layer; }

    std::shared_ptr<platform::compositor::Layer> layer;

    // Gives each property the path it is reached by from the top.
    void nameProperties(const std::string& parentPath) {
        const std::string path = parentPath.empty() ? name_ : parentPath + "." + name_;
        for (auto& [property, value] : properties_) value = std::make_shared<TestProperty>(path + "." + property);
        for (const auto& child : children_) static_cast<TestElement&>(*child).nameProperties(path);
    }

private:
    std::string name_;
    Properties properties_;
    Children children_;
};

// Stands for the engine's animator nodes, and for its layers.
class TestNode final : public TestElement {
    using TestElement::TestElement;
};
class TestLayer final : public TestElement {
    using TestElement::TestElement;
};

struct Tree {
    std::shared_ptr<TestNode> fill1 = std::make_shared<TestNode>("Fill", std::vector<std::string>{"Color", "Opacity"});
    std::shared_ptr<TestNode> fill2 = std::make_shared<TestNode>("Fill", std::vector<std::string>{"Color"});
    std::shared_ptr<TestNode> shape1 =
        std::make_shared<TestNode>("Shape 1", std::vector<std::string>{"Color"}, KeypathSearchable::Children{fill1});
    std::shared_ptr<TestLayer> shape2 =
        std::make_shared<TestLayer>("Shape 2", std::vector<std::string>{"Color"}, KeypathSearchable::Children{fill2});
    std::shared_ptr<TestElement> root = std::make_shared<TestElement>(
        "Root", std::vector<std::string>{"Color", "Opacity"}, KeypathSearchable::Children{shape1, shape2});

    Tree() { root->nameProperties(""); }
};

std::optional<std::vector<std::string>> propertyPaths(const KeypathSearchable& element, const char* keypath) {
    auto found = lottie::propertiesMatching(element, AnimationKeypath(keypath));
    if (!found) return std::nullopt;
    std::vector<std::string> paths;
    for (const auto& property : *found) paths.push_back(static_cast<TestProperty&>(*property).path);
    return paths;
}

using Paths = std::vector<std::string>;

TEST(KeypathSearch, PropertiesMatching) {
    Tree tree;
    struct Case {
        const char* keypath;
        std::optional<Paths> paths;
    };
    const std::vector<Case> cases = {
        {"Root", std::nullopt},            // one key never reaches a property
        {"*.Color", Paths{"Root.Color"}},  // the element's own property, nothing below
        {"**.Color", Paths{"Root.Color", "Root.Shape 1.Color", "Root.Shape 1.Fill.Color", "Root.Shape 2.Color",
                           "Root.Shape 2.Fill.Color"}},
        {"Root.*.Fill.Color", Paths{"Root.Shape 1.Fill.Color", "Root.Shape 2.Fill.Color"}},
        {"Root.Shape*.Color", Paths{"Root.Shape 1.Color", "Root.Shape 2.Color"}},
        {"**.Fill.Opacity", Paths{"Root.Shape 1.Fill.Opacity"}},
        {"Root.**.Opacity", Paths{"Root.Opacity", "Root.Shape 1.Fill.Opacity"}},
        {"Root.Missing.Color", std::nullopt},
        {"Root.Shape 1.Fill.Size", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keypath);
        EXPECT_EQ(propertyPaths(*tree.root, c.keypath), c.paths);
    }
}

TEST(KeypathSearch, NodesMatching) {
    Tree tree;
    struct Case {
        std::shared_ptr<KeypathSearchable> start;
        const char* keypath;
        std::optional<std::vector<std::shared_ptr<TestNode>>> nodes;
    };
    const std::vector<Case> cases = {
        {tree.root, "Root", std::nullopt},  // not a node
        {tree.shape1, "Shape 2", std::nullopt},
        {tree.root, "Root.Shape 1.Fill", std::vector{tree.fill1}},
        {tree.root, "Root.*.Fill", std::vector{tree.fill1, tree.fill2}},
        {tree.root, "Root.*", std::vector{tree.shape1}},  // Shape 2 is not a node
        // A child named by the key after "**" is searched twice, so it comes twice.
        {tree.root, "**.Fill", std::vector{tree.fill1, tree.fill1, tree.fill2, tree.fill2}},
        {tree.root, "Root.Nothing", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keypath);
        EXPECT_EQ(lottie::nodesMatching<TestNode>(c.start, AnimationKeypath(c.keypath)), c.nodes);
    }
    EXPECT_EQ(lottie::nodesMatching<TestNode>(tree.root, AnimationKeypath(std::vector<std::string>{})), std::nullopt);
}

TEST(KeypathSearch, LayerAtKeypath) {
    Tree tree;
    for (const auto& element :
         std::vector<std::shared_ptr<TestElement>>{tree.root, tree.shape1, tree.fill1, tree.fill2}) {
        element->layer = platform::compositor::Layer::make();
        element->layer->setName(element->keypathName());
    }
    struct Case {
        const char* keypath;
        std::shared_ptr<platform::compositor::Layer> layer;
    };
    const std::vector<Case> cases = {
        {"R*", tree.root->layer},
        {"Shape 1", nullptr},            // names the top element only
        {"Root.*", tree.shape1->layer},  // the first child that has one
        {"Root.Shape 2", nullptr},       // reached, but without a layer
        {"Root.Shape 2.Fill", tree.fill2->layer},
        {"**.Fill", tree.fill1->layer},
        {"Root.Shape 2.Fill.Color", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keypath);
        EXPECT_EQ(lottie::layerAtKeypath(*tree.root, AnimationKeypath(c.keypath)), c.layer);
    }
}

TEST(KeypathSearch, LayerKeypaths) {
    Tree tree;
    auto map = lottie::layerKeypaths<TestLayer>(tree.root, {"Top"});
    ASSERT_EQ(map.size(), 1u);
    EXPECT_EQ(map.at(tree.shape2), AnimationKeypath("Top.Root.Shape 2"));
    auto nodes = lottie::layerKeypaths<TestNode>(tree.root);
    EXPECT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes.at(tree.fill2), AnimationKeypath("Root.Shape 2.Fill"));
}

}  // namespace
