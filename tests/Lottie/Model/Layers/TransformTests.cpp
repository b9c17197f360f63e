#include <gtest/gtest.h>

#include <string>

#include "Lottie/Model/Layers/Transform.h"
#include "Platform/Json/JsonParser.h"
#include "Platform/Json/JsonWriter.h"

using namespace lottie;

namespace {

double firstValue(const KeyframeGroupPtr<LottieVector1D>& group) { return group->keyframes().front().value().value; }
LottieVector3D firstValue(const KeyframeGroupPtr<LottieVector3D>& group) { return group->keyframes().front().value(); }

Transform byDictionary(const std::string& text) {
    platform::json::Value value = platform::json::parse(text);
    return Transform(value);
}

Transform byDecoder(const std::string& text) {
    platform::json::Value value = platform::json::parse(text);
    return Transform(platform::json::Decoder(value));
}

TEST(TransformModel, EmptyObjectIsTheDefaultTransformInBothDecoders) {
    for (const Transform& t : {byDictionary("{}"), byDecoder("{}"), Transform()}) {
        EXPECT_EQ(firstValue(t.anchorPoint()), LottieVector3D(0, 0, 0));
        ASSERT_TRUE(t.position());
        EXPECT_EQ(firstValue(t.position()), LottieVector3D(0, 0, 0));
        EXPECT_FALSE(t.positionX());
        EXPECT_FALSE(t.positionY());
        EXPECT_EQ(firstValue(t.scale()), LottieVector3D(100, 100, 100));
        EXPECT_EQ(firstValue(t.rotationX()), 0);
        EXPECT_EQ(firstValue(t.rotationY()), 0);
        EXPECT_EQ(firstValue(t.rotationZ()), 0);
        EXPECT_EQ(firstValue(t.opacity()), 100);
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
        for (const Transform& t : {byDictionary(c.json), byDecoder(c.json)}) {
            EXPECT_EQ(t.position() == nullptr, c.split);
            if (c.split) {
                EXPECT_EQ(firstValue(t.positionX()), c.x);
                EXPECT_EQ(firstValue(t.positionY()), c.y);
            } else {
                EXPECT_FALSE(t.positionX());
                EXPECT_EQ(firstValue(t.position()).x, c.x);
                EXPECT_EQ(firstValue(t.position()).y, c.y);
            }
        }
    }
}

TEST(TransformModel, DecodersDifferOnRotationAndMalformedGroups) {
    EXPECT_EQ(firstValue(byDictionary(R"({"r":{"k":45}})").rotationZ()), 45);
    EXPECT_FALSE(byDictionary(R"({"r":{"k":45}})").rotation());
    // With both "r" and "rz", the dictionary decoder takes "r" and the keyed one "rz".
    const char* both = R"({"r":{"k":45},"rz":{"k":90}})";
    EXPECT_EQ(firstValue(byDictionary(both).rotationZ()), 45);
    EXPECT_EQ(firstValue(byDecoder(both).rotationZ()), 90);
    // A malformed opacity is the default for one decoder and an error for the other.
    EXPECT_EQ(firstValue(byDictionary(R"({"o":"bad"})").opacity()), 100);
    EXPECT_EQ(firstValue(byDictionary(R"({"o":{"k":"bad"}})").opacity()), 100);
    EXPECT_THROW(byDecoder(R"({"o":"bad"})"), platform::json::DecodingError);
    // A malformed position fails the transform for one decoder; the other falls back to the default.
    EXPECT_THROW(byDictionary(R"({"p":{"k":"bad"}})"), InitializableError);
    EXPECT_EQ(byDecoder(R"({"p":{"k":"bad"}})").position() != nullptr, true);  // falls back to the default
}

TEST(TransformModel, EncodesSplitPositionsAtTheTopLevel) {
    Transform split = byDictionary(R"({"p":{"s":true,"x":{"k":10},"y":{"k":20}},"r":{"k":30}})");
    std::string text = platform::json::serialize(platform::json::encodeToValue(split));
    EXPECT_EQ(text, R"({"a":{"k":[0,0,0]},"px":{"k":10},"py":{"k":20},"s":{"k":[100,100,100]},)"
                    R"("rx":{"k":0},"ry":{"k":0},"rz":{"k":30},"o":{"k":100}})");
    Transform again = byDecoder(text);
    EXPECT_FALSE(again.position());
    EXPECT_EQ(firstValue(again.positionY()), 20);
    EXPECT_EQ(firstValue(again.rotationZ()), 30);
}

}  // namespace
