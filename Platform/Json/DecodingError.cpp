#include "Platform/Json/DecodingError.h"

namespace platform::json {

namespace {

const char* kindName(DecodingError::Kind kind) {
    switch (kind) {
        case DecodingError::Kind::keyNotFound: return "keyNotFound";
        case DecodingError::Kind::typeMismatch: return "typeMismatch";
        case DecodingError::Kind::valueNotFound: return "valueNotFound";
        case DecodingError::Kind::dataCorrupted: return "dataCorrupted";
    }
    return "decodingError";
}

}  // namespace

DecodingError::DecodingError(Kind kind, CodingPath path, std::optional<CodingKey> key, std::string description)
    : kind_(kind), codingPath_(std::move(path)), key_(std::move(key)), description_(std::move(description)) {
    CodingPath full = codingPath_;
    if (key_) full.push_back(*key_);
    message_ = std::string(kindName(kind_)) + " at " + describe(full) + ": " + description_;
}

void DecodingError::setLocationDescription(const std::string& location) {
    message_ = location + ": " + kindName(kind_) + ": " + description_;
}

DecodingError DecodingError::keyNotFound(const CodingKey& key, CodingPath path) {
    return DecodingError(Kind::keyNotFound, std::move(path), key,
                         "No value associated with key \"" + key.stringValue + "\".");
}

DecodingError DecodingError::typeMismatch(const std::string& expected, const std::string& found, CodingPath path) {
    return DecodingError(Kind::typeMismatch, std::move(path), std::nullopt,
                         "Expected to decode " + expected + " but found " + found + " instead.");
}

DecodingError DecodingError::valueNotFound(const std::string& expected, CodingPath path, std::string description) {
    if (description.empty()) description = "Expected " + expected + " value but found null instead.";
    return DecodingError(Kind::valueNotFound, std::move(path), std::nullopt, std::move(description));
}

DecodingError DecodingError::dataCorrupted(CodingPath path, std::string description) {
    return DecodingError(Kind::dataCorrupted, std::move(path), std::nullopt, std::move(description));
}

}  // namespace platform::json
