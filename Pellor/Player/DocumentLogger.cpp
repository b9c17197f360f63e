#include "Pellor/Player/DocumentLogger.h"

#include <string>

namespace pellor {

std::shared_ptr<lottie::LottieLogger> DocumentLogger::forDocument(const QString& fileName) {
    using lottie::LottieLogger;
    const std::string prefix = fileName.toStdString() + ": ";
    const auto named = [prefix](const LottieLogger::Message& message) -> LottieLogger::Message {
        return [prefix, message] { return prefix + message(); };
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
