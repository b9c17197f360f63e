#include <gtest/gtest.h>

#include "Lottie/Values/LottieColor.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector2D.h"
#include "Lottie/Values/LottieVector3D.h"
#include "Lottie/Values/PointCoding.h"
#include "tests/Lottie/Values/ValuesTestSupport.h"

using namespace lottie;
using namespace valuestest;
using platform::graphics::Point;
using Kind = platform::json::DecodingError::Kind;

namespace {

using ErrorSite = std::optional<std::pair<std::string, unsigned>>;
ErrorSite site(const char* file, unsigned line) { return std::make_pair(std::string(file), line); }

// A row of a vector table: what both decoders read, or where the dictionary
// reader fails (the keyed decoder failing too, with `keyedError` when given).
template <class T>
struct Row {
    const char* text;
    std::optional<T> expected;
    ErrorSite dictionaryError{};
    std::optional<Kind> keyedError{};
};

template <class T>
void expectRows(std::initializer_list<Row<T>> rows) {
    for (const Row<T>& row : rows) {
        SCOPED_TRACE(row.text);
        if (row.expected) {
            EXPECT_EQ(T::fromAny(json(row.text)), *row.expected);
            EXPECT_EQ(decodeKeyed<T>(row.text), *row.expected);
            continue;
        }
        EXPECT_EQ(initializableError([&] { T::fromAny(json(row.text)); }), row.dictionaryError);
        auto keyed = decodingError([&] { decodeKeyed<T>(row.text); });
        EXPECT_TRUE(keyed);
        if (row.keyedError) { EXPECT_EQ(keyed, row.keyedError); }
    }
}

}  // namespace

TEST(LottieVector1D, ReadsNumbersAndFirstElements) {
    // The array form's failure is forgotten; the number form's is reported.
    const ErrorSite number = site("Lottie/VectorsExtensions", 57);
    expectRows<LottieVector1D>({
        {"[7, 9]", LottieVector1D(7)},
        {"7", LottieVector1D(7)},
        {"-0.5", LottieVector1D(-0.5)},
        {"[]", std::nullopt, number, Kind::typeMismatch},
        {"\"7\"", std::nullopt, number, Kind::typeMismatch},
        {"{\"k\": 1}", std::nullopt, number, Kind::typeMismatch},
        {"[\"a\"]", std::nullopt, number, Kind::typeMismatch},
        {"null", std::nullopt, number, Kind::valueNotFound},
    });
}

TEST(LottieVector2D, ReadsKeyedComponents) {
    expectRows<LottieVector2D>({
        {R"({"x": [3], "y": 4})", LottieVector2D(3, 4)},
        {R"({"x": [3, 5], "y": [4]})", LottieVector2D(3, 4)},
        {R"({"x": 3})", std::nullopt, site("Lottie/VectorsExtensions", 151)},
        {R"({"y": 3})", std::nullopt, site("Lottie/VectorsExtensions", 141)},
        {R"({"x": [], "y": 3})", std::nullopt, site("Lottie/VectorsExtensions", 141)},
        {R"({"x": "1", "y": 3})", std::nullopt, site("Lottie/VectorsExtensions", 141)},
        {R"([1, 2])", std::nullopt, site("Lottie/VectorsExtensions", 130)},
    });
    EXPECT_EQ(encodeToText(LottieVector2D(0.25, -3)), R"({"x":0.25,"y":-3})");
}

TEST(LottieVector3D, ReadsUpToThreeNumbers) {
    const ErrorSite notAnArray = site("Lottie/VectorsExtensions", 216);
    expectRows<LottieVector3D>({
        {"[1]", LottieVector3D(1, 0, 0)},
        {"[1, 2]", LottieVector3D(1, 2, 0)},
        {"[1, 2, 3, 4]", LottieVector3D(1, 2, 3)},
        {"[]", LottieVector3D(0, 0, 0)},
        {"5", std::nullopt, notAnArray},
        {"{\"x\": 1}", std::nullopt, notAnArray},
    });
    LottieVector3D vector(1.5, -2, 1e-7);
    EXPECT_EQ(decodeKeyed<LottieVector3D>(encodeToText(vector)), vector);
}

TEST(LottieColor, AppliesTheColourRule) {
    expectRows<LottieColor>({
        {"[255, 128, 2]", LottieColor(1, 128.0 / 255, 2.0 / 255, 1)},
        {"[255, 128, 0]", LottieColor(255, 128, 0, 1)},
        {"[255, 1, 255]", LottieColor(255, 1, 255, 1)},
        {"[0.5, 0.5, 0.5, 0.2]", LottieColor(0.5, 0.5, 0.5, 1)},
        {"[]", LottieColor(0, 0, 0, 1)},
        {"[0.2]", LottieColor(0.2, 0, 0, 1)},
        {"[2, 3, 4, 200]", LottieColor(2.0 / 255, 3.0 / 255, 4.0 / 255, 1)},
    });
    EXPECT_EQ(initializableError([] { LottieColor::fromAny(json("1")); }), site("Lottie/ColorExtension", 72));
    EXPECT_EQ(initializableError([] { LottieColor::fromAny(json("[1, \"x\"]")); }), site("Lottie/ColorExtension", 72));
}

TEST(LottieColor, EncodesFourComponentsAndDecodesWithOpaqueAlpha) {
    LottieColor color(0.1, 0.2, 0.3, 0.4);
    EXPECT_EQ(encodeToText(color), "[0.1,0.2,0.3,0.4]");
    EXPECT_EQ(decodeKeyed<LottieColor>(encodeToText(color)), LottieColor(0.1, 0.2, 0.3, 1));
    EXPECT_EQ(LottieColor(255, 51, 0, 255, ColorFormatDenominator::twoFiftyFive), LottieColor(1, 0.2, 0, 1));
    EXPECT_EQ(LottieColor(50, 100, 0, 25, ColorFormatDenominator::oneHundred), LottieColor(0.5, 1, 0, 0.25));
}

TEST(Vectors, HashZeroesOfEitherSignAlike) {
    EXPECT_EQ(LottieVector3D(0, -0.0, 1), LottieVector3D(-0.0, 0, 1));
    EXPECT_EQ(std::hash<LottieVector3D>{}(LottieVector3D(0, -0.0, 1)), std::hash<LottieVector3D>{}(LottieVector3D(-0.0, 0, 1)));
    EXPECT_EQ(std::hash<LottieColor>{}(LottieColor(-0.0, 0, 0, 1)), std::hash<LottieColor>{}(LottieColor(0, 0, 0, 1)));
}

TEST(PointReader, ReadsDictionariesAndArrays) {
    EXPECT_EQ(pointFromAny(json(R"({"x": 1, "y": 2})")), Point(1, 2));
    EXPECT_EQ(pointFromAny(json("[1, 2, 3]")), Point(1, 2));
    // The array and "y" failures are in the path tests.
    EXPECT_EQ(initializableError([] { pointFromAny(json(R"({"x": "1", "y": 2})")); }),
              site("Lottie/CGPointExtension", 16));
}
