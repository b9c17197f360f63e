#include "Lottie/Playback/RenderingEngineOption.h"

namespace lottie {

std::string description(RenderingEngine engine) {
    return engine == RenderingEngine::mainThread ? "Main Thread" : "Core Animation";
}

std::optional<RenderingEngine> renderingEngineFromText(std::string_view text) {
    if (text == "Main Thread") return RenderingEngine::mainThread;
    if (text == "Core Animation") return RenderingEngine::coreAnimation;
    return std::nullopt;
}

std::optional<RenderingEngineOption> RenderingEngineOption::fromText(std::string_view text) {
    if (text == "Automatic") return automatic();
    if (auto engine = renderingEngineFromText(text)) return specific(*engine);
    return std::nullopt;
}

std::string RenderingEngineOption::description() const {
    return engine_ ? lottie::description(*engine_) : "Automatic";
}

}  // namespace lottie
