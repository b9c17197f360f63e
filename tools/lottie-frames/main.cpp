// lottie-frames: a development tool that reports on a Lottie document and
// renders its frames. Exit codes: 0 success, 1 the file could not be read or
// decoded (or rendering failed), 2 a usage error or a form this build can't serve.

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Platform/Foundation/Files.h"
#include "Platform/Json/Encoding.h"
#include "Platform/Json/JsonWriter.h"
#include "tools/lottie-frames/FramesOptions.h"

namespace {

// With no rendering engine in this build yet, the automatic choice and both
// explicit ones name the engine that will render; automatic falls back to
// the main-thread engine.
std::string engineName(const lottie::RenderingEngineOption& option) {
    if (option.isAutomatic()) return lottie::description(lottie::RenderingEngine::mainThread);
    return option.description();
}

int printInfo(const lottie::LottieAnimation& animation, const lottieframes::FramesOptions& options) {
    using platform::json::Member;
    using platform::json::Value;
    platform::json::Object info{
        {"width", Value(animation.width)},
        {"height", Value(animation.height)},
        {"frameRate", Value(animation.framerate)},
        {"startFrame", Value(animation.startFrame)},
        {"endFrame", Value(animation.endFrame)},
        {"layers", Value::integer(static_cast<std::int64_t>(animation.layers.size()))},
        {"engine", Value(engineName(options.engine))},
    };
    std::cout << platform::json::serialize(Value(std::move(info))) << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    lottieframes::FramesOptions options;
    try {
        options = lottieframes::parseOptions(arguments);
    } catch (const std::exception& error) {
        std::cerr << "lottie-frames: " << error.what() << "\n" << lottieframes::usage();
        return 2;
    }

    std::shared_ptr<const lottie::LottieAnimation> animation;
    try {
        platform::foundation::Data data = platform::foundation::readFile(options.file);
        std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
        animation = lottie::LottieAnimation::fromData(bytes, options.strategy);
    } catch (const std::exception& error) {
        std::cerr << "lottie-frames: cannot decode " << options.file << ": " << error.what() << "\n";
        return 1;
    }

    switch (options.command) {
        case lottieframes::Command::info: return printInfo(*animation, options);
        case lottieframes::Command::frames:
        case lottieframes::Command::bench:
            std::cerr << "lottie-frames: rendering needs a rendering engine, which this build does not have yet\n";
            return 2;
    }
    return 2;
}
