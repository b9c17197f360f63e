#include "Pellor/App/QtMessagePrinter.h"

#include <QString>
#include <mutex>
#include <ostream>

#include "Lottie/Playback/ReportPrinter.h"

namespace pellor {

namespace {

// Where the messages go; never destroyed, so that a message during exit finds it.
struct Destination {
    std::mutex lock;
    std::ostream* stream = nullptr;
    std::string prefix;
};

Destination& destination() {
    static Destination* const shared = new Destination();
    return *shared;
}

}  // namespace

QtMessageHandler QtMessagePrinter::install(std::ostream& stream, std::string prefix) {
    Destination& to = destination();
    {
        const std::lock_guard<std::mutex> hold(to.lock);
        to.stream = &stream;
        to.prefix = std::move(prefix);
    }
    return qInstallMessageHandler(&QtMessagePrinter::print);
}

void QtMessagePrinter::print(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    // As Qt's own handler formats it (QT_MESSAGE_PATTERN), each line then under the prefix.
    const std::string text = qFormatLogMessage(type, context, message).toStdString();
    Destination& to = destination();
    const std::lock_guard<std::mutex> hold(to.lock);
    if (!to.stream) return;
    *to.stream << lottie::ReportPrinter::eachLineUnder(to.prefix, text);
    if (!text.ends_with('\n')) *to.stream << '\n';
    to.stream->flush();
}

}  // namespace pellor
