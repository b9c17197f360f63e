#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"
#include "Platform/Json/JsonParser.h"
#include "Platform/Json/JsonWriter.h"
#include "tests/Support/Thrown.h"

using namespace platform::json;

namespace {

using testsupport::thrown;

// Runs `body` over a container of the parsed text and returns the error kind it throws.
std::optional<DecodingError::Kind> errorKind(const std::string& text,
                                             const std::function<void(const KeyedDecodingContainer&)>& body) {
    Value value = parse(text);
    auto error = thrown<DecodingError>([&] { body(Decoder(value).container()); });
    return error ? std::optional(error->kind()) : std::nullopt;
}

TEST(KeyedDecoder, ConvertsValuesOnlyAsThePlatformDoes) {
    using K = DecodingError::Kind;
    struct Case {
        const char* name;
        std::string text;
        std::function<void(const KeyedDecodingContainer&)> body;
        std::optional<K> expected;
    };
    const Case cases[] = {
        {"int from 1.0", R"({"a":1.0})", [](auto& c) { EXPECT_EQ(c.template decode<int>("a"), 1); }, std::nullopt},
        {"int from 1.5", R"({"a":1.5})", [](auto& c) { c.template decode<int>("a"); }, K::dataCorrupted},
        {"int from true", R"({"a":true})", [](auto& c) { c.template decode<int>("a"); }, K::typeMismatch},
        {"bool from 1", R"({"a":1})", [](auto& c) { c.template decode<bool>("a"); }, K::typeMismatch},
        {"bool from true", R"({"a":true})", [](auto& c) { EXPECT_TRUE(c.template decode<bool>("a")); }, std::nullopt},
        {"double from true", R"({"a":true})", [](auto& c) { c.template decode<double>("a"); }, K::typeMismatch},
        {"string from number", R"({"a":1})", [](auto& c) { c.template decode<std::string>("a"); }, K::typeMismatch},
        {"number from string", R"({"a":"1"})", [](auto& c) { c.template decode<double>("a"); }, K::typeMismatch},
        {"null required", R"({"a":null})", [](auto& c) { c.template decode<double>("a"); }, K::valueNotFound},
        {"missing required", R"({})", [](auto& c) { c.template decode<double>("a"); }, K::keyNotFound},
        {"null if present", R"({"a":null})", [](auto& c) { EXPECT_FALSE(c.template decodeIfPresent<int>("a")); }, std::nullopt},
        {"missing if present", R"({})", [](auto& c) { EXPECT_FALSE(c.template decodeIfPresent<int>("a")); }, std::nullopt},
        {"wrong type if present", R"({"a":"x"})", [](auto& c) { c.template decodeIfPresent<int>("a"); }, K::typeMismatch},
        {"float overflow", R"({"a":1e300})", [](auto& c) { c.template decode<float>("a"); }, K::dataCorrupted},
        {"uint8 overflow", R"({"a":300})", [](auto& c) { c.template decode<std::uint8_t>("a"); }, K::dataCorrupted},
        {"array of ints", R"({"a":[1,2,3]})",
         [](auto& c) { EXPECT_EQ(c.template decode<std::vector<int>>("a"), (std::vector<int>{1, 2, 3})); }, std::nullopt},
        {"array from object", R"({"a":{}})", [](auto& c) { c.template decode<std::vector<int>>("a"); }, K::typeMismatch},
        {"nested from array", R"({"a":[]})", [](auto& c) { c.nestedContainer("a"); }, K::typeMismatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorKind(c.text, c.body), c.expected);
    }
}

TEST(KeyedDecoder, ErrorsCarryTheCodingPath) {
    Value value = parse(R"({"layers":[{"ks":{}},{"ks":{"o":"x"}}]})");
    auto mistyped = thrown<DecodingError>([&] {
        auto layers = Decoder(value).container().nestedUnkeyedContainer("layers");
        while (!layers.isAtEnd()) {
            auto layer = layers.nestedContainer();
            layer.nestedContainer("ks").decodeIfPresent<double>("o");
        }
    });
    ASSERT_TRUE(mistyped);
    EXPECT_EQ(mistyped->kind(), DecodingError::Kind::typeMismatch);
    EXPECT_EQ(describe(mistyped->codingPath()), "layers[1].ks.o");
    EXPECT_NE(std::string(mistyped->what()).find("layers[1].ks.o"), std::string::npos);
    auto missing = thrown<DecodingError>(
        [&] { Decoder(value).container().nestedUnkeyedContainer("layers").nestedContainer().decode<int>("ip"); });
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->kind(), DecodingError::Kind::keyNotFound);
    EXPECT_EQ(describe(missing->codingPath()), "layers[0]");
    EXPECT_EQ(missing->key()->stringValue, "ip");
}

