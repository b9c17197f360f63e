#pragma once
// The column the welcome and about windows start with: the application's icon
// above its name, centred. The windows add their own rows below.

#include <QSize>

class QVBoxLayout;
class QWidget;

namespace pellor {

// Gives `content` a vertical layout holding the icon at `iconSize` and the
// product name, and returns that layout.
QVBoxLayout* brandingColumn(QWidget& content, QSize iconSize);

}  // namespace pellor
