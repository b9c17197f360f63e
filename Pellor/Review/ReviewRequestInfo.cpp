#include "Pellor/Review/ReviewRequestInfo.h"

#include <locale.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace pellor {

namespace {

// Reads the record's text the way a forgiving text scanner does: blanks and line
// breaks are skipped before every step, and prefixes match in any letter case.
class RecordScanner {
public:
    explicit RecordScanner(QStringView text) : text_(text) {}

    // Steps over `prefix` when it comes next; its absence is no error.
    void skipPrefix(QStringView prefix) {
        skipBlanks();
        if (text_.mid(position_).startsWith(prefix, Qt::CaseInsensitive)) position_ += prefix.size();
    }

    // The text up to the next ";" or the end; possibly empty.
    QStringView readField() {
        skipBlanks();
        const qsizetype start = position_;
        while (position_ < text_.size() && text_[position_] != u';') ++position_;
        return text_.mid(start, position_ - start);
    }

    // An optional sign and decimal digits; a value beyond 64 bits reads as the
    // nearest one that fits. None when no digit follows.
    std::optional<std::int64_t> readInteger() {
        skipBlanks();
        bool negative = false;
        if (position_ < text_.size() && (text_[position_] == u'+' || text_[position_] == u'-')) {
            negative = text_[position_] == u'-';
            ++position_;
        }
        const qsizetype start = position_;
        // Accumulated as a negative number, whose range is one larger.
        std::int64_t value = 0;
        constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
        while (position_ < text_.size() && text_[position_] >= u'0' && text_[position_] <= u'9') {
            const int digit = text_[position_].unicode() - u'0';
            value = value < (lowest + digit) / 10 ? lowest : value * 10 - digit;
            ++position_;
        }
        if (position_ == start) return std::nullopt;
        if (negative) return value;
        return value == lowest ? std::numeric_limits<std::int64_t>::max() : -value;
    }

private:
    void skipBlanks() {
        while (position_ < text_.size() && text_[position_].isSpace()) ++position_;
    }

    QStringView text_;
    qsizetype position_ = 0;
};

// The C locale, whatever locale the application runs in: a record written in
// one locale must read in any other.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

std::optional<double> wholeDouble(QStringView field) {
    const std::string text = field.toString().toStdString();
    char* end = nullptr;
    const double value = strtod_l(text.c_str(), &end, cLocale());
    if (end != text.c_str() + text.size()) return std::nullopt;
    return value;
}

QString secondsText(double seconds) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed);
    std::string text(buffer, result.ptr);
    if (std::isfinite(seconds) && text.find('.') == std::string::npos) text += ".0";
    return QString::fromStdString(text);
}

// The characters a version may not hold verbatim: the field separator, the
// escape character, and blanks, which the reader would skip.
bool needsEscape(QChar character) {
    return character == u'%' || character == u';' || character.isSpace() || character.unicode() < 0x20 ||
           character.unicode() == 0x7f;
}

QString escapedVersion(const QString& version) {
    QString escaped;
    for (QChar character : version) {
        if (!needsEscape(character)) {
            escaped += character;
            continue;
        }
        for (char byte : QString(character).toUtf8()) {
            escaped += QStringLiteral("%%1").arg(static_cast<unsigned char>(byte), 2, 16, QChar(u'0')).toUpper();
        }
    }
    return escaped;
}

int hexDigit(QChar character) {
    const char16_t c = character.unicode();
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Undoes escapedVersion(); a "%" not followed by two hexadecimal digits stays as it is.
QString unescapedVersion(QStringView field) {
    QByteArray bytes;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == u'%' && i + 2 < field.size() && hexDigit(field[i + 1]) >= 0 && hexDigit(field[i + 2]) >= 0) {
            bytes += static_cast<char>(hexDigit(field[i + 1]) * 16 + hexDigit(field[i + 2]));
            i += 2;
        } else {
            bytes += QString(field[i]).toUtf8();
        }
    }
    return QString::fromUtf8(bytes);
}

}  // namespace

QString ReviewRequestInfo::rawValue() const {
    return QStringLiteral("ta:") + pellor::rawValue(triggerAction) + QStringLiteral(";date:") +
           secondsText(date.time_since_epoch().count()) + QStringLiteral(";av:") + escapedVersion(appVersion) +
           QStringLiteral(";rrc:") + QString::number(reviewRequestsCount);
}

std::optional<ReviewRequestInfo> ReviewRequestInfo::fromRawValue(const QString& text) {
    RecordScanner scanner(text);
    ReviewRequestInfo info;

    scanner.skipPrefix(u"ta:");
    const auto trigger = reviewTriggerFromRawValue(scanner.readField().toString());
    if (!trigger) return std::nullopt;
    info.triggerAction = *trigger;

    scanner.skipPrefix(u";date:");
    const QStringView dateField = scanner.readField();
    const auto seconds = dateField.isEmpty() ? std::nullopt : wholeDouble(dateField);
    if (!seconds) return std::nullopt;
    info.date = ReviewDate(std::chrono::duration<double>(*seconds));

    // An empty version is a valid one: the record of an application that does
    // not know its version must still read back.
    scanner.skipPrefix(u";av:");
    info.appVersion = unescapedVersion(scanner.readField());

    scanner.skipPrefix(u";rrc:");
    const auto count = scanner.readInteger();
    if (!count) return std::nullopt;
    info.reviewRequestsCount = *count;
    return info;
}

}  // namespace pellor
