#pragma once
// A push button drawn by one of the application's button styles: it tracks
// the pointer (hover) and the press itself (by the pointer, Space or Enter)
// and paints the background, label or
// icon, secondary text, border and shadow its style gives for that state, in
// the appearance (light or dark) of its palette. It paints itself rather
// than through the desktop's QStyle, so that the viewer's buttons look the
// same on every desktop. Owned by its Qt parent; main thread only.

#include <QAbstractButton>
#include <QIcon>
#include <memory>

#include "Pellor/Styles/ButtonStyle.h"

namespace pellor {

class StyledButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit StyledButton(std::shared_ptr<const ButtonStyle> style, const QString& text = {},
                          QWidget* parent = nullptr);

    const ButtonStyle& buttonStyle() const { return *style_; }
    // A text at the trailing edge, in the style's secondary colour.
    void setSecondaryText(const QString& text);
    const QString& secondaryText() const { return secondaryText_; }
    // Whether the icon is drawn in the label colour (the application's symbols,
    // the default) or in its own colours (file icons of the desktop's theme).
    void setIconTinted(bool tinted);
    bool isIconTinted() const { return iconTinted_; }
    // Draws the label in the destructive colour where the style has one.
    void setDestructiveRole(bool destructive);
    bool isHovering() const { return hovering_; }
    // The state the next paint will colour.
    ButtonState state() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setHovering(bool hovering);
    // Sets one of the flags the paint reads, repainting only when it changed.
    void repaintOnChange(bool& flag, bool value);
    QFont labelFont() const;
    // The secondary text with the gap before it; 0 without one.
    double secondaryTextWidth() const;
    void drawLabel(QPainter& painter, const QRectF& area, const ButtonAppearance& look) const;

    std::shared_ptr<const ButtonStyle> style_;
    QString secondaryText_;
    bool hovering_ = false;
    bool destructiveRole_ = false;
    bool iconTinted_ = true;
};

}  // namespace pellor
