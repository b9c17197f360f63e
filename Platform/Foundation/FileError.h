#pragma once
// Why a file could not be read: thrown by readFile and caught by the loaders, which
// log what() and hand back nothing. Carries the path and the operating system's
// reason so the message names both.

#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

namespace platform::foundation {

class FileError : public std::exception {
public:
    // `reason` defaults to the text of `code`.
    FileError(std::filesystem::path path, std::error_code code, std::string reason = {});

    const std::filesystem::path& path() const noexcept { return path_; }
    std::error_code code() const noexcept { return code_; }
    // "Cannot read the file “<path>”: <reason>."
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::filesystem::path path_;
    std::error_code code_;
    std::string message_;
};

}  // namespace platform::foundation
