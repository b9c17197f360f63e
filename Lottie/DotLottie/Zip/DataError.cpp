#include "Lottie/DotLottie/Zip/DataError.h"

#include "Lottie/DotLottie/Zip/PrintableText.h"

namespace lottie {

DataError::DataError(Kind kind, std::string detail) : kind_(kind)
{
    message_ = kind == Kind::unreadableFile ? "Data error (unreadableFile): reading the archive failed"
                                            : "Data error (unwritableFile): writing the extracted file failed";
    if (!detail.empty()) {
        message_ += ": " + detail;
    }
    message_ = printableText(message_);
}

}  // namespace lottie
