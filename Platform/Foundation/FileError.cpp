#include "Platform/Foundation/FileError.h"

namespace platform::foundation {

FileError::FileError(std::filesystem::path path, std::error_code code, std::string reason)
    : path_(std::move(path)), code_(code) {
    if (reason.empty()) {
        reason = code_.message();
    }
    message_ = "Cannot read the file \u201C" + path_.string() + "\u201D: " + reason + ".";
}

}  // namespace platform::foundation
