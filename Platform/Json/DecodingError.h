#pragma once
// The keyed-container decoder's error, with the platform's four cases. Each
// carries the coding path of the failing value and a readable description.

#include <exception>
#include <optional>
#include <string>

#include "Platform/Json/CodingPath.h"

namespace platform::json {

class DecodingError : public std::exception {
public:
    enum class Kind { keyNotFound, typeMismatch, valueNotFound, dataCorrupted };

    static DecodingError keyNotFound(const CodingKey& key, CodingPath path);
    // `expected` names the type the caller asked for ("Int", "String", a model type).
    static DecodingError typeMismatch(const std::string& expected, const std::string& found, CodingPath path);
    static DecodingError valueNotFound(const std::string& expected, CodingPath path, std::string description = {});
    static DecodingError dataCorrupted(CodingPath path, std::string description);

    Kind kind() const { return kind_; }
    // The path of the container in which the failure happened; for keyNotFound
    // the missing key is `key()`, for the others the last path element names the value.
    const CodingPath& codingPath() const { return codingPath_; }
    const std::optional<CodingKey>& key() const { return key_; }
    const std::string& debugDescription() const { return description_; }
    // Names the failing value's place in the caller's words (a document's
    // decoder adds the names of what the path leads through); what() then
    // leads with it. Kind, path, key and description stay as they are.
    void setLocationDescription(const std::string& location);
    const char* what() const noexcept override { return message_.c_str(); }

private:
    DecodingError(Kind kind, CodingPath path, std::optional<CodingKey> key, std::string description);

    Kind kind_;
    CodingPath codingPath_;
    std::optional<CodingKey> key_;
    std::string description_;
    std::string message_;
};

}  // namespace platform::json
