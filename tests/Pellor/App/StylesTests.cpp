// The palette, the appear-once helper, the icon view's hover and the colour
// that follows the appearance.
#include <QCoreApplication>
#include <QEnterEvent>
#include <QLabel>

#include "Pellor/Styles/AppIconView.h"
#include "Pellor/Styles/DynamicColorStyle.h"
#include "Pellor/Styles/NamedColors.h"
#include "Pellor/Styles/OnAppearOnceViewModifier.h"
#include "Pellor/Styles/ProductNameLabel.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellor::NamedColors;
using pellortest::PellorTest;

TEST_F(PellorTest, TheAccentRampRunsFromLightTintsToDarkShadesWithoutSixAndSevenHundred) {
    const QStringList ramp{"accent100", "accent200", "accent300", "accent400", "accent500",
                           "accent800", "accent900", "accent1000", "accent1100", "accent1200"};
    EXPECT_EQ(NamedColors::names(), ramp + QStringList{QStringLiteral("Theme/red")});
    int lightness = 256;
    for (const QString& name : ramp) {
        const QColor color = NamedColors::color(name);
        ASSERT_TRUE(color.isValid()) << name.toStdString();
        EXPECT_EQ(color.alpha(), 255) << name.toStdString();
        EXPECT_LT(color.lightness(), lightness) << name.toStdString() << " is darker than the one before";
        lightness = color.lightness();
    }
    for (const char* absent : {"accent600", "accent700", "red"}) EXPECT_FALSE(NamedColors::color(QLatin1String(absent)).isValid());
    const QColor red = NamedColors::color(QStringLiteral("Theme/red"));
    EXPECT_GT(red.red(), 2 * red.green());
    EXPECT_NEAR(NamedColors::color(QStringLiteral("accent400"), 0.5).alphaF(), 0.5, 0.01);
}

TEST_F(PellorTest, DynamicColoursFollowTheAppearanceOfTheirWidget) {
    const pellor::DynamicColorStyle style{Qt::white, Qt::black};
    EXPECT_EQ(style.resolve(pellor::ColorScheme::light), QColor(Qt::white));
    EXPECT_EQ(style.resolve(pellor::ColorScheme::dark), QColor(Qt::black));

    QWidget window;
    auto* name = new pellor::ProductNameLabel(&window);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
    window.setPalette(palette);
    EXPECT_EQ(name->palette().color(QPalette::WindowText), NamedColors::color(QStringLiteral("accent1200")));
    palette.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    window.setPalette(palette);
    EXPECT_EQ(name->palette().color(QPalette::WindowText), NamedColors::color(QStringLiteral("accent100")));
    EXPECT_EQ(name->text(), QStringLiteral("Pellor"));
}

TEST_F(PellorTest, AppearOnceRunsItsActionOnTheFirstShowingOnly) {
    struct Case {
        bool withAction;
        int showings;
    };
    for (const Case& c : {Case{true, 1}, Case{true, 3}, Case{false, 2}}) {
        QWidget widget;
        int runs = 0;
        auto* once = new pellor::OnAppearOnceViewModifier(&widget, c.withAction ? std::function<void()>([&] { ++runs; })
                                                                                 : std::function<void()>());
        EXPECT_FALSE(once->didAppear());
        for (int showing = 0; showing < c.showings; ++showing) {
            widget.show();
            widget.hide();
        }
        EXPECT_TRUE(once->didAppear());
        EXPECT_EQ(runs, c.withAction ? 1 : 0) << c.showings;
    }
    // A new widget starts again.
    QWidget again;
    int runs = 0;
    new pellor::OnAppearOnceViewModifier(&again, [&] { ++runs; });
    again.show();
    EXPECT_EQ(runs, 1);
}

TEST_F(PellorTest, TheIconViewShrinksWhileHoveredAndNamesTheApplication) {
    pellor::AppIconView icon(QSize(64, 64));
    EXPECT_EQ(icon.size(), QSize(64, 64));
    EXPECT_EQ(icon.toolTip(), QStringLiteral("Pellor"));
    EXPECT_DOUBLE_EQ(icon.targetScale(), 1.0);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&icon, &enter);
    EXPECT_TRUE(icon.isHovering());
    EXPECT_DOUBLE_EQ(icon.targetScale(), 0.95);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&icon, &leave);
    EXPECT_FALSE(icon.isHovering());
    EXPECT_DOUBLE_EQ(icon.targetScale(), 1.0);

    // The icon itself is drawn: its centre is not the backdrop.
    QImage image(icon.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    icon.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_GT(qAlpha(image.pixel(32, 32)), 200);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "rounded corners";
}

}  // namespace
