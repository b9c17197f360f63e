#pragma once
// What a LottieView shows: a decoded animation, or a dotLottie package (whose
// first animation is shown). A plain value; equal when both hold the same
// object, as the view compares animations by identity.

#include <memory>
#include <variant>

#include "Lottie/DotLottie/DotLottieFile.h"
#include "Lottie/Model/LottieAnimation.h"

namespace lottie {

class LottieAnimationSource {
public:
    static LottieAnimationSource lottieAnimation(std::shared_ptr<const LottieAnimation> animation) {
        return LottieAnimationSource(std::move(animation));
    }
    static LottieAnimationSource dotLottieFile(std::shared_ptr<const DotLottieFile> file) {
        return LottieAnimationSource(std::move(file));
    }

    // The animation of a `lottieAnimation` source; none for a package.
    std::shared_ptr<const LottieAnimation> animation() const {
        const auto* animation = std::get_if<std::shared_ptr<const LottieAnimation>>(&value_);
        return animation ? *animation : nullptr;
    }
    // The package of a `dotLottieFile` source; none for an animation.
    std::shared_ptr<const DotLottieFile> dotLottie() const {
        const auto* file = std::get_if<std::shared_ptr<const DotLottieFile>>(&value_);
        return file ? *file : nullptr;
    }

    bool operator==(const LottieAnimationSource&) const = default;

private:
    using Value = std::variant<std::shared_ptr<const LottieAnimation>, std::shared_ptr<const DotLottieFile>>;
    explicit LottieAnimationSource(Value value) : value_(std::move(value)) {}

    Value value_;
};

}  // namespace lottie
