#include <gtest/gtest.h>

#include <string>

#include "Lottie/Model/Layers/Transform.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"

using namespace lottie;
using modeltest::fromContainer;
using modeltest::fromDictionary;

namespace {

double firstValue(const KeyframeGroupPtr<LottieVector1D>& group) { return group->keyframes().front().value().value; }
LottieVector3D firstValue(const KeyframeGroupPtr<LottieVector3D>& group) { return group->keyframes().front().value(); }

TEST(TransformModel, EmptyObjectIsTheDefaultTransformInBothDecoders) {
    const std::string defaults = R"({"a":{"k":[0,0,0]},"p":{"k":[0,0,0]},"s":{"k":[100,100,100]},)"
                                 R"("rx":{"k":0},"ry":{"k":0},"rz":{"k":0},"o":{"k":100}})";
    for (const Transform& t : {*fromDictionary<Transform>("{}"), *fromContainer<Transform>("{}"), Transform()}) {
        EXPECT_EQ(modeltest::encoded(t), defaults);
        EXPECT_FALSE(t.rotation());
    }
}

TEST(TransformModel, PositionFormsAndPrecedence) {
    struct Case {
        const char* json;
        bool split;
        double x;
        double y;
    };
    const Case cases[] = {
        {R"({"p":{"s":true,"x":{"k":10},"y":{"k":20}}})", true, 10, 20},
        {R"({"px":{"k":1},"py":{"k":2},"p":{"k":[5,5]}})", true, 1, 2},
        {R"({"p":{"k":[5,6,7]}})", false, 5, 6},
        {R"({"p":{"x":{"k":10}}})", false, 0, 0},  // a split object without "y" is no position
        {R"({"p":[1,2]})", false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        for (auto t : {fromDictionary<Transform>(c.json), fromContainer<Transform>(c.json)}) {
            EXPECT_EQ(t->position() == nullptr, c.split);
            if (c.split) {
                EXPECT_EQ(firstValue(t->positionX()), c.x);
                EXPECT_EQ(firstValue(t->positionY()), c.y);
            } else {
                EXPECT_FALSE(t->positionX());
                EXPECT_EQ(firstValue(t->position()).x, c.x);
                EXPECT_EQ(firstValue(t->position()).y, c.y);
            }
        }
    }
}

TEST(TransformModel, DecodersDifferOnRotationAndMalformedGroups) {
    EXPECT_EQ(firstValue(fromDictionary<Transform>(R"({"r":{"k":45}})")->rotationZ()), 45);
    EXPECT_FALSE(fromDictionary<Transform>(R"({"r":{"k":45}})")->rotation());
    // With both "r" and "rz", the dictionary decoder takes "r" and the keyed one "rz".
    const char* both = R"({"r":{"k":45},"rz":{"k":90}})";
    EXPECT_EQ(firstValue(fromDictionary<Transform>(both)->rotationZ()), 45);
    EXPECT_EQ(firstValue(fromContainer<Transform>(both)->rotationZ()), 90);
    // A malformed opacity is the default for one decoder and an error for the other.
    EXPECT_EQ(firstValue(fromDictionary<Transform>(R"({"o":"bad"})")->opacity()), 100);
    EXPECT_EQ(firstValue(fromDictionary<Transform>(R"({"o":{"k":"bad"}})")->opacity()), 100);
    EXPECT_THROW(fromContainer<Transform>(R"({"o":"bad"})"), platform::json::DecodingError);
    // A malformed position fails the transform for one decoder; the other falls back to the default.
    EXPECT_THROW(fromDictionary<Transform>(R"({"p":{"k":"bad"}})"), InitializableError);
    EXPECT_EQ(firstValue(fromContainer<Transform>(R"({"p":{"k":"bad"}})")->position()), LottieVector3D(0, 0, 0));
}

TEST(TransformModel, EncodesSplitPositionsAtTheTopLevel) {
    auto split = fromDictionary<Transform>(R"({"p":{"s":true,"x":{"k":10},"y":{"k":20}},"r":{"k":30}})");
    std::string text = modeltest::encoded(*split);
    EXPECT_EQ(text, R"({"a":{"k":[0,0,0]},"px":{"k":10},"py":{"k":20},"s":{"k":[100,100,100]},)"
                    R"("rx":{"k":0},"ry":{"k":0},"rz":{"k":30},"o":{"k":100}})");
    auto again = fromContainer<Transform>(text);
    EXPECT_FALSE(again->position());
    EXPECT_EQ(firstValue(again->positionY()), 20);
    EXPECT_EQ(firstValue(again->rotationZ()), 30);
}

}  // namespace
