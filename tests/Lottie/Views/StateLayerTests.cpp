// An animated control shows one named layer per state: while a press is
// inside, only the highlighted state's layer shows; a name that no layer
// answers to, or a state without a name, shows every layer.
#include <QtTest/QTest>

#include "Lottie/Views/Controls/AnimatedButton.h"
#include "tests/Lottie/Views/ControlsTestSupport.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"

namespace {

using lottie::AnimatedButton;
using lottie::LottieNSControlState;
using viewstest::ViewsTest;

// What the control's picture shows at frame 0: the red square sits at
// (25, 25), the blue background rectangle reaches (80, 25).
struct Shown {
    bool square;
    bool back;
    bool operator==(const Shown&) const = default;
};

Shown shown(AnimatedButton& button) {
    const auto image = button.animationView().renderImage(1);
    const auto colour = [&image](int x, int y) {
        const std::uint8_t* pixel = image->pixels().data() + static_cast<std::size_t>(y) * image->bytesPerRow() + x * 4;
        // Premultiplied ARGB32 in native (little-endian) order: B, G, R, A.
        return std::array<int, 4>{pixel[2], pixel[1], pixel[0], pixel[3]};
    };
    const auto red = colour(25, 25);
    const auto blue = colour(80, 25);
    return {red[0] > 200 && red[2] < 60, blue[2] > 200 && blue[0] < 100};
}

std::ostream& operator<<(std::ostream& out, const Shown& s) {
    return out << "{square " << s.square << ", back " << s.back << "}";
}

TEST_F(ViewsTest, StateLayerShowsOnlyThatLayerWhileItsStateLasts) {
    struct Case {
        const char* name;
        const char* normalLayer;       // none: no entry
        const char* highlightedLayer;  // none: no entry
        Shown atRest, pressed;
    };
    const Case cases[] = {
        {"no names", nullptr, nullptr, {true, true}, {true, true}},
        {"highlighted only", nullptr, "Square", {true, true}, {true, false}},
        {"both", "Back", "Square", {false, true}, {true, false}},
        {"a name no layer has", "Nothing", "Nothing.Else", {true, true}, {true, true}},
    };
    for (const Case& c : cases) {
        AnimatedButton button(viewstest::animation(), viewstest::mainThreadConfiguration());
        button.show();
        settle();
        if (c.normalLayer) button.assignStateLayer(c.normalLayer, LottieNSControlState::normal);
        if (c.highlightedLayer) button.assignStateLayer(c.highlightedLayer, LottieNSControlState::highlighted);
        EXPECT_EQ(shown(button), c.atRest) << c.name;
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(50, 25));
        EXPECT_EQ(shown(button), c.pressed) << c.name << " pressed";
        QTest::mouseMove(&button, QPoint(150, 25));
        EXPECT_EQ(shown(button), c.atRest) << c.name << " dragged out";
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(150, 25));
        EXPECT_EQ(shown(button), c.atRest) << c.name << " released";
    }
}

TEST_F(ViewsTest, StateLayersFollowANewAnimation) {
    AnimatedButton button(nullptr, viewstest::mainThreadConfiguration());
    button.assignStateLayer("Back", LottieNSControlState::normal);
    EXPECT_EQ(button.size(), QSize(0, 0));
    button.setAnimation(viewstest::animation());
    button.resize(button.sizeHint());
    button.show();
    settle();
    EXPECT_EQ(button.sizeHint(), QSize(100, 50));
    EXPECT_EQ(shown(button), (Shown{false, true}));
}

}  // namespace
