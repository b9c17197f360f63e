#pragma once
// Loggers for tests of the library: one that keeps what it is told, and one that
// is installed as the shared logger for as long as it lives. Header-only: the test
// support library does not link the animation library.

#include <memory>
#include <string>
#include <vector>

#include "Lottie/Playback/LottieLogger.h"

namespace testsupport {

// Keeps every message the library sends, by kind, and the files that sent them.
class LogRecorder {
public:
    LogRecorder();
    LogRecorder(const LogRecorder&) = delete;
    LogRecorder& operator=(const LogRecorder&) = delete;
    const std::shared_ptr<lottie::LottieLogger>& logger() const { return logger_; }

    std::vector<std::string> failedAssertions;
    std::vector<std::string> assertionFailures;
    std::vector<std::string> warnings;
    std::vector<std::string> files;

private:
    std::shared_ptr<lottie::LottieLogger> logger_;
};

// A LogRecorder installed as the shared logger for as long as it lives; the
// previous shared logger comes back afterwards.
class RecordingLogger : public LogRecorder {
public:
    RecordingLogger() : previous_(lottie::LottieLogger::shared()) { lottie::LottieLogger::setShared(logger()); }
    ~RecordingLogger() { lottie::LottieLogger::setShared(previous_); }

private:
    std::shared_ptr<lottie::LottieLogger> previous_;
};

inline LogRecorder::LogRecorder()
    : logger_(std::make_shared<lottie::LottieLogger>(
          [this](const lottie::LottieLogger::Condition& condition, const lottie::LottieLogger::Message& message,
                 std::string_view file, unsigned) {
              if (!condition()) {
                  failedAssertions.push_back(message());
                  files.emplace_back(file);
              }
          },
          [this](const lottie::LottieLogger::Message& message, std::string_view file, unsigned) {
              assertionFailures.push_back(message());
              files.emplace_back(file);
          },
          [this](const lottie::LottieLogger::Message& message, std::string_view file, unsigned) {
              warnings.push_back(message());
              files.emplace_back(file);
          },
          [](const lottie::LottieLogger::Message&) {})) {}

}  // namespace testsupport
