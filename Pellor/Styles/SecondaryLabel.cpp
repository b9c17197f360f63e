#include "Pellor/Styles/SecondaryLabel.h"

#include <QEvent>

namespace pellor {

namespace {

// The share of the text colour a secondary text keeps over its background.
constexpr double kSecondaryOpacity = 0.55;

}  // namespace

SecondaryLabel::SecondaryLabel(const QString& text, QWidget* parent) : QLabel(text, parent) { applyColor(); }

QColor SecondaryLabel::foreground() const { return palette().color(QPalette::Text); }

void SecondaryLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) applyColor();
}

void SecondaryLabel::applyColor() {
    // Mixed from the inherited window colours, so a new appearance re-tones it;
    // the label's own palette only overrides Text, which its parent leaves alone.
    const QPalette inherited = parentWidget() ? parentWidget()->palette() : palette();
    const QColor text = inherited.color(QPalette::WindowText);
    const QColor back = inherited.color(QPalette::Window);
    const auto mix = [](int a, int b) { return static_cast<int>(a * kSecondaryOpacity + b * (1 - kSecondaryOpacity)); };
    const QColor color(mix(text.red(), back.red()), mix(text.green(), back.green()), mix(text.blue(), back.blue()));
    QPalette palette = this->palette();
    if (palette.color(QPalette::WindowText) == color) return;
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    setPalette(palette);
}

}  // namespace pellor
