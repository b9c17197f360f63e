// Pictures of the three button styles in both appearances at rest, hovered and
// pressed: the background, label and border are the palette's colours.
#include <QEnterEvent>
#include <QImage>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "Pellor/Styles/ActionButtonStyle.h"
#include "Pellor/Styles/DefaultButtonStyle.h"
#include "Pellor/Styles/NamedColors.h"
#include "Pellor/Styles/SecondaryButtonStyle.h"
#include "Pellor/Styles/StyledButton.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellor::ColorScheme;
using pellor::NamedColors;
using pellor::StyledButton;
using pellortest::PellorTest;

enum class Pose { rest, hovered, pressed };

const char* nameOf(Pose pose) { return pose == Pose::rest ? "rest" : pose == Pose::hovered ? "hovered" : "pressed"; }

// The button's picture over an opaque backdrop of the appearance's window
// colour, after putting it into the pose with the events a user would cause.
QImage picture(StyledButton& button, ColorScheme scheme, Pose pose) {
    QPalette palette;
    const QColor window = scheme == ColorScheme::dark ? QColor(0x1E, 0x1E, 0x1E) : QColor(0xF5, 0xF5, 0xF5);
    palette.setColor(QPalette::Window, window);
    button.setPalette(palette);
    button.resize(button.sizeHint().expandedTo(QSize(std::max(140, button.minimumWidth()), 0)));
    if (pose != Pose::rest) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&button, &enter);
    }
    if (pose == Pose::pressed) QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QImage image(button.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(window);
    button.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    if (pose == Pose::pressed) QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    return image;
}

QColor over(const QColor& top, const QColor& bottom) {
    const double a = top.alphaF();
    return QColor::fromRgbF(static_cast<float>(top.redF() * a + bottom.redF() * (1 - a)),
                            static_cast<float>(top.greenF() * a + bottom.greenF() * (1 - a)),
                            static_cast<float>(top.blueF() * a + bottom.blueF() * (1 - a)));
}

