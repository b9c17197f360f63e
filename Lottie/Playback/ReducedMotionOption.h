#pragma once
// Whether reduced motion is in effect: a fixed mode, or a provider asked at
// every read together with an identity value that stands for the provider
// in comparisons. On this platform the system provider always reports
// standard motion.

#include <memory>

#include "Lottie/Playback/AnyHashable.h"

namespace lottie {

enum class ReducedMotionMode { standardMotion, reducedMotion };

class ReducedMotionOptionProvider {
public:
    virtual ~ReducedMotionOptionProvider() = default;
    virtual ReducedMotionMode currentReducedMotionMode() const = 0;
};

class SystemReducedMotionOptionProvider final : public ReducedMotionOptionProvider {
public:
    ReducedMotionMode currentReducedMotionMode() const override { return ReducedMotionMode::standardMotion; }
};

class ReducedMotionOption {
public:
    static ReducedMotionOption specific(ReducedMotionMode mode) { return ReducedMotionOption(mode); }
    static ReducedMotionOption dynamic(std::shared_ptr<const ReducedMotionOptionProvider> provider, AnyHashable dataID) {
        return ReducedMotionOption(std::move(provider), std::move(dataID));
    }
    static ReducedMotionOption standardMotion() { return specific(ReducedMotionMode::standardMotion); }
    static ReducedMotionOption reducedMotion() { return specific(ReducedMotionMode::reducedMotion); }
    static ReducedMotionOption systemSetting();

    // The fixed mode, or the provider's answer now.
    ReducedMotionMode currentReducedMotionMode() const {
        return provider_ ? provider_->currentReducedMotionMode() : mode_;
    }
    bool isDynamic() const { return provider_ != nullptr; }

    bool operator==(const ReducedMotionOption& other) const;
    std::size_t hash() const;

private:
    explicit ReducedMotionOption(ReducedMotionMode mode) : mode_(mode), dataID_(0) {}
    ReducedMotionOption(std::shared_ptr<const ReducedMotionOptionProvider> provider, AnyHashable dataID)
        : provider_(std::move(provider)), dataID_(std::move(dataID)) {}

    ReducedMotionMode mode_ = ReducedMotionMode::standardMotion;
    std::shared_ptr<const ReducedMotionOptionProvider> provider_;
    AnyHashable dataID_;
};

}  // namespace lottie
