#pragma once
// The texts of the inspector's rows, in the user's locale: the size
// ("512x300", whole numbers toward zero), the duration in seconds (up to two
// fraction digits), plain numbers (frame rate, start and end frame) and the
// file size in the desktop's style (units of 1000, as the file managers of
// Linux desktops show them; zero spelled out). Where a value has no sensible
// text (not finite, or a size outside the 64-bit range) the row shows an em
// dash instead of "nan" or "inf". Free functions.

#include <QLocale>
#include <QString>
#include <cstdint>

namespace pellor {

struct InspectorFormats {
    static QString size(double width, double height);
    static QString duration(double startFrame, double endFrame, double framerate, const QLocale& locale = QLocale());
    static QString number(double value, const QLocale& locale = QLocale());
    static QString fileSize(std::int64_t bytes, const QLocale& locale = QLocale());
    // What a row shows for a value without a text.
    static QString unavailable();
};

}  // namespace pellor
