#include "Platform/Json/ParseError.h"

namespace platform::json {

ParseError::ParseError(std::string reason, std::size_t offset, std::size_t line, std::size_t column)
    : reason_(std::move(reason)), offset_(offset), line_(line), column_(column) {
    message_ = "The data couldn't be read because it isn't valid JSON: " + reason_ + " at line " +
               std::to_string(line_) + ", column " + std::to_string(column_) + " (byte " +
               std::to_string(offset_) + ").";
}

ParseError ParseError::tooLarge(std::string reason) {
    ParseError error(std::move(reason), 0, 1, 1);
    error.message_ = "The data couldn't be read because it is too large: " + error.reason_ + ".";
    return error;
}

}  // namespace platform::json
