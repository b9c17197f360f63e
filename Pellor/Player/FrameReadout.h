#pragma once
// The control row's frame read-out, "#007/120": the current frame rounded to
// a whole number (ties to even) and padded with zeros to as many characters
// as the end frame's number has, a slash, and the end frame truncated toward
// zero (0 before an animation has loaded). Both halves are written with the
// same locale digits and without group separators, so "#0999/1200" never
// becomes "#0,999/1200" in one half only. An end frame that is not finite or
// lies outside the 64-bit integer range reads "#–/–", and a frame that cannot
// be written as a whole number shows "–" in its place: never "nan" or "inf".
// A frame within the animation never reads past its end: at 121.9987 of an
// end frame 121.9987 it reads "#121/121", the last frame the slider offers.

#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

namespace pellor {

QString frameReadoutText(double frame, std::optional<double> endFrame, const QLocale& locale = QLocale());

// The whole frame the read-out names for `frame` (none where it shows "–"):
// the frame rounded, ties to even, but no further than the end frame's number
// while the frame is not past the end frame. The slider and its keys count
// from this number, so that all of them agree on the last frame.
std::optional<std::int64_t> shownFrameNumber(double frame, std::optional<double> endFrame);

}  // namespace pellor
