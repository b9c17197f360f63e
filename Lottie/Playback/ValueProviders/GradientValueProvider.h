#pragma once
// Supplies the colour stops of a gradient: fixed colours and locations, or colours
// (and optionally locations) computed from the frame by closures. Vended as the flat
// list of numbers the engines read: location, red, green, blue for each colour, then
// location, alpha for each colour when any colour is translucent. Made by a caller
// and shared with the animation layer it is installed on; main thread only. Equal
// when made from the same colours and locations; one made from closures equals only
// itself.

#include <functional>
#include <memory>
#include <vector>

#include "Lottie/Playback/AnyHashable.h"
#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"
#include "Lottie/Values/LottieColor.h"

namespace lottie {

class GradientValueProvider final : public ValueProvider<std::vector<double>>,
                                    public std::enable_shared_from_this<GradientValueProvider> {
public:
    using ColorsBlock = std::function<std::vector<LottieColor>(AnimationFrameTime)>;
    using LocationsBlock = std::function<std::vector<double>(AnimationFrameTime)>;

    GradientValueProvider(std::vector<LottieColor> colors, std::vector<double> locations);
    // Without a locations closure the colours are spread evenly. Throws
    // std::invalid_argument for an empty colours closure.
    explicit GradientValueProvider(ColorsBlock block, LocationsBlock locationsBlock = nullptr);

    const std::vector<LottieColor>& colors() const { return colors_; }
    const std::vector<double>& locations() const { return locations_; }
    // The last flat list computed.
    const std::vector<double>& value() const { return value_; }
    // Each recomputes the flat list and marks an update.
    void setColors(std::vector<LottieColor> colors);
    void setLocations(std::vector<double> locations);

    bool hasUpdate(AnimationFrameTime frame) const override;
    // Fixed stops keep reporting updates: taking them does not clear the flag.
    ValueProviderStorage<std::vector<double>> storage() override;

    const AnyHashable& identity() const { return identity_; }
    bool operator==(const GradientValueProvider& other) const { return identity_ == other.identity_; }

    // The flat list for colours and locations. A colour without a location of its own
    // is placed by its index, evenly from 0 to 1; a single such colour sits at 0.
    static std::vector<double> flatten(const std::vector<LottieColor>& colors, const std::vector<double>& locations);

private:
    std::vector<LottieColor> colors_;
    std::vector<double> locations_;
    bool hasUpdate_ = true;
    ColorsBlock block_;
    LocationsBlock locationsBlock_;
    std::vector<double> value_;
    AnyHashable identity_;
};

}  // namespace lottie
