// The measurements the reference tests rely on: which frames are kept, at what
// size, and how far two pictures are apart.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Lottie/Playback/DecodingStrategy.h"
#include "tests/References/PictureDifference.h"
#include "tests/References/ReferenceDocument.h"

namespace {

std::shared_ptr<const lottie::LottieAnimation> animation(double width, double height, double start, double end) {
    const std::string json = R"({"v":"5.7.0","fr":30,"ip":)" + std::to_string(start) + R"(,"op":)" +
                             std::to_string(end) + R"(,"w":)" + std::to_string(width) + R"(,"h":)" +
                             std::to_string(height) + R"(,"layers":[]})";
    return lottie::LottieAnimation::fromData(json, lottie::DecodingStrategy::dictionaryBased);
}

TEST(ReferenceDocument, KeepsTheFirstTheMiddleAndTheLastFrameThatShows) {
    struct Case {
        double start;
        double end;
        std::vector<double> frames;
    };
    for (const Case& item : {Case{0, 60, {0, 29, 59}}, Case{0, 59.5, {0, 29, 59}}, Case{5, 8, {5, 6, 7}},
                             Case{10, 12, {10, 11}}, Case{0, 1, {0}}, Case{10, 10.5, {10}}, Case{2.5, 10, {2.5, 5.5, 9}}}) {
        EXPECT_EQ(referencetest::referenceFrames(*animation(100, 100, item.start, item.end)), item.frames)
            << item.start << " to " << item.end;
    }
    EXPECT_EQ(referencetest::pictureFileName(59), "frame-59.png");
    EXPECT_EQ(referencetest::pictureFileName(2.5), "frame-2.5.png");
}

TEST(ReferenceDocument, KeepsTheAspectRatioWithTheLongSideGiven) {
    struct Case {
        double width;
        double height;
        int pictureWidth;
        int pictureHeight;
    };
    for (const Case& item : {Case{512, 512, 96, 96}, Case{100, 50, 96, 48}, Case{50, 100, 48, 96},
                             Case{1920, 1080, 96, 54}, Case{1000, 1, 96, 1}}) {
        const auto size = referencetest::pictureSize(*animation(item.width, item.height, 0, 1), 96);
        EXPECT_EQ(size.width, item.pictureWidth) << item.width << " x " << item.height;
        EXPECT_EQ(size.height, item.pictureHeight) << item.width << " x " << item.height;
    }
}

// Two pixels: the first as given, the second opaque grey in both pictures.
std::shared_ptr<const platform::graphics::Image> picture(std::vector<std::uint8_t> first) {
    first.insert(first.end(), {128, 128, 128, 255});
    return platform::graphics::Image::fromStraightRGBA(2, 1, first);
}

TEST(PictureDifference, MeasuresThePicturesOverWhiteAndOverBlack) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> first;
        std::vector<std::uint8_t> second;
        double rmseOverWhite;
        double rmseOverBlack;
        int largest;
    };
    // One of six channels differs by all of its range: RMSE sqrt(1/6).
    const double wholeChannel = std::sqrt(1.0 / 6);
    for (const Case& item : {
             Case{"the same", {10, 200, 30, 255}, {10, 200, 30, 255}, 0, 0, 0},
             Case{"one channel by 3", {10, 200, 30, 255}, {10, 203, 30, 255}, 3 / 255.0 * std::sqrt(1.0 / 6),
                  3 / 255.0 * std::sqrt(1.0 / 6), 3},
             Case{"red against clear", {255, 0, 0, 255}, {0, 0, 0, 0}, std::sqrt(2.0 / 6), wholeChannel, 255},
             // Clear shows as white over white, opaque white does everywhere.
             Case{"white against clear", {255, 255, 255, 255}, {0, 0, 0, 0}, 0, std::sqrt(3.0 / 6), 255},
             Case{"black against clear", {0, 0, 0, 255}, {0, 0, 0, 0}, std::sqrt(3.0 / 6), 0, 255},
             // The colour of a clear pixel is not seen.
             Case{"clear against clear", {255, 0, 0, 0}, {0, 0, 255, 0}, 0, 0, 0},
         }) {
        const auto difference = referencetest::measureDifference(*picture(item.first), *picture(item.second));
        EXPECT_TRUE(difference.sameSize) << item.what;
        EXPECT_NEAR(difference.rmseOverWhite, item.rmseOverWhite, 1e-9) << item.what;
        EXPECT_NEAR(difference.rmseOverBlack, item.rmseOverBlack, 1e-9) << item.what;
        EXPECT_EQ(difference.largestChannelDifference, item.largest) << item.what;
    }
    auto tall = platform::graphics::Image::fromStraightRGBA(1, 2, std::vector<std::uint8_t>(8, 255));
    EXPECT_FALSE(referencetest::measureDifference(*picture({0, 0, 0, 255}), *tall).sameSize);
}

// The new picture, the reference and their difference (eight times brighter),
// four pixels apart.
TEST(PictureDifference, ShowsThePicturesSideBySide) {
    auto reference = picture({10, 200, 30, 255});
    auto changed = picture({10, 203, 30, 255});
    auto image = referencetest::sideBySide(*changed, reference.get());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), 3 * 2 + 2 * 4);
    EXPECT_EQ(image->height(), 1);
    EXPECT_EQ(image->pixel(0, 0), changed->pixel(0, 0));
    EXPECT_EQ(image->pixel(6, 0), reference->pixel(0, 0));
    EXPECT_EQ(image->pixel(12, 0), 0xff181818u);
    EXPECT_EQ(image->pixel(13, 0), 0xff000000u);
    // Without a reference only the new picture shows.
    auto alone = referencetest::sideBySide(*changed, nullptr);
    EXPECT_EQ(alone->pixel(1, 0), changed->pixel(1, 0));
    EXPECT_EQ(alone->pixel(6, 0), 0u);
    EXPECT_EQ(alone->pixel(12, 0), 0u);
}

}  // namespace