int distance(const QColor& a, const QColor& b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

// The pixel nearest to `color` anywhere in the label's band (the middle of the button).
int nearestInLabel(const QImage& image, const QColor& color) {
    int best = 255;
    for (int y = image.height() / 3; y < image.height() * 2 / 3; ++y) {
        for (int x = 0; x < image.width(); ++x) best = std::min(best, distance(image.pixelColor(x, y), color));
    }
    return best;
}

QColor named(const char* name, double opacity = 1) { return NamedColors::color(QLatin1String(name), opacity); }

TEST_F(PellorTest, ButtonStylesPaintThePaletteColoursOfEachPoseInBothAppearances) {
    struct Case {
        const char* style;
        ColorScheme scheme;
        Pose pose;
        QColor background;
        QColor label;
        QColor border;
    };
    const QColor lightWindow(0xF5, 0xF5, 0xF5);
    const QColor darkWindow(0x1E, 0x1E, 0x1E);
    const Case cases[] = {
        {"default", ColorScheme::light, Pose::rest, named("accent100"), named("accent800"), named("accent400", 0.5)},
        {"default", ColorScheme::light, Pose::hovered, named("accent200"), named("accent800"), named("accent400", 0.5)},
        {"default", ColorScheme::light, Pose::pressed, named("accent300"), named("accent800"), named("accent400", 0.5)},
        {"default", ColorScheme::dark, Pose::rest, named("accent900"), named("accent200"), named("accent1100", 0.5)},
        {"default", ColorScheme::dark, Pose::hovered, named("accent1000"), named("accent200"), named("accent1100", 0.5)},
        {"default", ColorScheme::dark, Pose::pressed, named("accent1100"), named("accent200"), named("accent1100", 0.5)},
        {"secondary", ColorScheme::light, Pose::rest, lightWindow, named("accent800"), {}},
        {"secondary", ColorScheme::light, Pose::hovered, over(named("accent200", 0.3), lightWindow), named("accent800"), {}},
        {"secondary", ColorScheme::light, Pose::pressed, named("accent200"), named("accent800"), {}},
        {"secondary", ColorScheme::dark, Pose::rest, darkWindow, named("accent500"), {}},
        {"secondary", ColorScheme::dark, Pose::hovered, over(named("accent200", 0.1), darkWindow), named("accent500"), {}},
        {"secondary", ColorScheme::dark, Pose::pressed, over(named("accent200", 0.2), darkWindow), named("accent500"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.style) + (c.scheme == ColorScheme::dark ? " dark " : " light ") + nameOf(c.pose));
        std::shared_ptr<const pellor::ButtonStyle> style;
        if (std::string(c.style) == "default") {
            style = std::make_shared<pellor::DefaultButtonStyle>(pellor::ButtonSize::medium);
        } else {
            style = std::make_shared<pellor::SecondaryButtonStyle>(pellor::ButtonSize::medium, 45);
        }
        StyledButton button(style, QStringLiteral("Hold"));
        const QImage image = picture(button, c.scheme, c.pose);
        // The background, between the border and the label.
        EXPECT_LE(distance(image.pixelColor(4, image.height() / 2), c.background), 2)
            << image.pixelColor(4, image.height() / 2).name().toStdString() << " vs " << c.background.name().toStdString();
        EXPECT_LE(nearestInLabel(image, c.label), 24) << "label " << c.label.name().toStdString();
        const QColor top = image.pixelColor(image.width() / 2, 0);
        if (c.border.isValid()) {
            EXPECT_LE(distance(top, over(c.border, c.background)), 2) << top.name().toStdString();
        } else {
            EXPECT_LE(distance(top, c.background), 2) << "no border: " << top.name().toStdString();
        }
    }
}

TEST_F(PellorTest, DefaultButtonShadowDropsWhenPressedAndDestructiveLabelsAreRed) {
    StyledButton button(std::make_shared<pellor::DefaultButtonStyle>(pellor::ButtonSize::small), QStringLiteral("Delete"));
    const QImage rest = picture(button, ColorScheme::light, Pose::rest);
    const QColor lightWindow(0xF5, 0xF5, 0xF5);
    const int bottom = rest.height() - 1;
    EXPECT_LE(distance(rest.pixelColor(rest.width() / 2, bottom), over(named("accent400", 0.3), lightWindow)), 2)
        << "a one-pixel shadow under the resting button";
    const QImage pressed = picture(button, ColorScheme::light, Pose::pressed);
    EXPECT_LE(distance(pressed.pixelColor(pressed.width() / 2, bottom), lightWindow), 2) << "no shadow offset while pressed";

    struct Case {
        bool isDestructive, destructiveRole, red;
    };
    for (const Case& c : {Case{false, false, false}, Case{true, false, true}, Case{false, true, true}}) {
        StyledButton destructive(std::make_shared<pellor::DefaultButtonStyle>(pellor::ButtonSize::medium, c.isDestructive),
                                 QStringLiteral("Delete"));
        destructive.setDestructiveRole(c.destructiveRole);
        const QImage image = picture(destructive, ColorScheme::dark, Pose::rest);
        EXPECT_EQ(nearestInLabel(image, named("Theme/red")) <= 24, c.red) << c.isDestructive << c.destructiveRole;
    }
}

TEST_F(PellorTest, ActionRowsFillTheirWidthWithTheLabelLeadingAndTheSecondaryTextTrailing) {
    StyledButton row(std::make_shared<pellor::ActionButtonStyle>(), QStringLiteral("Open..."));
    row.setSecondaryText(QStringLiteral("Ctrl+O"));
    EXPECT_EQ(row.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    row.setMinimumWidth(400);
    const QColor lightWindow(0xF5, 0xF5, 0xF5);
    const QColor darkWindow(0x1E, 0x1E, 0x1E);
    struct Case {
        ColorScheme scheme;
        Pose pose;
        double backgroundOpacity;
        double wholeOpacity;
    };
    const Case cases[] = {
        {ColorScheme::light, Pose::rest, 0.2, 1}, {ColorScheme::light, Pose::hovered, 0.3, 1},
        {ColorScheme::light, Pose::pressed, 0.3, 0.8}, {ColorScheme::dark, Pose::rest, 0.2, 1},
        {ColorScheme::dark, Pose::hovered, 0.3, 1},   {ColorScheme::dark, Pose::pressed, 0.3, 0.8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.scheme == ColorScheme::dark ? "dark " : "light ") + nameOf(c.pose));
        StyledButton fresh(std::make_shared<pellor::ActionButtonStyle>(), QStringLiteral("Open..."));
        fresh.setSecondaryText(QStringLiteral("Ctrl+O"));
        fresh.setMinimumWidth(400);
        const QImage image = picture(fresh, c.scheme, c.pose);
        const QColor window = c.scheme == ColorScheme::dark ? darkWindow : lightWindow;
        QColor gray(0x8E, 0x8E, 0x93);
        gray.setAlphaF(static_cast<float>(c.backgroundOpacity * c.wholeOpacity));
        const QColor background = over(gray, window);
        EXPECT_LE(distance(image.pixelColor(image.width() / 2, 2), background), 2);
        // The label in the appearance's primary text colour, faded with the whole row when pressed.
        QColor label = c.scheme == ColorScheme::dark ? QColor(0xF2, 0xF2, 0xF7) : QColor(0x1C, 0x1C, 0x1E);
        label.setAlphaF(static_cast<float>(c.wholeOpacity));
        EXPECT_LE(nearestInLabel(image, over(label, background)), 24);
    }
    // Ink near both ends of the row, none in the middle.
    const QImage image = picture(row, ColorScheme::light, Pose::rest);
    const auto inkIn = [&](int from, int to) {
        const QColor background = image.pixelColor(image.width() / 2, 2);
        for (int x = from; x < to; ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (distance(image.pixelColor(x, y), background) > 60) return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(inkIn(8, 60)) << "label at the leading edge";
    EXPECT_TRUE(inkIn(image.width() - 60, image.width() - 8)) << "secondary text at the trailing edge";
    EXPECT_FALSE(inkIn(image.width() / 2 - 40, image.width() / 2 + 40));
}

TEST_F(PellorTest, ButtonSizesSetPaddingFontAndAMinimumHeightOf35) {
    struct Case {
        pellor::ButtonSize size;
        std::optional<double> minWidth;
        double fontScale;
        QMarginsF padding;
    };
    const Case cases[] = {
        {pellor::ButtonSize::small, std::nullopt, 0.9, QMarginsF(8, 4, 8, 4)},
        {pellor::ButtonSize::medium, 65, 1.0, QMarginsF(14, 10, 14, 10)},
        {pellor::ButtonSize::large, std::nullopt, 1.25, QMarginsF(18, 12, 18, 12)},
    };
    for (const Case& c : cases) {
        const pellor::SecondaryButtonStyle style(c.size, c.minWidth);
        const pellor::ButtonMetrics metrics = style.metrics();
        EXPECT_DOUBLE_EQ(metrics.fontScale, c.fontScale);
        EXPECT_EQ(metrics.padding, c.padding);
        EXPECT_EQ(metrics.minWidth, c.minWidth);
        StyledButton button(std::make_shared<pellor::SecondaryButtonStyle>(style), QStringLiteral("x"));
        EXPECT_GE(button.sizeHint().height(), 35) << "even the small size";
        if (c.minWidth) {
            EXPECT_GE(button.sizeHint().width(), *c.minWidth);
        } else {
            EXPECT_LE(button.sizeHint().width(), c.padding.left() + c.padding.right() + 16) << "no minimum width";
        }
    }
}

}  // namespace
