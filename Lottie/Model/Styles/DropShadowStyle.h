#pragma once
// The drop-shadow layer style: five animated parameters under fixed keys.
// A layer's shadow comes from its first drop-shadow effect and, failing that,
// from its first drop-shadow style. Owned by its LayerModel.

#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Model/Protocols/DropShadowModel.h"
#include "Lottie/Model/Styles/LayerStyle.h"

namespace lottie {

class DropShadowStyle : public LayerStyle, public DropShadowModel {
public:
    // Every parameter is required by both decoders.
    explicit DropShadowStyle(const Dictionary& dictionary);
    explicit DropShadowStyle(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    // Percent.
    KeyframeGroupPtr<LottieVector1D> opacity() const override { return opacity_; }
    KeyframeGroupPtr<LottieColor> color() const override { return color_; }
    // Degrees.
    KeyframeGroupPtr<LottieVector1D> angle() const override { return angle_; }
    // The blur size as the document gives it.
    KeyframeGroupPtr<LottieVector1D> size() const { return size_; }
    KeyframeGroupPtr<LottieVector1D> distance() const override { return distance_; }
    // Half the size, in a new group each time.
    KeyframeGroupPtr<LottieVector1D> radius() const override;

private:
    KeyframeGroupPtr<LottieColor> color_;
    KeyframeGroupPtr<LottieVector1D> opacity_;
    KeyframeGroupPtr<LottieVector1D> angle_;
    KeyframeGroupPtr<LottieVector1D> size_;
    KeyframeGroupPtr<LottieVector1D> distance_;
};

}  // namespace lottie
