#pragma once
// Prints Qt's own messages (the platform plugin's warnings, the desktop
// services' "Unable to detect a web browser ...") to a stream, such as
// standard error, each line of them under the program's prefix, as the
// library's reports are printed (ReportPrinter): every line the viewer's
// process prints says whose it is.
//
// Installed by the application object at start-up for its lifetime (the
// handler before it comes back when it goes); safe to call from any thread
// that reports.

#include <QtGlobal>
#include <iosfwd>
#include <string>

namespace pellor {

class QtMessagePrinter {
public:
    // Sends Qt's messages to `stream` (which must outlive the handler) under
    // `prefix`; returns the handler it replaced.
    static QtMessageHandler install(std::ostream& stream, std::string prefix);

private:
    static void print(QtMsgType type, const QMessageLogContext& context, const QString& message);
};

}  // namespace pellor
