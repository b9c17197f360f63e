#pragma once
// Texts of the user's own (file names and paths) put where Qt would read
// markup or commands in them: a tooltip renders what looks like HTML, a window
// title takes "[*]" for its modified mark, and a menu item takes "&" for its
// mnemonic. Each function returns the text that shows the original as
// written. Stateless.

#include <QString>

namespace pellor {

QString plainToolTip(const QString& text);
QString plainWindowTitle(const QString& text);
QString plainMenuText(const QString& text);

}  // namespace pellor
