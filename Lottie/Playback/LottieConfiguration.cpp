#include "Lottie/Playback/LottieConfiguration.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

namespace lottie {

namespace {

std::mutex& sharedLock() {
    static std::mutex lock;
    return lock;
}

LottieConfiguration& sharedSlot() {
    static LottieConfiguration configuration;
    return configuration;
}

// Mirrors the shared configuration's colour space for lock-free reads.
std::atomic<platform::graphics::ColorSpace::Model>& sharedColorSpaceModel() {
    static std::atomic<platform::graphics::ColorSpace::Model> model{platform::graphics::ColorSpace::Model::rgb};
    return model;
}

void combine(std::size_t& seed, std::size_t value) { seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2); }

}  // namespace

LottieConfiguration LottieConfiguration::shared() {
    std::lock_guard guard(sharedLock());
    return sharedSlot();
}

void LottieConfiguration::setShared(const LottieConfiguration& configuration) {
    std::lock_guard guard(sharedLock());
    sharedSlot() = configuration;
    sharedColorSpaceModel() = configuration.colorSpace.model();
}

platform::graphics::ColorSpace LottieConfiguration::sharedColorSpace() {
    return sharedColorSpaceModel().load() == platform::graphics::ColorSpace::Model::grey
               ? platform::graphics::ColorSpace::deviceGrey()
               : platform::graphics::ColorSpace::deviceRGB();
}

std::size_t LottieConfiguration::hash() const {
    std::size_t seed = std::hash<std::string>{}(renderingEngine.description());
    combine(seed, static_cast<std::size_t>(decodingStrategy));
    combine(seed, reducedMotionOption.hash());
    combine(seed, static_cast<std::size_t>(colorSpace.model()));
    return seed;
}

}  // namespace lottie
