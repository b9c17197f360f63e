#pragma once
// Which rendering engine an animation layer builds: a specific one, or the
// automatic choice (the Core Animation engine, falling back to the
// main-thread engine when the animation needs it). Both compare and hash by
// their description text.

#include <optional>
#include <string>
#include <string_view>

namespace lottie {

enum class RenderingEngine { mainThread, coreAnimation };

std::string description(RenderingEngine engine);
// Exactly "Main Thread" or "Core Animation"; nothing for any other text.
std::optional<RenderingEngine> renderingEngineFromText(std::string_view text);

class RenderingEngineOption {
public:
    static RenderingEngineOption automatic() { return RenderingEngineOption(std::nullopt); }
    static RenderingEngineOption specific(RenderingEngine engine) { return RenderingEngineOption(engine); }
    static RenderingEngineOption mainThread() { return specific(RenderingEngine::mainThread); }
    static RenderingEngineOption coreAnimation() { return specific(RenderingEngine::coreAnimation); }
    // Exactly "Automatic", "Main Thread" or "Core Animation"; nothing otherwise.
    static std::optional<RenderingEngineOption> fromText(std::string_view text);

    bool isAutomatic() const { return !engine_; }
    // The engine of a specific option; nothing for automatic.
    std::optional<RenderingEngine> engine() const { return engine_; }
    std::string description() const;

    bool operator==(const RenderingEngineOption& other) const { return description() == other.description(); }

private:
    explicit RenderingEngineOption(std::optional<RenderingEngine> engine) : engine_(engine) {}

    std::optional<RenderingEngine> engine_;
};

}  // namespace lottie
