#include "Lottie/Values/DataAsset.h"

#include <string>

#include "Lottie/DotLottie/DotLottieError.h"

namespace lottie {

platform::foundation::Data dataAsset(std::string_view assetName, const platform::foundation::Bundle& bundle) {
    if (auto data = bundle.dataAsset(assetName)) return std::move(*data);
    throw DotLottieError::assetNotFound(std::string(assetName), bundle);
}

}  // namespace lottie
