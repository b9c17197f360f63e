#pragma once
// The dictionary decoder's error. Its one case, invalid input, names the
// decoder's source file ("Lottie/LayerModel") and the line of the failing
// check; that pair identifies the error and is all that equality compares.
//
// For the user, the error also remembers which JSON value the failing check
// looked at (and under which key, and why it failed). Only the decoder of the
// whole document knows where that value sits, so it turns the value into a
// readable place ("layers[3] "Shape Layer 1" > shapes[0] > c") as the error
// leaves it; what() then leads with that place.

#include <exception>
#include <string>
#include <string_view>

namespace platform::json {
class Value;
}

namespace lottie {

class InitializableError : public std::exception {
public:
    static InitializableError invalidInput(std::string_view file, unsigned line) {
        return InitializableError(std::string(file), line);
    }

    // The value the failing check looked at, the key it looked up there (if
    // any) and the reason in a few words (if known), for the throw site:
    // `throw InitializableError::invalidInput(file, line).at(dictionary, "c", "key not found");`
    InitializableError&& at(const platform::json::Value& where, std::string_view key = {},
                            std::string_view reason = {}) && {
        where_ = &where;
        key_ = key;
        reason_ = reason;
        return std::move(*this);
    }

    // The value is only compared with the values of a live document, never read:
    // the error may outlive the document it came from.
    const void* where() const { return where_; }
    const std::string& key() const { return key_; }

    // Set by the document's decoder: the place of the failure in the user's
    // terms. The value it was found from is then forgotten.
    void setLocationDescription(std::string location);

    const std::string& file() const { return file_; }
    unsigned line() const { return line_; }
    const char* what() const noexcept override { return message_.c_str(); }

    bool operator==(const InitializableError& other) const { return file_ == other.file_ && line_ == other.line_; }

private:
    InitializableError(std::string file, unsigned line);
    void updateMessage();

    std::string file_;
    unsigned line_;
    const void* where_ = nullptr;
    std::string key_;
    std::string reason_;
    std::string location_;
    std::string message_;
};

}  // namespace lottie
