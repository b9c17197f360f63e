#pragma once
// The decoded Lottie document: the composition's timing and size, its layers
// and markers. Built by either decoder, encodable back to JSON, and shared
// read-only (std::shared_ptr<const LottieAnimation>) by the animation layer,
// both rendering engines, the views and the viewer's inspector.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Model/CoordinateSpace.h"
#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Model/Layers/LayerModel.h"
#include "Lottie/Model/Marker.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Graphics/Size.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

enum class DecodingStrategy;

class LottieAnimation {
public:
    explicit LottieAnimation(const Dictionary& dictionary);
    explicit LottieAnimation(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const;

    // Decodes a document from its bytes by the given strategy; parse and
    // decode errors reach the caller unchanged.
    static std::shared_ptr<const LottieAnimation> fromData(std::string_view data, DecodingStrategy strategy);

    double startFrame = 0;
    double endFrame = 0;
    double framerate = 0;
    std::string version;
    CoordinateSpace type = CoordinateSpace::type2d;
    double width = 0;
    double height = 0;
    std::vector<std::shared_ptr<const LayerModel>> layers;
    std::optional<std::vector<std::shared_ptr<const Marker>>> markers;
    // The markers by name; a later marker replaces an earlier one of the same name.
    std::optional<std::map<std::string, std::shared_ptr<const Marker>>> markerMap;

    std::vector<std::string> markerNames() const;
    // Seconds; a frame rate of zero gives infinities or not-a-number, as the arithmetic says.
    double duration() const { return (endFrame - startFrame) / framerate; }
    platform::graphics::Rect bounds() const { return platform::graphics::Rect(0, 0, width, height); }
    platform::graphics::Size size() const { return {width, height}; }
    double time(double frame) const { return (frame - startFrame) / framerate; }
    double frameTime(double progress) const { return startFrame + (endFrame - startFrame) * progress; }
    // The first marker named as a reduced-motion alternative, in any letter case.
    std::shared_ptr<const Marker> markerForReducedMotion() const;

private:
    void buildMarkerMap();
};

}  // namespace lottie
