#include "Pellor/Player/DocumentLogger.h"

#include <string>

#include "Lottie/Playback/ReportPrinter.h"
#include "Pellor/Player/DocumentNames.h"

namespace pellor {

std::shared_ptr<lottie::LottieLogger> DocumentLogger::forDocument(const QString& path) {
    using lottie::LottieLogger;
    DocumentNames::shared().note(path);
    // The name is taken as the line is written: a document of the same file
    // name opened since makes it longer.
    const auto named = [path](const LottieLogger::Message& message) -> LottieLogger::Message {
        return [path, message] {
            const QString name = DocumentNames::shared().nameOf(path);
            if (name.isEmpty()) return message();
            return lottie::ReportPrinter::eachLineUnder(name.toStdString() + ": ", message());
        };
    };
    return std::make_shared<LottieLogger>(
        [named](const LottieLogger::Condition& condition, const LottieLogger::Message& message, std::string_view file,
                unsigned line) { LottieLogger::shared()->assert_(condition, named(message), file, line); },
        [named](const LottieLogger::Message& message, std::string_view file, unsigned line) {
            LottieLogger::shared()->assertionFailure(named(message), file, line);
        },
        [named](const LottieLogger::Message& message, std::string_view file, unsigned line) {
            LottieLogger::shared()->warn(named(message), file, line);
        },
        [named](const LottieLogger::Message& message) { LottieLogger::shared()->info(named(message)); });
}

}  // namespace pellor
