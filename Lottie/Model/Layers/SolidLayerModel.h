#pragma once
// A layer that is a rectangle of one colour, kept as the document's hex text.

#include <string>

#include "Lottie/Model/Layers/LayerModel.h"

namespace lottie {

class SolidLayerModel : public LayerModel {
public:
    explicit SolidLayerModel(const Dictionary& dictionary);
    explicit SolidLayerModel(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    std::string colorHex;
    double width = 0;
    double height = 0;

private:
    struct OwnKeys {
        std::string colorHex;
        double width;
        double height;
    };
    static OwnKeys read(const Dictionary& dictionary);
    static OwnKeys read(const platform::json::Decoder& decoder);
    SolidLayerModel(OwnKeys keys, const Dictionary& dictionary);
    SolidLayerModel(OwnKeys keys, const platform::json::Decoder& decoder);
    void adopt(OwnKeys keys);
};

}  // namespace lottie
