#pragma once
// The product name "Pellor" in large type, drawn in the darkest accent in the
// light appearance and the lightest in the dark one. Used by the welcome and
// about windows. Owned by its Qt parent.

#include <QLabel>

namespace pellor {

class ProductNameLabel : public QLabel {
    Q_OBJECT

public:
    explicit ProductNameLabel(QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyColor();
};

}  // namespace pellor
