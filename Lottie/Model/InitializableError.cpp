#include "Lottie/Model/InitializableError.h"

namespace lottie {

InitializableError::InitializableError(std::string file, unsigned line) : file_(std::move(file)), line_(line) {
    updateMessage();
}

void InitializableError::setLocationDescription(std::string location) {
    location_ = std::move(location);
    where_ = nullptr;
    updateMessage();
}

void InitializableError::updateMessage() {
    // The check's own identification comes last once a place and reason lead.
    message_ = "invalidInput(file: \"" + file_ + "\", line: " + std::to_string(line_) + ")";
    if (location_.empty()) return;
    message_ = location_ + ": " + (reason_.empty() ? message_ : reason_ + " (" + message_ + ")");
}

}  // namespace lottie
