// The texts the player shows: the frame read-out, the speeds, the loop modes
// and the inspector's values, in more than one locale and at their edges.
#include <QLabel>
#include <cmath>
#include <limits>

#include "Lottie/Playback/DecodingStrategy.h"
#include "Pellor/App/DesktopServices.h"
#include "Pellor/Inspector/AnimationInspectorForm.h"
#include "Pellor/Inspector/InspectorFormats.h"
#include "Pellor/Player/AnimationPlaybackSpeed.h"
#include "Pellor/Player/FrameReadout.h"
#include "Pellor/Player/LoopModePresentation.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using lottie::LottieLoopMode;
using pellor::AnimationPlaybackSpeed;
using pellor::InspectorFormats;
using pellortest::PellorTest;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

TEST_F(PellorTest, TheReadOutPadsTheFrameToTheEndFramesDigitsWithoutGrouping) {
    struct Case {
        double frame;
        std::optional<double> end;
        QLocale locale;
        const char* text;
    };
    const Case cases[] = {
        {7, 120, kEnglish, "#007/120"},
        {5, 60, kEnglish, "#05/60"},
        {3, 9, kEnglish, "#3/9"},
        {0, std::nullopt, kEnglish, "#0/0"},
        {120, 120.9, kEnglish, "#120/120"},
        {120.6, 120.9, kEnglish, "#120/120"},   // within the animation, never past its last frame
        {121.9987, 121.9987, kEnglish, "#121/121"},
        {121.5, 121.9987, kEnglish, "#121/121"},
        {121.49, 121.9987, kEnglish, "#121/121"},
        {9.7, 9.5, kEnglish, "#10/9"},          // past the end frame: its own number
        {6.5, 120, kEnglish, "#006/120"},    // ties to even
        {7.5, 120, kEnglish, "#008/120"},
        {7.49, 120, kEnglish, "#007/120"},
        {999.5, 1200, kEnglish, "#1000/1200"},
        {998, 1200, kEnglish, "#0998/1200"},
        {1500, 2000, kGerman, "#1500/2000"},  // no group separator in either half
        {1234567, 2000000, kEnglish, "#1234567/2000000"},
        {-3, -10, kEnglish, "#-003/-10"},     // the end's minus sign counts as a digit
        {12345, 99, kEnglish, "#12345/99"},    // a frame past the end is not cut
        {kNaN, 120, kEnglish, "#\u2013/120"},
        {kInfinity, 120, kEnglish, "#\u2013/120"},
        {1e300, 120, kEnglish, "#\u2013/120"},
        {5, kNaN, kEnglish, "#\u2013/\u2013"},
        {5, -kInfinity, kEnglish, "#\u2013/\u2013"},
        {5, 1e19, kEnglish, "#\u2013/\u2013"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pellor::frameReadoutText(c.frame, c.end, c.locale), QString::fromUtf8(c.text))
            << c.frame << " of " << c.end.value_or(-1);
    }
}

TEST_F(PellorTest, TheSevenSpeedsHaveTheirRawValuesMultipliersAndLocalLabels) {
    struct Case {
        const char* raw;
        double multiplier;
        const char* english;
        const char* german;
    };
    const Case cases[] = {
        {"speed025", 0.25, "0.25\u00D7", "0,25\u00D7"}, {"speed050", 0.5, "0.5\u00D7", "0,5\u00D7"},
        {"speed075", 0.75, "0.75\u00D7", "0,75\u00D7"}, {"speed100", 1.0, "1.0\u00D7", "1,0\u00D7"},
        {"speed125", 1.25, "1.25\u00D7", "1,25\u00D7"}, {"speed150", 1.5, "1.5\u00D7", "1,5\u00D7"},
        {"speed200", 2.0, "2.0\u00D7", "2,0\u00D7"},
    };
    const auto& all = AnimationPlaybackSpeed::allCases();
    ASSERT_EQ(all.size(), std::size(cases));
    for (std::size_t index = 0; index < all.size(); ++index) {
        const Case& c = cases[index];
        EXPECT_EQ(all[index].rawValue(), QLatin1String(c.raw));
        EXPECT_DOUBLE_EQ(all[index].multiplier(), c.multiplier);
        EXPECT_EQ(all[index].label(kEnglish), QString::fromUtf8(c.english));
        EXPECT_EQ(all[index].label(kGerman), QString::fromUtf8(c.german));
        EXPECT_EQ(AnimationPlaybackSpeed::fromRawValue(QLatin1String(c.raw)), all[index]);
    }
    for (const char* other : {"", "speed", "speed10", "Speed100", "speed100 ", "1.0"}) {
        EXPECT_FALSE(AnimationPlaybackSpeed::fromRawValue(QLatin1String(other)).has_value()) << other;
    }
    EXPECT_EQ(AnimationPlaybackSpeed().rawValue(), QStringLiteral("speed100"));
}

