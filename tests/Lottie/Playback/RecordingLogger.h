#pragma once
// Installs a shared logger that records warnings (and the files that sent them)
// for as long as it lives, and puts the previous one back afterwards.

#include <string>
#include <vector>

#include "Lottie/Playback/LottieLogger.h"

class RecordingLogger {
public:
    RecordingLogger() : previous_(lottie::LottieLogger::shared()) {
        lottie::LottieLogger::setShared(std::make_shared<lottie::LottieLogger>(
            [](const auto&, const auto&, std::string_view, unsigned) {}, [](const auto&, std::string_view, unsigned) {},
            [this](const lottie::LottieLogger::Message& message, std::string_view file, unsigned) {
                warnings.push_back(message());
                files.emplace_back(file);
            },
            [](const auto&) {}));
    }
    ~RecordingLogger() { lottie::LottieLogger::setShared(previous_); }
    RecordingLogger(const RecordingLogger&) = delete;
    RecordingLogger& operator=(const RecordingLogger&) = delete;

    std::vector<std::string> warnings;
    std::vector<std::string> files;  // where each warning came from

private:
    std::shared_ptr<lottie::LottieLogger> previous_;
};
