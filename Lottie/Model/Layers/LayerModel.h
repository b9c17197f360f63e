#pragma once
// The properties every layer of a composition shares: name, index, type,
// timing, parent, blend mode, track matte, visibility, styles and effects. The model is
// immutable once decoded and shared by both rendering engines; subclasses add
// what their layer type needs.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Model/CoordinateSpace.h"
#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Model/Effects/LayerEffect.h"
#include "Lottie/Model/Layers/LayerEnumerations.h"
#include "Lottie/Model/Layers/Mask.h"
#include "Lottie/Model/Layers/Transform.h"
#include "Lottie/Model/Styles/LayerStyle.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

class LayerModel {
public:
    explicit LayerModel(const Dictionary& dictionary);
    explicit LayerModel(const platform::json::Decoder& decoder);
    virtual ~LayerModel() = default;

    virtual void encode(platform::json::Encoder& encoder) const;

    // The class its "ty" selects, for the keyed-container family decoding.
    static std::shared_ptr<const LayerModel> decodeLayer(const platform::json::Decoder& decoder,
                                                         std::optional<std::int64_t> typeCode);

    // One layer dictionary to the class its "ty" selects, or nothing for a
    // code the format doesn't know (the layer is then dropped).
    static std::shared_ptr<const LayerModel> layerFromDictionary(const Dictionary& dictionary);
    static std::vector<std::shared_ptr<const LayerModel>> layersFromDictionaries(const DictionaryArray& dictionaries);
    // The keyed-container form: every element is kept, unknown codes as a plain layer.
    static std::vector<std::shared_ptr<const LayerModel>> decodeLayerFamily(
        const platform::json::KeyedDecodingContainer& container, std::string_view key);

    std::string name = "Layer";
    std::int64_t index = 0;
    LayerType type = LayerType::null;
    CoordinateSpace coordinateSpace = CoordinateSpace::type2d;
    double inFrame = 0;
    double outFrame = 0;
    double startTime = 0;
    std::shared_ptr<const Transform> transform;
    std::optional<std::int64_t> parent;
    BlendMode blendMode = BlendMode::normal;
    std::optional<std::vector<std::shared_ptr<const Mask>>> masks;
    double timeStretch = 1;
    std::optional<MatteType> matte;
    bool hidden = false;
    // Never absent: empty when the document has none.
    std::vector<std::shared_ptr<const LayerStyle>> styles;
    std::vector<std::shared_ptr<const LayerEffect>> effects;
};

}  // namespace lottie