TEST_F(PellorTest, LoopModesHaveTheirLabelsSymbolsAndNextModes) {
    struct Case {
        LottieLoopMode mode;
        const char* label;
        const char* symbol;
        LottieLoopMode next;
    };
    const Case cases[] = {
        {LottieLoopMode::playOnce(), "Play Once", "repeat.1", LottieLoopMode::loop()},
        {LottieLoopMode::loop(), "Loop", "repeat", LottieLoopMode::autoReverse()},
        {LottieLoopMode::autoReverse(), "Auto Reverse", "arrow.left.and.right", LottieLoopMode::playOnce()},
        {LottieLoopMode::repeat(3), "Repeat 3.000000 times", "", LottieLoopMode::loop()},
        {LottieLoopMode::repeat(1), "Repeat 1.000000 time", "", LottieLoopMode::loop()},
        {LottieLoopMode::repeatBackwards(2.5f), "Repeat Backwards 2.500000 times", "", LottieLoopMode::loop()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pellor::loopModeLabel(c.mode), QLatin1String(c.label));
        EXPECT_EQ(pellor::loopModeSymbol(c.mode), QLatin1String(c.symbol)) << c.label;
        EXPECT_EQ(pellor::nextLoopMode(c.mode), c.next) << c.label;
    }
}

TEST_F(PellorTest, InspectorValuesFollowTheLocaleAndNeverShowNanOrInf) {
    struct SizeCase {
        double width, height;
        const char* text;
    };
    const QString dash = InspectorFormats::unavailable();
    for (const SizeCase& c : {SizeCase{512.9, 300, "512x300"}, SizeCase{0, 0, "0x0"}, SizeCase{-4.7, 10, "-4x10"},
                              SizeCase{kNaN, 10, ""}, SizeCase{10, kInfinity, ""}, SizeCase{1e19, 10, ""}}) {
        EXPECT_EQ(InspectorFormats::size(c.width, c.height), *c.text ? QLatin1String(c.text) : dash) << c.width;
    }
    struct DurationCase {
        double start, end, rate;
        QLocale locale;
        const char* text;
    };
    const DurationCase durations[] = {
        {0, 90, 30, kEnglish, "3"},      {0, 100, 30, kEnglish, "3.33"}, {0, 100, 30, kGerman, "3,33"},
        {0, 45, 30, kEnglish, "1.5"},    {10, 10, 30, kEnglish, "0"},    {0, 90000, 30, kEnglish, "3,000"},
        {0, 90, 0, kEnglish, ""},        {0, 0, 0, kEnglish, ""},        {0, kInfinity, 30, kEnglish, ""},
        {0, -1, 3000, kEnglish, "0"},
    };
    for (const DurationCase& c : durations) {
        EXPECT_EQ(InspectorFormats::duration(c.start, c.end, c.rate, c.locale), *c.text ? QLatin1String(c.text) : dash)
            << c.start << ".." << c.end << " at " << c.rate;
    }
    struct NumberCase {
        double value;
        QLocale locale;
        const char* text;
    };
    for (const NumberCase& c : {NumberCase{30, kEnglish, "30"}, NumberCase{29.97, kEnglish, "29.97"},
                                NumberCase{29.97, kGerman, "29,97"}, NumberCase{0.5, kEnglish, "0.5"},
                                NumberCase{kNaN, kEnglish, ""}, NumberCase{-kInfinity, kEnglish, ""}}) {
        EXPECT_EQ(InspectorFormats::number(c.value, c.locale), *c.text ? QLatin1String(c.text) : dash) << c.value;
    }
    struct FileSizeCase {
        std::int64_t bytes;
        const char* text;
    };
    for (const FileSizeCase& c : {FileSizeCase{0, "Zero bytes"}, FileSizeCase{1, "1 byte"}, FileSizeCase{999, "999 bytes"},
                                  FileSizeCase{2500, "2.5 kB"}, FileSizeCase{3'400'000, "3.4 MB"}}) {
        EXPECT_EQ(InspectorFormats::fileSize(c.bytes, kEnglish), QLatin1String(c.text)) << c.bytes;
    }
}

TEST_F(PellorTest, TheInspectorLeavesOutWhatItCannotKnow) {
    const auto animation = lottie::LottieAnimation::fromData(pellortest::animationDocument(), lottie::DecodingStrategy::dictionaryBased);
    const pellor::AnimationInspectorForm::RevealFile desktop;
    const pellor::AnimationInspectorForm withoutFile(animation, QString(), desktop);
    EXPECT_EQ(withoutFile.rows().size(), 6) << "no File Info section";
    EXPECT_EQ(withoutFile.revealButton(), nullptr);

    const QString gone = missing("gone.json");
    const pellor::AnimationInspectorForm goneFile(animation, gone, desktop);
    ASSERT_EQ(goneFile.rows().size(), 8) << "no File size row";
    EXPECT_EQ(goneFile.rows().back(), (QPair<QString, QString>{"Path", gone}));

    const QString empty = write("empty.json", "");
    const pellor::AnimationInspectorForm emptyFile(animation, empty, desktop);
    EXPECT_EQ(emptyFile.rows().back(), (QPair<QString, QString>{"File size", "Zero bytes"}));
}

}  // namespace
