// Loading an animation from bytes, files, bundle resources, data assets and
// addresses, with the animation cache; and the questions callers ask of a
// loaded animation.
#include <algorithm>

#include "Lottie/Model/DecodingLocation.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Cache/AnimationCacheProvider.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/Loading/LottieURLSession.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Values/DataAsset.h"
#include "Platform/Foundation/DispatchQueue.h"
#include "Platform/Foundation/Files.h"
#include "Platform/Graphics/ProcessorClock.h"
#include "Platform/Json/JsonParser.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/LottieAnimationHelpers";

std::string_view bytesOf(const platform::foundation::Data& data) {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

std::shared_ptr<const LottieAnimation> decodeShared(const platform::foundation::Data& data) {
    return LottieAnimation::fromData(bytesOf(data), LottieConfiguration::shared().decodingStrategy,
                                     data.capacity() - data.size());
}

std::shared_ptr<const LottieAnimation> cached(const LottieAnimation::Cache& cache, const std::string& key) {
    return cache ? cache->animationForKey(key) : nullptr;
}

}  // namespace

std::shared_ptr<const LottieAnimation> LottieAnimation::fromData(std::string_view data, DecodingStrategy strategy,
                                                                 std::size_t readableAfter) {
    // Opening the document counts its decoding (OpeningDeadline).
    const std::shared_ptr<platform::graphics::ProcessorClock> clock = platform::graphics::ProcessorClock::installed();
    const double start = clock->threadSeconds();
    platform::json::Value document = platform::json::parse(data, readableAfter);
    // The errors keep their values; on the way out they learn, while the
    // document still exists, how to tell the user where they happened.
    try {
        std::shared_ptr<LottieAnimation> animation;
        if (strategy == DecodingStrategy::dictionaryBased) {
            if (!document.isObject()) throw InitializableError::invalidInput(file, 157);
            animation = std::make_shared<LottieAnimation>(document);
        } else {
            animation = std::make_shared<LottieAnimation>(platform::json::Decoder(document));
        }
        animation->decodingSeconds = std::max(0.0, clock->threadSeconds() - start);
        return animation;
    } catch (InitializableError& error) {
        DecodingLocation::describe(error, document);
        throw;
    } catch (platform::json::DecodingError& error) {
        DecodingLocation::describe(error, document);
        throw;
    }
}

std::shared_ptr<const LottieAnimation> LottieAnimation::loadNamed(const std::string& name,
                                                                  const platform::foundation::Bundle& bundle,
                                                                  const std::optional<std::string>& subdirectory,
                                                                  const Cache& cache) {
    // The key keeps the name exactly as given, ".json" and all. A separator
    // stands between the bundle's path and the subdirectory, so that bundle
    // "/a/b" with subdirectory "c" is not taken for bundle "/a/bc".
    std::string key = bundle.bundlePath().string() + (subdirectory ? "/" + *subdirectory : "") + "/" + name;
    if (auto hit = cached(cache, key)) return hit;
    std::string resource = name;
    if (resource.size() >= 5 && resource.compare(resource.size() - 5, 5, ".json") == 0) resource.resize(resource.size() - 5);
    try {
        platform::foundation::Data data;
        if (auto path = bundle.pathForResource(resource, "json", subdirectory)) {
            data = platform::foundation::readFile(*path, platform::json::parserPadding);
        } else {
            data = dataAsset(subdirectory ? *subdirectory + "/" + resource : resource, bundle);
        }
        auto animation = decodeShared(data);
        if (cache) cache->setAnimation(animation, key);
        return animation;
    } catch (const std::exception& error) {
        std::string message = "Error when decoding animation \"" + name + "\": " + error.what();
        LottieLogger::shared()->warn([message] { return message; }, file, __LINE__);
        return nullptr;
    }
}

std::shared_ptr<const LottieAnimation> LottieAnimation::loadFromFilepath(const std::string& path, const Cache& cache) {
    if (auto hit = cached(cache, path)) return hit;
    try {
        auto animation = decodeShared(platform::foundation::readFile(path));
        if (cache) cache->setAnimation(animation, path);
        return animation;
    } catch (const std::exception& error) {
        std::string message = "Failed to load animation from filepath " + path + "\nwith underlying error: " + error.what();
        LottieLogger::shared()->warn([message] { return message; }, file, __LINE__);
        return nullptr;
    }
}

std::shared_ptr<const LottieAnimation> LottieAnimation::fromAsset(const std::string& name,
                                                                  const platform::foundation::Bundle& bundle,
                                                                  const Cache& cache) {
    std::string key = bundle.bundlePath().string() + "/" + name;
    if (auto hit = cached(cache, key)) return hit;
    try {
        auto animation = decodeShared(dataAsset(name, bundle));
        if (cache) cache->setAnimation(animation, key);
        return animation;
    } catch (const std::exception& error) {
        std::string message = "Failed to load animation with asset name " + name + " in " +
                              bundle.bundlePath().string() + "\nwith underlying error: " + error.what();
        LottieLogger::shared()->warn([message] { return message; }, file, __LINE__);
        return nullptr;
    }
}

std::shared_ptr<LottieURLDataTask> LottieAnimation::loadFromURL(const std::string& url, LottieURLSession& session,
                                                                LoadCompletion completion, const Cache& cache) {
    if (auto hit = cached(cache, url)) {
        completion(hit);
        return nullptr;
    }
    auto task = session.dataTask(
        url, [url, completion, cache](std::optional<platform::foundation::Data> data,
                                      std::optional<platform::foundation::URLResponse>,
                                      std::optional<platform::foundation::URLError> error) {
            // On the session's callback thread: decode here, deliver on the main run loop.
            auto& main = platform::foundation::DispatchQueue::main();
            if (error || !data) {
                main.async([completion] { completion(nullptr); });
                return;
            }
            std::shared_ptr<const LottieAnimation> animation;
            try {
                animation = decodeShared(*data);
            } catch (const std::exception&) {
                main.async([completion] { completion(nullptr); });
                return;
            }
            main.async([url, completion, cache, animation] {
                if (cache) cache->setAnimation(animation, url);
                completion(animation);
            });
        });
    task->resume();
    return task;
}

std::shared_ptr<const Marker> LottieAnimation::markerNamed(const std::string& name) const {
    if (!markerMap) return nullptr;
    auto it = markerMap->find(name);
    return it == markerMap->end() ? nullptr : it->second;
}

std::optional<double> LottieAnimation::progressForMarker(const std::string& name) const {
    auto marker = markerNamed(name);
    if (!marker) return std::nullopt;
    double span = endFrame - startFrame;
    double progress = span == 0 ? 0 : (marker->frameTime - startFrame) / span;
    return std::clamp(progress, 0.0, 1.0);
}

double LottieAnimation::progressForFrame(double frame, bool clamped) const {
    double span = endFrame - startFrame;
    double progress = span == 0 ? 0 : (frame - startFrame) / span;
    if (clamped) progress = std::max(std::min(progress, 1.0), 0.0);
    return progress;
}

std::optional<double> LottieAnimation::frameForMarker(const std::string& name) const {
    auto marker = markerNamed(name);
    return marker ? std::optional(marker->frameTime) : std::nullopt;
}

std::optional<double> LottieAnimation::durationForMarker(const std::string& name) const {
    auto marker = markerNamed(name);
    return marker ? std::optional(marker->durationFrameTime) : std::nullopt;
}

}  // namespace lottie
