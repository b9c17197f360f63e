#include "Pellor/Updater/MessageBoxLayout.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace pellor {

namespace {

// Room the box takes beside its text: the icon, the spacing and the margins.
constexpr int kBesideText = 120;

// The widest a message box becomes before it wraps whatever it holds: the
// screen's width less a margin on a large screen, the whole width on a small one.
int widestBox(const QRect& area) {
    return area.width() <= 1024 ? area.width() : std::min(area.width() - 480, 1000);
}

}  // namespace

QLabel* informativeLabel(QMessageBox& box) {
    return box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
}

void layOutAtNaturalWidth(QMessageBox& box, int widest) {
    QLabel* detail = informativeLabel(box);
    if (!detail) return;
    const QWidget* host = box.parentWidget() ? box.parentWidget()->window() : nullptr;
    const QScreen* screen = host ? host->screen() : QGuiApplication::primaryScreen();
    int natural = 0;
    for (const QString& line : box.informativeText().split(QLatin1Char('\n'))) {
        natural = std::max(natural, detail->fontMetrics().horizontalAdvance(line) + 1);
    }
    int limit = widest;
    if (screen) limit = std::min(limit, widestBox(screen->availableGeometry()) - kBesideText);
    detail->setMinimumWidth(std::max(0, std::min(natural, limit)));
}

}  // namespace pellor
