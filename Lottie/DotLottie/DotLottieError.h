#pragma once
// The errors of the dotLottie subsystem. Thrown by value; callers catch it by
// reference and read the case and its fields.

#include <exception>
#include <optional>
#include <string>

#include "Platform/Foundation/Bundle.h"

namespace lottie {

class DotLottieError : public std::exception {
public:
    enum class Kind {
        // No data asset of that name in that bundle.
        assetNotFound,
    };

    static DotLottieError assetNotFound(std::string name, std::optional<platform::foundation::Bundle> bundle);

    Kind kind() const { return kind_; }
    // The asset name of assetNotFound.
    const std::string& assetName() const { return assetName_; }
    // The bundle that assetNotFound looked in.
    const std::optional<platform::foundation::Bundle>& bundle() const { return bundle_; }

    const char* what() const noexcept override { return message_.c_str(); }

private:
    DotLottieError(Kind kind, std::string assetName, std::optional<platform::foundation::Bundle> bundle,
                   std::string message);

    Kind kind_;
    std::string assetName_;
    std::optional<platform::foundation::Bundle> bundle_;
    std::string message_;
};

}  // namespace lottie
