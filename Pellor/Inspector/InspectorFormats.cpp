#include "Pellor/Inspector/InspectorFormats.h"

#include <QCoreApplication>
#include <cmath>

#include "Pellor/Player/WholeNumber.h"

namespace pellor {

QString InspectorFormats::unavailable() { return QStringLiteral("\u2014"); }

QString InspectorFormats::size(double width, double height) {
    const auto w = truncatedWholeNumber(width);
    const auto h = truncatedWholeNumber(height);
    if (!w || !h) return unavailable();
    return QStringLiteral("%1x%2").arg(*w).arg(*h);
}

QString InspectorFormats::duration(double startFrame, double endFrame, double framerate, const QLocale& locale) {
    const double seconds = (endFrame - startFrame) / framerate;
    if (!std::isfinite(seconds)) return unavailable();
    // Up to two fraction digits, none written when they are zero: 3, 3.3, 3.33.
    QString text = locale.toString(seconds, 'f', 2);
    const QString point = locale.decimalPoint();
    const QString zero = locale.zeroDigit();
    if (text.contains(point)) {
        while (text.endsWith(zero)) text.chop(zero.size());
        if (text.endsWith(point)) text.chop(point.size());
    }
    if (text == locale.negativeSign() + zero) text = zero;
    return text;
}

QString InspectorFormats::number(double value, const QLocale& locale) {
    if (!std::isfinite(value)) return unavailable();
    return locale.toString(value, 'g', QLocale::FloatingPointShortest);
}

QString InspectorFormats::fileSize(std::int64_t bytes, const QLocale& locale) {
    if (bytes == 0) return QCoreApplication::translate("InspectorFormats", "Zero bytes");
    if (bytes == 1) return QCoreApplication::translate("InspectorFormats", "1 byte");
    return locale.formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

}  // namespace pellor
