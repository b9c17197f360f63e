#pragma once
// The errors of the dotLottie subsystem. Thrown by value; callers catch it by
// reference and read the case and its fields. The first six cases keep their
// historical order; the two after them refuse names that could lead a load
// outside its own temporary folder.

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
        // A download delivered neither bytes nor an error.
        noDataLoaded,
        loadingFromAssetNotSupported,
        invalidFileFormat,
        invalidData,
        // The package has no animation, or none of the identifier asked for.
        animationNotAvailable,
        // A package file name whose base name is empty, "." or "..", or holds a NUL byte.
        invalidFileName,
        // A manifest identifier that is not one plain file name.
        invalidAnimationId,
    };

    static DotLottieError assetNotFound(std::string name, std::optional<platform::foundation::Bundle> bundle);
    static DotLottieError noDataLoaded();
    static DotLottieError loadingFromAssetNotSupported();
    static DotLottieError invalidFileFormat();
    static DotLottieError invalidData();
    // `id` is the identifier asked for; none when the first animation was asked for.
    static DotLottieError animationNotAvailable(std::optional<std::string> id = std::nullopt);
    static DotLottieError invalidFileName(std::string filename);
    static DotLottieError invalidAnimationId(std::string id);

    Kind kind() const { return kind_; }
    // The asset name of assetNotFound.
    const std::string& assetName() const { return name_; }
    // What the error is about: the asset name, the file name or the identifier
    // (empty for the cases that carry none).
    const std::string& name() const { return name_; }
    // The bundle that assetNotFound looked in.
    const std::optional<platform::foundation::Bundle>& bundle() const { return bundle_; }

    const char* what() const noexcept override { return message_.c_str(); }

private:
    DotLottieError(Kind kind, std::string name, std::optional<platform::foundation::Bundle> bundle,
                   std::string message);

    Kind kind_;
    std::string name_;
    std::optional<platform::foundation::Bundle> bundle_;
    std::string message_;
};

}  // namespace lottie
