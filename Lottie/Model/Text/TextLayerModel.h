#pragma once
// A layer that shows animated text: its text documents by keyframe and the
// animators that change how characters are drawn, both under the layer's
// "t" object. Immutable once decoded; both engines read it.

#include <memory>
#include <vector>

#include "Lottie/Model/Layers/LayerModel.h"
#include "Lottie/Model/Text/TextAnimator.h"
#include "Lottie/Model/Text/TextDocument.h"

namespace lottie {

class TextLayerModel : public LayerModel {
public:
    explicit TextLayerModel(const Dictionary& dictionary);
    explicit TextLayerModel(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    KeyframeGroupPtr<TextDocument> text;
    std::vector<std::shared_ptr<const TextAnimator>> animators;

private:
    struct OwnKeys {
        KeyframeGroupPtr<TextDocument> text;
        std::vector<std::shared_ptr<const TextAnimator>> animators;
    };
    // The layer's own keys are read before the base keys, so their errors come first.
    static OwnKeys read(const Dictionary& dictionary);
    static OwnKeys read(const platform::json::Decoder& decoder);
    TextLayerModel(OwnKeys keys, const Dictionary& dictionary);
    TextLayerModel(OwnKeys keys, const platform::json::Decoder& decoder);
};

}  // namespace lottie
