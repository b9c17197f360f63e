#pragma once
// The error of the JSON object parser: what is wrong and where, as a byte
// offset and as a line and column (both counted from 1) in the text.

#include <cstddef>
#include <exception>
#include <string>

namespace platform::json {

class ParseError : public std::exception {
public:
    ParseError(std::string reason, std::size_t offset, std::size_t line, std::size_t column);
    // A text refused for its size rather than its syntax: no place is given.
    static ParseError tooLarge(std::string reason);

    const std::string& reason() const { return reason_; }
    std::size_t offset() const { return offset_; }
    std::size_t line() const { return line_; }
    std::size_t column() const { return column_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string reason_;
    std::size_t offset_;
    std::size_t line_;
    std::size_t column_;
    std::string message_;
};

}  // namespace platform::json
