#include "Lottie/DotLottie/DotLottieError.h"

namespace lottie {

DotLottieError::DotLottieError(Kind kind, std::string assetName, std::optional<platform::foundation::Bundle> bundle,
                               std::string message)
    : kind_(kind), assetName_(std::move(assetName)), bundle_(std::move(bundle)), message_(std::move(message)) {}

DotLottieError DotLottieError::assetNotFound(std::string name, std::optional<platform::foundation::Bundle> bundle) {
    std::string message = "assetNotFound(name: \"" + name + "\", bundle: ";
    message += bundle ? "\"" + bundle->bundlePath().string() + "\")" : std::string("nil)");
    return DotLottieError(Kind::assetNotFound, std::move(name), std::move(bundle), std::move(message));
}

}  // namespace lottie
