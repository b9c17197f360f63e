#include "tests/Pellor/Support/UrlRecorder.h"

#include <QDesktopServices>

namespace pellortest {

UrlRecorder::UrlRecorder(QStringList schemes) : schemes_(std::move(schemes)) {
    for (const QString& scheme : schemes_) QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlRecorder::~UrlRecorder() {
    for (const QString& scheme : schemes_) QDesktopServices::unsetUrlHandler(scheme);
}

void UrlRecorder::open(const QUrl& url) { opened.push_back(url); }

}  // namespace pellortest
