#pragma once
// Rounds the corners of the paths of its group ("rd") by an animated radius.
// Decoded into an item list and shared, immutable, by both engines.

#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"
#include "Lottie/Values/LottieVector1D.h"

namespace lottie {

class RoundedCorners : public ShapeItem {
public:
    explicit RoundedCorners(const Dictionary& dictionary);
    explicit RoundedCorners(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    KeyframeGroupPtr<LottieVector1D> radius() const { return radius_; }

protected:
    bool equals(const ShapeItem& other) const override;

private:
    static KeyframeGroupPtr<LottieVector1D> readRadius(const Dictionary& dictionary);
    static KeyframeGroupPtr<LottieVector1D> decodeRadius(const platform::json::Decoder& decoder);
    // The own keys are read before the base keys, so their errors come first.
    template <class Source>
    RoundedCorners(KeyframeGroupPtr<LottieVector1D> radius, const Source& source)
        : ShapeItem(source), radius_(std::move(radius)) {}

    KeyframeGroupPtr<LottieVector1D> radius_;
};

}  // namespace lottie
