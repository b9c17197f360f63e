#pragma once
// The dictionary decoder's error. Its one case, invalid input, names the
// decoder's source file ("Lottie/LayerModel") and the line of the failing
// check; that pair identifies the failing key. No key or value is carried.

#include <exception>
#include <string>
#include <string_view>

namespace lottie {

class InitializableError : public std::exception {
public:
    static InitializableError invalidInput(std::string_view file, unsigned line) {
        return InitializableError(std::string(file), line);
    }

    const std::string& file() const { return file_; }
    unsigned line() const { return line_; }
    const char* what() const noexcept override { return message_.c_str(); }

    bool operator==(const InitializableError& other) const { return file_ == other.file_ && line_ == other.line_; }

private:
    InitializableError(std::string file, unsigned line)
        : file_(std::move(file)), line_(line),
          message_("invalidInput(file: \"" + file_ + "\", line: " + std::to_string(line_) + ")") {}

    std::string file_;
    unsigned line_;
    std::string message_;
};

}  // namespace lottie
