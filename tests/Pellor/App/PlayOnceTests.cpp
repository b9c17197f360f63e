// "Play Once" run to its end: the player rests on the last frame, showing
// what the frame tool draws of it, and its button offers to play again; a
// press plays it from the start once more. On both engines, for a JSON
// document and a package, at several speeds.
#include <QAccessible>
#include <QTest>

#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Views/LottieViewHost.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Player/PlaybackControlRow.h"
#include "Pellor/Styles/StyledButton.h"
#include "tests/Lottie/DotLottie/Package/PackageTestSupport.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"
#include "tests/Pellor/App/PellorTestSupport.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using pellortest::accessibleName;
using lottie::RenderingEngineOption;
using pellor::AnimationPlaybackSpeed;
using pellortest::PellorTest;
using pellortest::SharedEngine;

std::string packageOfTheDocument() {
    const platform::foundation::Data data = packagetest::zipped(
        {ziptest::TestEntry::file("manifest.json", packagetest::manifestJson({"first"}, "2")),
         ziptest::TestEntry::file("a/first.json", pellortest::animationDocument(90))});
    return std::string(reinterpret_cast<const char*>(data.data()), data.size());
}

TEST_F(PellorTest, PlayOnceRunToTheEndRestsOnTheLastFrameWithThePlayButtonOnBothEngines) {
    struct Engine {
        const char* name;
        RenderingEngineOption option;
    };
    const Engine engines[] = {{"main thread", RenderingEngineOption::mainThread()},
                              {"core animation", RenderingEngineOption::coreAnimation()}};
    struct Document {
        const char* name;
        std::string bytes;
    };
    const Document documents[] = {{"clip.json", pellortest::animationDocument(90)},
                                  {"clip.lottie", packageOfTheDocument()}};
    const char* const speeds[] = {"speed050", "speed100", "speed200"};
    for (const Engine& engine : engines) {
        const SharedEngine shared(engine.option);
        for (const Document& document : documents) {
            for (const char* speed : speeds) {
                SCOPED_TRACE(testing::Message() << engine.name << ", " << document.name << ", " << speed);
                pellor::DocumentWindow* window = openPlayer(write(document.name, document.bytes));
                ASSERT_NE(window, nullptr);
                pellor::LottiePlayerView& player = *window->player();
                ASSERT_NE(player.animation(), nullptr);
                player.setPlaybackSpeed(*AnimationPlaybackSpeed::fromRawValue(QString::fromLatin1(speed)));
                player.setLoopMode(lottie::LottieLoopMode::playOnce());
                for (int tick = 0; tick < 1000 && player.animationPlaying(); ++tick) frame(*window, 1.0 / 60);
                for (int tick = 0; tick < 5; ++tick) frame(*window, 1.0 / 60);

                pellor::PlaybackControlRow& row = *player.controls();
                EXPECT_FALSE(player.animationPlaying()) << "it stopped at the end";
                EXPECT_EQ(row.playPauseSymbol(), QStringLiteral("play.fill"));
                EXPECT_EQ(accessibleName(row.playPauseButton()), QStringLiteral("Play"));
                EXPECT_DOUBLE_EQ(player.animationFrame(), 90);
                EXPECT_EQ(row.readout()->text(), QStringLiteral("#90/90"));

                lottie::LottieAnimationView& view = *player.host()->animationView();
                lottieframes::FrameRenderer tool(player.animation(), view.width(), view.height(),
                                                 viewstest::backgroundOf(view), engine.option);
                const auto expected = tool.render(90);
                const auto shown = viewstest::imageOf(view.grab().toImage());
                EXPECT_LT(viewstest::rmse(*shown, *expected), 0.002) << "the last frame, not an empty view";

                // Play again: from the start, once more.
                row.playPauseButton()->click();
                frame(*window, 1.0 / 60);
                EXPECT_TRUE(player.animationPlaying());
                EXPECT_LT(player.animationFrame(), 10);
                window->close();
                settle();
            }
        }
    }
}

TEST_F(PellorTest, PlayOnceEndingBetweenWholeFramesReadsTheLastFrameTheSliderOffers) {
    // Ends at 121.9987, as documents exported at another frame rate do: the
    // read-out and the slider name frame 121 as the last, at rest and from its keys.
    std::string document = pellortest::animationDocument(122);
    const std::string whole = "\"op\":122";
    for (std::size_t at = document.find(whole); at != std::string::npos; at = document.find(whole)) {
        document.replace(at, whole.size(), "\"op\":121.9987");
    }
    const RenderingEngineOption engines[] = {RenderingEngineOption::mainThread(), RenderingEngineOption::coreAnimation()};
    for (const RenderingEngineOption& engine : engines) {
        SCOPED_TRACE(engine.description());
        const SharedEngine shared(engine);
        pellor::DocumentWindow* window = openPlayer(write("fractional.json", document));
        ASSERT_NE(window, nullptr);
        pellor::LottiePlayerView& player = *window->player();
        ASSERT_NE(player.animation(), nullptr);
        ASSERT_DOUBLE_EQ(player.animation()->endFrame, 121.9987);
        player.setLoopMode(lottie::LottieLoopMode::playOnce());
        for (int tick = 0; tick < 1000 && player.animationPlaying(); ++tick) frame(*window, 1.0 / 30);
        ASSERT_FALSE(player.animationPlaying());

        pellor::PlaybackControlRow& row = *player.controls();
        EXPECT_DOUBLE_EQ(player.animationFrame(), 121.9987);
        EXPECT_EQ(row.readout()->text(), QStringLiteral("#121/121"));
        EXPECT_EQ(row.slider()->frames().current, 121);
        EXPECT_EQ(row.slider()->frames().last, 121);
        // One frame back from the frame named is 120, not 121 again.
        QTest::keyClick(row.slider(), Qt::Key_Left);
        EXPECT_EQ(row.readout()->text(), QStringLiteral("#120/121"));
        QTest::keyClick(row.slider(), Qt::Key_End);
        EXPECT_EQ(row.readout()->text(), QStringLiteral("#121/121"));
        EXPECT_EQ(row.slider()->frames().current, row.slider()->frames().last);
        window->close();
        settle();
    }
}

}  // namespace
