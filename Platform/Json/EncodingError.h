#pragma once
// The encoder's error: a value that JSON cannot represent (a non-finite
// number), with the coding path where it was met.

#include <exception>
#include <string>

#include "Platform/Json/CodingPath.h"

namespace platform::json {

class EncodingError : public std::exception {
public:
    EncodingError(CodingPath path, std::string description)
        : codingPath_(std::move(path)), description_(std::move(description)) {
        message_ = "invalidValue at " + describe(codingPath_) + ": " + description_;
    }

    const CodingPath& codingPath() const { return codingPath_; }
    const std::string& debugDescription() const { return description_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    CodingPath codingPath_;
    std::string description_;
    std::string message_;
};

}  // namespace platform::json
