#pragma once
// Saving a downloaded release into the user's download folder. On Linux the
// viewer is installed by a package manager, so an automatic download only puts
// the package where the user can find it; the updater then says where.
// Runs on a transfer's thread: no widgets, no shared state.

#include <QByteArray>
#include <QString>
#include <optional>

#include "Pellor/Updater/AppcastItem.h"

namespace pellor {

// The file name the package is saved under: the last segment of its address
// without leading dots (no hidden file), or "Pellor-<version>" when nothing
// is left; characters that no file name should hold, and format characters
// such as direction overrides, are replaced by "_".
QString enclosureFileName(const AppcastItem& item);

// Writes `body` to a new file in `folder` (made when missing), never over an
// existing one: "name (1).ext" and so on when the name is taken. None when the
// body's size differs from the length the feed gives, or the file cannot be
// written (nothing is left behind then).
std::optional<QString> saveEnclosure(const QByteArray& body, const AppcastItem& item, const QString& folder);

}  // namespace pellor
