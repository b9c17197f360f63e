#pragma once
// Orders version texts the way people read them. Versions are compared
// component by component (components between "."), a missing component
// counting as "0", so 1.2 equals 1.2.0 and 1.10 is newer than 1.9. Within a
// component, runs of digits compare as numbers and other runs as text; a
// component that goes on with text where the other has ended is a pre-release
// of it (2b1 comes before 2), one that goes on with digits comes after it.

#include <QString>
#include <QStringView>

namespace pellor {

// Negative when a is older than b, 0 when they are the same, positive when newer.
int compareVersions(QStringView a, QStringView b);

// The leading digits and dots of a text ("6.1.0" of "6.1.0-18-amd64"), as
// system versions are compared.
QString numericVersionPrefix(QStringView text);

}  // namespace pellor