TEST(KeyedDecoder, DecodersKeepTheirPathAfterTheContainersThatMadeThemAreGone) {
    Value value = parse(R"({"assets":[{"id":"a"},{"id":"b","layers":[{"ty":"x"}]}]})");
    // Each decoder below outlives the temporary containers it came from.
    Decoder asset = Decoder(value).container().nestedUnkeyedContainer("assets").nestedContainer().superDecoder("id");
    Decoder layers = [&] {
        auto assets = Decoder(value, {CodingKey::named("root")}).container().nestedUnkeyedContainer("assets");
        assets.superDecoder();
        return assets.nestedContainer().superDecoder("layers");
    }();
    EXPECT_EQ(describe(asset.codingPath()), "assets[0].id");
    EXPECT_EQ(describe(layers.codingPath()), "root.assets[1].layers");
    auto error = thrown<DecodingError>([&] { layers.unkeyedContainer().nestedContainer().decode<int>("ty"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(describe(error->codingPath()), "root.assets[1].layers[0].ty");
    // A path given from outside keeps index keys as they were given.
    Decoder given(value, {CodingKey::named("a"), CodingKey{"third", 2}, CodingKey::index(4)});
    EXPECT_EQ(given.codingPath(), (CodingPath{CodingKey::named("a"), CodingKey{"third", 2}, CodingKey::index(4)}));
}

TEST(UnkeyedDecoder, CopiesAdvanceOnTheirOwnAndFailuresDoNotAdvance) {
    Value value = parse(R"([{"ty":1}, "two", null, 4])");
    UnkeyedDecodingContainer peek = Decoder(value).unkeyedContainer();
    UnkeyedDecodingContainer read = peek;
    EXPECT_EQ(peek.nestedContainer().decode<int>("ty"), 1);
    EXPECT_EQ(peek.currentIndex(), 1);
    EXPECT_EQ(read.currentIndex(), 0);
    EXPECT_THROW(read.decode<int>(), DecodingError);
    EXPECT_EQ(read.currentIndex(), 0);
    read.superDecoder();
    EXPECT_EQ(read.decode<std::string>(), "two");
    EXPECT_TRUE(read.decodeNil());
    EXPECT_EQ(read.decodeIfPresent<int>(), 4);
    EXPECT_TRUE(read.isAtEnd());
    auto pastTheEnd = thrown<DecodingError>([&] { read.decode<int>(); });
    ASSERT_TRUE(pastTheEnd);
    EXPECT_EQ(pastTheEnd->kind(), DecodingError::Kind::valueNotFound);
}

struct Point2 {
    double x = 0;
    double y = 0;
    std::optional<std::string> name;

    Point2() = default;
    Point2(double x_, double y_, std::optional<std::string> name_) : x(x_), y(y_), name(std::move(name_)) {}
    explicit Point2(const Decoder& decoder) {
        auto c = decoder.container();
        x = c.decode<double>("x");
        y = c.decode<double>("y");
        name = c.decodeIfPresent<std::string>("n");
    }
    void encode(Encoder& encoder) const {
        auto c = encoder.container();
        c.encode("y", y);
        c.encode("x", x);
        c.encodeIfPresent("n", name);
    }
    bool operator==(const Point2&) const = default;
};

TEST(Encoder, KeepsKeyOrderAndRoundTripsModels) {
    std::vector<Point2> points{{1.5, -0.0, std::nullopt}, {0.1, 1e300, "p"}};
    std::string text = serialize(encodeToValue(points));
    EXPECT_EQ(text, R"([{"y":-0.0,"x":1.5},{"y":1e+300,"x":0.1,"n":"p"}])");
    Value back = parse(text);
    EXPECT_EQ(Decoder(back).decode<std::vector<Point2>>(), points);
}

TEST(Encoder, NestedContainersStayValidWhileTheParentGrows) {
    Value root;
    Encoder encoder([&root]() -> Value& { return root; }, {});
    auto top = encoder.container();
    auto nested = top.nestedContainer("first");
    for (int i = 0; i < 100; ++i) top.encode("k" + std::to_string(i), i);
    nested.encode("inner", std::string("kept"));
    auto list = top.nestedUnkeyedContainer("list");
    list.encode(1);
    top.encode("k0", 42);  // a repeated key keeps its place and takes the new value
    list.encode(2);
    EXPECT_EQ(*root.find("first")->find("inner")->asString(), "kept");
    EXPECT_EQ(root.find("k0")->asInteger(), 42);
    EXPECT_EQ(root.asObject()->at(1).key, "k0");
    EXPECT_EQ(serialize(*root.find("list")), "[1,2]");
}

TEST(Encoder, RefusesNonFiniteNumbersWithThePath) {
    std::vector<Point2> points{{1, 2, std::nullopt}, {std::nan(""), 0, std::nullopt}};
    auto error = thrown<EncodingError>([&] { encodeToValue(points); });
    ASSERT_TRUE(error);
    EXPECT_EQ(describe(error->codingPath()), "[1].x");
}

}  // namespace
