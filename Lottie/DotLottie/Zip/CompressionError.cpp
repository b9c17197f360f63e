#include "Lottie/DotLottie/Zip/CompressionError.h"

namespace lottie {

CompressionError::CompressionError(Kind kind, std::string detail) : kind_(kind)
{
    message_ = kind == Kind::invalidStream ? "Compression error (invalidStream): the inflater could not be initialised"
                                           : "Compression error (corruptedData): the deflated data is corrupt or incomplete";
    if (!detail.empty()) {
        message_ += ": " + detail;
    }
}

}  // namespace lottie
