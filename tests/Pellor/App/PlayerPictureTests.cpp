// A picture of a whole player window, kept as a reference: a change of layout
// (controls moved, resized or gone, the animation not fitted) fails here.
// `PELLOR_UPDATE_REFERENCES=1` rewrites the reference for an intended change.
#include <QImage>
#include <algorithm>
#include <cmath>

#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellortest::PellorTest;

// The largest mean difference, per channel in 0...1, of the 32x32 tiles the
// two equally sized images divide into. Tiles keep a change local: a control
// that moves or goes changes its tiles a lot, while the anti-aliasing of
// another machine's fonts changes every text tile a little.
double largestTileDifference(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    constexpr int kTile = 32;
    double largest = 0;
    for (int top = 0; top < left.height(); top += kTile) {
        for (int leftEdge = 0; leftEdge < left.width(); leftEdge += kTile) {
            double sum = 0;
            int count = 0;
            for (int y = top; y < std::min(top + kTile, left.height()); ++y) {
                for (int x = leftEdge; x < std::min(leftEdge + kTile, left.width()); ++x) {
                    const QRgb p = left.pixel(x, y);
                    const QRgb q = right.pixel(x, y);
                    sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
                    ++count;
                }
            }
            largest = std::max(largest, sum / (3.0 * 255.0 * count));
        }
    }
    return largest;
}

TEST_F(PellorTest, APausedPlayerWindowLooksLikeItsReference) {
    pellor::DocumentWindow& window = *openPlayer(write("clip.json", pellortest::animationDocument(120, 200, 120)));
    window.resize(800, 600);
    pellor::LottiePlayerView& player = *window.player();
    player.setAnimationPlaying(false);
    player.setAnimationFrame(45);
    settle();
    const QImage picture = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(800, 600) * window.devicePixelRatio());

    const std::filesystem::path reference = testsupport::sourceDirectory() / "tests/References/Pellor/player-window.png";
    if (qEnvironmentVariableIsSet("PELLOR_UPDATE_REFERENCES")) {
        std::filesystem::create_directories(reference.parent_path());
        ASSERT_TRUE(picture.save(QString::fromStdString(reference.string())));
        GTEST_SKIP() << "reference rewritten";
    }
    const QImage expected(QString::fromStdString(reference.string()));
    ASSERT_FALSE(expected.isNull()) << "no reference at " << reference << "; make one with PELLOR_UPDATE_REFERENCES=1";
    ASSERT_EQ(expected.size(), picture.size());
    const double difference = largestTileDifference(picture, expected);
    if (difference > 0.06) {
        const QString actual = QString::fromStdString((folder.path() / "player-window.png").string());
        picture.save(actual);
        ADD_FAILURE() << "a tile differs by " << difference << "; this run's picture: " << actual.toStdString();
    }
}

}  // namespace
