#pragma once
// The application's icon at a fixed size, shrinking a little (to 0.95) while
// the pointer is over it and springing back when it leaves, with the tooltip
// "Pellor". Used by the welcome and about windows. Owned by its Qt parent;
// main thread only.

#include <QIcon>
#include <QVariantAnimation>
#include <QWidget>

namespace pellor {

class AppIconView : public QWidget {
    Q_OBJECT

public:
    explicit AppIconView(QSize size, QWidget* parent = nullptr);

    bool isHovering() const { return hovering_; }
    // The scale the icon is heading for (0.95 while hovered, else 1).
    double targetScale() const { return hovering_ ? kHoverScale : 1.0; }
    // The scale drawn now, on the way to the target.
    double scale() const { return scale_; }

    QSize sizeHint() const override { return size_; }

    static constexpr double kHoverScale = 0.95;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setHovering(bool hovering);

    QSize size_;
    // Made once: the spring repaints many times a second, and each new icon
    // would read and render its SVG again instead of reusing its pixmaps.
    QIcon icon_;
    bool hovering_ = false;
    double scale_ = 1.0;
    QVariantAnimation spring_;
};

}  // namespace pellor
