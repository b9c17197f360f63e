#pragma once
// A text in the secondary foreground style: the window's text colour, toned
// down so that it reads as subordinate (versions, hints, copyright lines,
// empty-list notes), in either appearance. Owned by its Qt parent.

#include <QLabel>

namespace pellor {

class SecondaryLabel : public QLabel {
    Q_OBJECT

public:
    explicit SecondaryLabel(const QString& text = {}, QWidget* parent = nullptr);

    // The colour the text is drawn in, for the palette it has now.
    QColor foreground() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyColor();
};

}  // namespace pellor
