#pragma once
// The application's named colours: one accent ramp from light tints
// ("accent100") to dark shades ("accent1200"), without 600 and 700, and a red
// for destructive actions ("Theme/red"). The values live in NamedColors.cpp
// and nowhere else; styles ask for a colour by its name, so a change of look is
// a change of that one table. Process-wide constants; any thread.

#include <QColor>
#include <QString>
#include <QStringList>

namespace pellor {

class NamedColors {
public:
    // The colour of that name; an invalid colour for a name the table lacks.
    static QColor color(const QString& name);
    // The colour at an opacity (0...1) multiplied into its alpha.
    static QColor color(const QString& name, double opacity);
    // Every name of the table, in ramp order, "Theme/red" last.
    static QStringList names();
};

}  // namespace pellor
