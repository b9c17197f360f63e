#include "Lottie/Playback/ValueProviders/GradientValueProvider.h"

#include <stdexcept>

#include "Lottie/Playback/ValueProviders/HashableList.h"
#include "Lottie/Playback/ValueProviders/Uuid.h"

namespace lottie {

GradientValueProvider::GradientValueProvider(std::vector<LottieColor> colors, std::vector<double> locations)
    : colors_(std::move(colors)),
      locations_(std::move(locations)),
      value_(flatten(colors_, locations_)),
      identity_(HashableList<AnyHashable>{
          {AnyHashable(HashableList<LottieColor>{colors_}), AnyHashable(HashableList<double>{locations_})}}) {}

GradientValueProvider::GradientValueProvider(ColorsBlock block, LocationsBlock locationsBlock)
    : block_(std::move(block)), locationsBlock_(std::move(locationsBlock)), identity_(Uuid::random()) {
    if (!block_) throw std::invalid_argument("GradientValueProvider: the colours closure is empty");
}

void GradientValueProvider::setColors(std::vector<LottieColor> colors) {
    colors_ = std::move(colors);
    value_ = flatten(colors_, locations_);
    hasUpdate_ = true;
}

void GradientValueProvider::setLocations(std::vector<double> locations) {
    locations_ = std::move(locations);
    value_ = flatten(colors_, locations_);
    hasUpdate_ = true;
}

bool GradientValueProvider::hasUpdate(AnimationFrameTime) const {
    return block_ || locationsBlock_ ? true : hasUpdate_;
}

ValueProviderStorage<std::vector<double>> GradientValueProvider::storage() {
    if (block_) {
        // Holds the provider weakly: the closure may outlive it, and then only skips
        // recording what it computed.
        std::weak_ptr<GradientValueProvider> weakSelf = weak_from_this();
        return ValueProviderStorage<std::vector<double>>::closure(
            [weakSelf, block = block_, locationsBlock = locationsBlock_](AnimationFrameTime frame) {
                std::vector<double> flat =
                    flatten(block(frame), locationsBlock ? locationsBlock(frame) : std::vector<double>{});
                if (auto self = weakSelf.lock()) {
                    self->hasUpdate_ = false;
                    self->value_ = flat;
                }
                return flat;
            });
    }
    return ValueProviderStorage<std::vector<double>>::singleValue(value_);
}

std::vector<double> GradientValueProvider::flatten(const std::vector<LottieColor>& colors,
                                                   const std::vector<double>& locations) {
    const std::size_t count = colors.size();
    std::vector<double> colorPart;
    std::vector<double> alphaPart;
    colorPart.reserve(count * 4);
    alphaPart.reserve(count * 2);
    bool translucent = false;
    for (std::size_t i = 0; i < count; ++i) {
        // Index over (count - 1) would be 0 / 0 for a lone colour; it goes at the start.
        const double location = i < locations.size() ? locations[i]
                                : count > 1          ? static_cast<double>(i) / static_cast<double>(count - 1)
                                                     : 0.0;
        const LottieColor& color = colors[i];
        colorPart.insert(colorPart.end(), {location, color.r, color.g, color.b});
        alphaPart.insert(alphaPart.end(), {location, color.a});
        if (color.a < 1) translucent = true;
    }
    if (translucent) colorPart.insert(colorPart.end(), alphaPart.begin(), alphaPart.end());
    return colorPart;
}

}  // namespace lottie
