#include "Pellor/Player/FrameReadout.h"

#include <cstdint>

#include "Pellor/Player/WholeNumber.h"

namespace pellor {

namespace {

const QString kUnknown = QStringLiteral("\u2013");

}  // namespace

std::optional<std::int64_t> shownFrameNumber(double frame, std::optional<double> endFrame) {
    const std::optional<std::int64_t> rounded = roundedWholeNumber(frame);
    const double end = endFrame.value_or(0);
    const std::optional<std::int64_t> last = truncatedWholeNumber(end);
    // Between the last whole frame and a fractional end frame, rounding would
    // name a frame the animation does not reach.
    if (rounded && last && frame <= end && *rounded > *last) return last;
    return rounded;
}

QString frameReadoutText(double frame, std::optional<double> endFrame, const QLocale& locale) {
    const std::optional<std::int64_t> end = endFrame ? truncatedWholeNumber(*endFrame) : std::optional<std::int64_t>(0);
    if (!end) return QStringLiteral("#%1/%1").arg(kUnknown);
    QLocale digits = locale;
    digits.setNumberOptions(QLocale::OmitGroupSeparator);
    // Characters of the end number as C's "%lld" writes it: the sign counts.
    const int width = static_cast<int>(QString::number(*end).size());
    QString current = kUnknown;
    if (const auto rounded = shownFrameNumber(frame, endFrame)) {
        const std::uint64_t magnitude = *rounded < 0 ? 0 - static_cast<std::uint64_t>(*rounded) : static_cast<std::uint64_t>(*rounded);
        current = digits.toString(static_cast<qulonglong>(magnitude));
        if (current.size() < width) current.prepend(QString(width - current.size(), digits.zeroDigit().at(0)));
        if (*rounded < 0) current.prepend(digits.negativeSign());
    }
    return QStringLiteral("#") + current + QStringLiteral("/") + digits.toString(static_cast<qlonglong>(*end));
}

}  // namespace pellor
