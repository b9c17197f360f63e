#pragma once
// Thrown when a C stream reports an error while an entry's data is read from the
// archive or written to its destination file.

#include <exception>
#include <string>

namespace lottie {

class DataError : public std::exception {
public:
    enum class Kind { unreadableFile, unwritableFile };

    explicit DataError(Kind kind, std::string detail = {});

    Kind kind() const noexcept { return kind_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    Kind kind_;
    std::string message_;
};

}  // namespace lottie
