#include "Lottie/DotLottie/Zip/ArchiveFileError.h"

#include "Lottie/DotLottie/Zip/PrintableText.h"

namespace lottie {

namespace {

const char* describe(ArchiveFileError::Code code)
{
    using Code = ArchiveFileError::Code;
    switch (code) {
    case Code::fileNoSuchFile: return "File error (fileNoSuchFile): the file could not be created";
    case Code::fileReadNoSuchFile: return "File error (fileReadNoSuchFile): the file does not exist";
    case Code::fileReadInvalidFileName: return "File error (fileReadInvalidFileName): the name is not valid here";
    case Code::fileWriteFileExists: return "File error (fileWriteFileExists): an item already exists";
    }
    return "File error";
}

}  // namespace

ArchiveFileError::ArchiveFileError(Code code, std::optional<std::filesystem::path> filePath, std::string detail)
    : code_(code), filePath_(std::move(filePath))
{
    message_ = describe(code);
    if (filePath_) {
        message_ += " [" + filePath_->string() + "]";
    }
    if (!detail.empty()) {
        message_ += ": " + detail;
    }
    message_ = printableText(message_);
}

}  // namespace lottie
