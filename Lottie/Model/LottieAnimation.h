#pragma once
// The decoded Lottie document: the composition's timing and size, its layers,
// glyphs, fonts, assets and markers. Built by either decoder, encodable back to JSON, and shared
// read-only (std::shared_ptr<const LottieAnimation>) by the animation layer,
// both rendering engines, the views and the viewer's inspector.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Model/Assets/AssetLibrary.h"
#include "Lottie/Model/CoordinateSpace.h"
#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Model/Layers/LayerModel.h"
#include "Lottie/Model/Marker.h"
#include "Lottie/Model/Text/FontList.h"
#include "Lottie/Model/Text/Glyph.h"
#include "Lottie/Playback/Cache/DocumentImageCache.h"
#include "Platform/Foundation/Bundle.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Graphics/Size.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

enum class DecodingStrategy;
class AnimationCacheProvider;
class LottieURLDataTask;
class LottieURLSession;

class LottieAnimation {
public:
    explicit LottieAnimation(const Dictionary& dictionary);
    explicit LottieAnimation(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const;

    // Decodes a document from its bytes by the given strategy; parse and
    // decode errors reach the caller as they were thrown, the decode errors
    // with their place in the document described (see DecodingLocation).
    // `readableAfter` bytes past the end of `data` may be read: at least
    // platform::json::parserPadding of them spare the parser a copy.
    static std::shared_ptr<const LottieAnimation> fromData(std::string_view data, DecodingStrategy strategy,
                                                           std::size_t readableAfter = 0);

    // The loaders. Those that don't throw warn through the shared logger and
    // hand back nothing; each looks in the cache first and fills it only
    // after a successful decode. They decode with the shared configuration's strategy.
    using Cache = std::shared_ptr<AnimationCacheProvider>;
    // A "json" resource of the bundle (".json" in the name is dropped), else
    // the data asset "subdirectory/name".
    static std::shared_ptr<const LottieAnimation> loadNamed(const std::string& name,
                                                            const platform::foundation::Bundle& bundle,
                                                            const std::optional<std::string>& subdirectory = std::nullopt,
                                                            const Cache& cache = nullptr);
    static std::shared_ptr<const LottieAnimation> loadFromFilepath(const std::string& path, const Cache& cache = nullptr);
    static std::shared_ptr<const LottieAnimation> fromAsset(const std::string& name,
                                                            const platform::foundation::Bundle& bundle,
                                                            const Cache& cache = nullptr);
    // Fetches and decodes an address; the completion runs on the main run loop
    // with the animation or nothing, except that a cache hit calls it at once
    // on the calling thread and starts no task (the result is then null).
    using LoadCompletion = std::function<void(std::shared_ptr<const LottieAnimation>)>;
    static std::shared_ptr<LottieURLDataTask> loadFromURL(const std::string& url, LottieURLSession& session,
                                                          LoadCompletion completion, const Cache& cache = nullptr);

    // Progress of a marker's frame, clamped to 0...1; nothing without such a marker.
    std::optional<double> progressForMarker(const std::string& name) const;
    // 0 when the start and end frames are equal.
    double progressForFrame(double frame, bool clamped = true) const;
    std::optional<double> frameForMarker(const std::string& name) const;
    std::optional<double> durationForMarker(const std::string& name) const;
    double frameForTime(double seconds) const { return framerate * seconds + startFrame; }
    // The marker of that exact name in the marker map, or null.
    std::shared_ptr<const Marker> markerNamed(const std::string& name) const;

    double startFrame = 0;
    double endFrame = 0;
    double framerate = 0;
    // The exporter's version; empty when the document does not say (the format
    // does not require it). Written back either way, for readers that do.
    std::string version;
    CoordinateSpace type = CoordinateSpace::type2d;
    double width = 0;
    double height = 0;
    std::vector<std::shared_ptr<const LayerModel>> layers;
    std::optional<std::vector<std::shared_ptr<const Glyph>>> glyphs;
    std::shared_ptr<const FontList> fonts;
    std::shared_ptr<const AssetLibrary> assetLibrary;
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

    // The processor time decoding the document took (fromData): the first
    // phase of opening it (platform::graphics::OpeningDeadline).
    double decodingSeconds = 0;

    // The images decoded for this document's assets, shared by the engines of
    // every view that draws it (see CachedImageProvider).
    DocumentImageCache& decodedImages() const { return decodedImages_; }

private:
    mutable DocumentImageCache decodedImages_;

    void buildMarkerMap();
};

}  // namespace lottie
