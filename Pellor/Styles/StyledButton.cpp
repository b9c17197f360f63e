#include "Pellor/Styles/StyledButton.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "Pellor/Styles/FocusRing.h"
#include "Pellor/Styles/TintedIcon.h"

namespace pellor {

namespace {

// Between the icon and the title, and before the secondary text.
constexpr double kIconGap = 6;
constexpr double kSecondaryGap = 12;

}  // namespace

StyledButton::StyledButton(std::shared_ptr<const ButtonStyle> style, const QString& text, QWidget* parent)
    : QAbstractButton(parent), style_(std::move(style)) {
    setText(text);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::ArrowCursor);
    const ButtonMetrics metrics = style_->metrics();
    setSizePolicy(metrics.fillsWidth ? QSizePolicy::Expanding : QSizePolicy::Minimum, QSizePolicy::Fixed);
}

void StyledButton::setSecondaryText(const QString& text) {
    if (secondaryText_ == text) return;
    secondaryText_ = text;
    updateGeometry();
    update();
}

void StyledButton::setIconTinted(bool tinted) { repaintOnChange(iconTinted_, tinted); }

void StyledButton::setDestructiveRole(bool destructive) { repaintOnChange(destructiveRole_, destructive); }

void StyledButton::repaintOnChange(bool& flag, bool value) {
    if (flag == value) return;
    flag = value;
    update();
}

ButtonState StyledButton::state() const {
    return ButtonState{hovering_, isDown(), destructiveRole_, colorSchemeOf(*this)};
}

QFont StyledButton::labelFont() const {
    QFont labelFont = font();
    const double scale = style_->metrics().fontScale;
    if (scale != 1) labelFont.setPointSizeF(labelFont.pointSizeF() * scale);
    labelFont.setWeight(QFont::Medium);
    return labelFont;
}

QSize StyledButton::sizeHint() const {
    const ButtonMetrics metrics = style_->metrics();
    const QFontMetricsF fonts(labelFont());
    double contentWidth = 0;
    if (!icon().isNull()) contentWidth = iconSize().width();
    if (!text().isEmpty()) contentWidth += fonts.horizontalAdvance(text()) + (icon().isNull() ? 0 : kIconGap);
    contentWidth += secondaryTextWidth();
    const double contentHeight = std::max<double>(fonts.height(), icon().isNull() ? 0 : iconSize().height());
    double width = contentWidth + metrics.padding.left() + metrics.padding.right();
    double height = contentHeight + metrics.padding.top() + metrics.padding.bottom();
    if (metrics.minWidth) width = std::max(width, *metrics.minWidth);
    if (metrics.minHeight) height = std::max(height, *metrics.minHeight);
    return QSize(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)));
}

double StyledButton::secondaryTextWidth() const {
    return secondaryText_.isEmpty() ? 0 : kSecondaryGap + QFontMetricsF(font()).horizontalAdvance(secondaryText_);
}

QSize StyledButton::minimumSizeHint() const {
    // A row that fills its width keeps to one line and elides its title rather
    // than widen the list it stands in.
    if (style_->metrics().fillsWidth) return QSize(0, sizeHint().height());
    return sizeHint();
}

void StyledButton::keyPressEvent(QKeyEvent* event) {
    // Enter acts on the focused button as Space does (a press and a release).
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (!event->isAutoRepeat()) click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void StyledButton::enterEvent(QEnterEvent* event) {
    setHovering(true);
    QAbstractButton::enterEvent(event);
}

void StyledButton::leaveEvent(QEvent* event) {
    setHovering(false);
    QAbstractButton::leaveEvent(event);
}

void StyledButton::changeEvent(QEvent* event) {
    // A new palette may be a new appearance.
    if (event->type() == QEvent::PaletteChange) update();
    QAbstractButton::changeEvent(event);
}

void StyledButton::setHovering(bool hovering) { repaintOnChange(hovering_, hovering); }

void StyledButton::paintEvent(QPaintEvent*) {
    const ButtonState current = state();
    const ButtonAppearance look = style_->appearance(current);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(look.opacity);
    // The shadow sits one pixel below the shape, so the shape leaves that row free.
    const bool hasShadow = look.shadow.isValid();
    QRectF shape = QRectF(rect()).adjusted(0, 0, 0, hasShadow ? -1 : 0);
    const double radius = style_->metrics().cornerRadius;
    QPainterPath path;
    path.addRoundedRect(shape, radius, radius);
    if (hasShadow) painter.fillPath(path.translated(0, look.shadowOffsetY), look.shadow);
    if (look.background.isValid() && look.background.alpha() > 0) painter.fillPath(path, look.background);
    drawLabel(painter, shape, look);
    if (look.border.isValid()) {
        QPainterPath inner;
        inner.addRoundedRect(shape.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
        painter.setPen(QPen(look.border, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(inner);
    }
    // Keyboard users need to see where they are.
    if (showsFocusRing(*this)) drawFocusRing(painter, shape, radius, current.scheme);
}

void StyledButton::drawLabel(QPainter& painter, const QRectF& area, const ButtonAppearance& look) const {
    const ButtonMetrics metrics = style_->metrics();
    const QRectF content = area.marginsRemoved(metrics.padding);
    painter.setFont(labelFont());
    const QFontMetricsF fonts(painter.font());
    const double iconWidth = icon().isNull() ? 0 : iconSize().width();
    const double gap = (iconWidth > 0 && !text().isEmpty()) ? kIconGap : 0;
    const QString title = fonts.elidedText(text(), Qt::ElideMiddle,
                                           std::max(0.0, content.width() - iconWidth - gap - secondaryTextWidth()));
    const double textWidth = title.isEmpty() ? 0 : fonts.horizontalAdvance(title);
    const double width = iconWidth + gap + textWidth;
    // A row starts at its leading edge; a button centres its content.
    double x = metrics.fillsWidth ? content.left() : content.center().x() - width / 2;
    if (iconWidth > 0) {
        const QSize size = iconSize();
        const QPointF origin(x, content.center().y() - size.height() / 2.0);
        if (iconTinted_) {
            painter.drawPixmap(origin, tintedIcon(icon(), size, devicePixelRatioF(), look.label));
        } else {
            painter.drawPixmap(QRectF(origin, QSizeF(size)), icon().pixmap(size, devicePixelRatioF()),
                               QRectF());
        }
        x += iconWidth + gap;
    }
    if (textWidth > 0) {
        painter.setPen(look.label);
        painter.drawText(QRectF(x, content.top(), textWidth + 1, content.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         title);
    }
    if (!secondaryText_.isEmpty()) {
        painter.setFont(font());
        painter.setPen(look.secondaryLabel.isValid() ? look.secondaryLabel : look.label);
        painter.drawText(content, Qt::AlignRight | Qt::AlignVCenter, secondaryText_);
    }
}

}  // namespace pellor
