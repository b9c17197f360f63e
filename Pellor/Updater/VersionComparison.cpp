#include "Pellor/Updater/VersionComparison.h"

#include <QList>
#include <algorithm>
#include <QString>
#include <vector>

namespace pellor {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// A component cut into runs of digits and runs of anything else.
std::vector<QStringView> runsOf(QStringView component) {
    std::vector<QStringView> runs;
    qsizetype start = 0;
    for (qsizetype i = 1; i <= component.size(); ++i) {
        if (i == component.size() || isDigit(component[i]) != isDigit(component[i - 1])) {
            runs.push_back(component.mid(start, i - start));
            start = i;
        }
    }
    return runs;
}

// Numbers of any length: without their leading zeros, the longer is larger.
int compareNumbers(QStringView a, QStringView b) {
    while (a.size() > 1 && a.front() == u'0') a = a.mid(1);
    while (b.size() > 1 && b.front() == u'0') b = b.mid(1);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

int sign(int value) { return (value > 0) - (value < 0); }

int compareComponents(QStringView a, QStringView b) {
    const auto runsA = runsOf(a.isEmpty() ? u"0" : a);
    const auto runsB = runsOf(b.isEmpty() ? u"0" : b);
    for (std::size_t i = 0; i < std::max(runsA.size(), runsB.size()); ++i) {
        if (i == runsA.size()) return isDigit(runsB[i].front()) ? -1 : 1;
        if (i == runsB.size()) return isDigit(runsA[i].front()) ? 1 : -1;
        const bool digitsA = isDigit(runsA[i].front());
        const bool digitsB = isDigit(runsB[i].front());
        if (digitsA != digitsB) return digitsA ? 1 : -1;
        const int order = digitsA ? compareNumbers(runsA[i], runsB[i]) : runsA[i].compare(runsB[i], Qt::CaseInsensitive);
        if (order != 0) return sign(order);
    }
    return 0;
}

}  // namespace

int compareVersions(QStringView a, QStringView b) {
    const auto partsA = a.trimmed().split(u'.');
    const auto partsB = b.trimmed().split(u'.');
    for (qsizetype i = 0; i < std::max(partsA.size(), partsB.size()); ++i) {
        const QStringView partA = i < partsA.size() ? partsA[i] : QStringView(u"0");
        const QStringView partB = i < partsB.size() ? partsB[i] : QStringView(u"0");
        if (const int order = compareComponents(partA, partB); order != 0) return order;
    }
    return 0;
}

QString numericVersionPrefix(QStringView text) {
    qsizetype end = 0;
    while (end < text.size() && (isDigit(text[end]) || text[end] == u'.')) ++end;
    return text.first(end).toString();
}

}  // namespace pellor
