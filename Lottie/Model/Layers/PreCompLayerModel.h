#pragma once
// A layer that shows a precomposition asset, optionally with its time remapped.

#include <string>

#include "Lottie/Model/Layers/LayerModel.h"
#include "Lottie/Values/LottieVector1D.h"

namespace lottie {

class PreCompLayerModel : public LayerModel {
public:
    explicit PreCompLayerModel(const Dictionary& dictionary);
    explicit PreCompLayerModel(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    std::string referenceID;
    KeyframeGroupPtr<LottieVector1D> timeRemapping;
    double width = 0;
    double height = 0;

private:
    struct OwnKeys {
        std::string referenceID;
        KeyframeGroupPtr<LottieVector1D> timeRemapping;
        double width;
        double height;
    };
    // The layer's own keys are read before the base keys, so their errors come first.
    static OwnKeys read(const Dictionary& dictionary);
    static OwnKeys read(const platform::json::Decoder& decoder);
    PreCompLayerModel(OwnKeys keys, const Dictionary& dictionary);
    PreCompLayerModel(OwnKeys keys, const platform::json::Decoder& decoder);
    void adopt(OwnKeys keys);
};

}  // namespace lottie
