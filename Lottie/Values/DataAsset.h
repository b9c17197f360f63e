#pragma once
// The bytes of a named data asset of a bundle, for the loaders that read an
// animation or a dotLottie package from the application's resources.

#include <string_view>

#include "Platform/Foundation/Bundle.h"
#include "Platform/Foundation/Data.h"

namespace lottie {

// A copy of the asset's bytes. Throws DotLottieError::assetNotFound (with the
// name and the bundle) when the bundle holds no such asset.
platform::foundation::Data dataAsset(std::string_view assetName,
                                     const platform::foundation::Bundle& bundle = platform::foundation::Bundle::main());

}  // namespace lottie
