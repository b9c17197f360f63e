#include "Lottie/DotLottie/PackagedAnimation.h"

#include <string>
#include <string_view>

#include "Lottie/Playback/LottieLogger.h"

namespace lottie {

namespace {

// Decoding happens once, so the failure is told once, whoever asked.
void reportFailure(const std::exception_ptr& error) {
    std::string reason = "unknown error";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& failure) {
        reason = failure.what();
    } catch (...) {
    }
    LottieLogger::shared()->warn([reason] { return "A dotLottie animation could not be decoded: " + reason; },
                                 "Lottie/PackagedAnimation", __LINE__);
}

}  // namespace

PackagedAnimation::PackagedAnimation(platform::foundation::Data bytes, DecodingStrategy strategy)
    : bytes_(std::move(bytes)), strategy_(strategy) {}

PackagedAnimation::PackagedAnimation(std::shared_ptr<const LottieAnimation> animation)
    : decoded_(true), animation_(std::move(animation)) {}

std::shared_ptr<const LottieAnimation> PackagedAnimation::decoded() const {
    std::lock_guard guard(mutex_);
    if (!decoded_) {
        try {
            // Read where it lies, with the room the package's reader kept after it.
            animation_ = LottieAnimation::fromData(
                std::string_view(reinterpret_cast<const char*>(bytes_.data()), bytes_.size()), strategy_,
                bytes_.capacity() - bytes_.size());
        } catch (...) {
            error_ = std::current_exception();
            reportFailure(error_);
        }
        decoded_ = true;
        platform::foundation::Data().swap(bytes_);
    }
    if (error_) std::rethrow_exception(error_);
    return animation_;
}

bool PackagedAnimation::isDecoded() const {
    std::lock_guard guard(mutex_);
    return decoded_;
}

}  // namespace lottie
