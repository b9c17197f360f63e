#pragma once
// The file-system failures that extraction reports by code, with the path
// concerned: a missing archive, an entry name that cannot be placed inside the
// destination, an item that already exists, an output file that cannot be created.
// Failures of directory creation and attribute setting are reported as
// std::filesystem::filesystem_error instead, whose path is shown with its control
// characters spelled out (printableText), as this error's message shows its own.

#include <exception>
#include <filesystem>
#include <optional>
#include <string>

namespace lottie {

class ArchiveFileError : public std::exception {
public:
    enum class Code {
        fileNoSuchFile,           // an output file could not be created
        fileReadNoSuchFile,       // the archive file does not exist
        fileReadInvalidFileName,  // an entry's name would place it outside the destination
        fileWriteFileExists,      // an item already exists where an entry goes
    };

    ArchiveFileError(Code code, std::optional<std::filesystem::path> filePath, std::string detail = {});

    Code code() const noexcept { return code_; }
    // The path the error is about, when the error carries one.
    const std::optional<std::filesystem::path>& filePath() const noexcept { return filePath_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    Code code_;
    std::optional<std::filesystem::path> filePath_;
    std::string message_;
};

}  // namespace lottie
