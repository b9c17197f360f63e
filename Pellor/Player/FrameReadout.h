#pragma once
// The control row's frame read-out, "#007/120": the current frame rounded to
// a whole number (ties to even) and padded with zeros to as many characters
// as the end frame's number has, a slash, and the end frame truncated toward
// zero (0 before an animation has loaded). Both halves are written with the
// same locale digits and without group separators, so "#0999/1200" never
// becomes "#0,999/1200" in one half only. An end frame that is not finite or
// lies outside the 64-bit integer range reads "#–/–", and a frame that cannot
// be written as a whole number shows "–" in its place: never "nan" or "inf".

#include <QLocale>
#include <QString>
#include <optional>

namespace pellor {

QString frameReadoutText(double frame, std::optional<double> endFrame, const QLocale& locale = QLocale());

}  // namespace pellor
