#include "tools/lottie-frames/FramesOptions.h"

#include <charconv>
#include <stdexcept>

namespace lottieframes {

namespace {

int parseDimension(const std::string& text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0 || value > 16384) {
        throw std::invalid_argument("invalid size \"" + text + "\": expected WIDTHxHEIGHT, each 1 to 16384");
    }
    return value;
}

std::vector<std::string> splitFrames(const std::string& text) {
    std::vector<std::string> frames;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        std::string frame = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        double number = 0;
        auto [end, error] = std::from_chars(frame.data(), frame.data() + frame.size(), number);
        if (frame.empty() || error != std::errc() || end != frame.data() + frame.size()) {
            throw std::invalid_argument("invalid frame \"" + frame + "\" in --frames");
        }
        frames.push_back(frame);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return frames;
}

}  // namespace

std::string usage() {
    return "usage: lottie-frames FILE --info\n"
           "       lottie-frames FILE --frames 0,12.5,30|all --size WxH --out DIR [--background RRGGBBAA]\n"
           "       lottie-frames FILE --bench --size WxH\n"
           "options: --strategy dictionary|codable  --engine main-thread|core-animation|automatic\n"
           "FILE may be a dotLottie package (FILE.lottie); --animation ID picks one of its animations\n"
           "  (the first of its manifest without it), and --info adds \"animations\":[ids]\n"
           "--bench renders every frame twice (an untimed pass, then a timed one) and prints one JSON object;\n"
           "  the engine sets the animation up once, before the untimed pass, so that a timed frame costs\n"
           "  what a playing view pays for a frame (on the Core Animation engine: moving the time, drawing):\n"
           "  frames, decodeMs, buildMs, renderMsMean/Median/P95/Max (timed pass), peakRssKb,\n"
           "  minorFaultsPerFrame (mean over every render), minorFaultsPerFrameAfterWarmUp\n"
           "  (the same after the first 3 renders; null when there are no more) and\n"
           "  minorFaultsPerFrameTimedPass (the same over the timed pass)\n";
}

FramesOptions parseOptions(const std::vector<std::string>& arguments) {
    FramesOptions options;
    bool commandGiven = false;
    auto setCommand = [&](Command command) {
        if (commandGiven) throw std::invalid_argument("give only one of --info, --frames and --bench");
        commandGiven = true;
        options.command = command;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto next = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) throw std::invalid_argument(argument + " needs a value");
            return arguments[++i];
        };
        if (argument == "--info") {
            setCommand(Command::info);
        } else if (argument == "--bench") {
            setCommand(Command::bench);
        } else if (argument == "--frames") {
            setCommand(Command::frames);
            const std::string& list = next();
            if (list == "all") options.allFrames = true;
            else options.frames = splitFrames(list);
        } else if (argument == "--strategy") {
            const std::string& value = next();
            if (value == "dictionary") options.strategy = lottie::DecodingStrategy::dictionaryBased;
            else if (value == "codable") options.strategy = lottie::DecodingStrategy::legacyCodable;
            else throw std::invalid_argument("unknown strategy \"" + value + "\": expected dictionary or codable");
        } else if (argument == "--engine") {
            const std::string& value = next();
            if (value == "main-thread") options.engine = lottie::RenderingEngineOption::mainThread();
            else if (value == "core-animation") options.engine = lottie::RenderingEngineOption::coreAnimation();
            else if (value == "automatic") options.engine = lottie::RenderingEngineOption::automatic();
            else throw std::invalid_argument("unknown engine \"" + value + "\"");
        } else if (argument == "--size") {
            const std::string& value = next();
            auto x = value.find('x');
            if (x == std::string::npos) throw std::invalid_argument("invalid size \"" + value + "\": expected WIDTHxHEIGHT");
            options.width = parseDimension(value.substr(0, x));
            options.height = parseDimension(value.substr(x + 1));
        } else if (argument == "--animation") {
            options.animationId = next();
        } else if (argument == "--out") {
            options.outputDirectory = next();
        } else if (argument == "--background") {
            const std::string& value = next();
            std::uint32_t colour = 0;
            auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), colour, 16);
            if (value.size() != 8 || error != std::errc() || end != value.data() + value.size()) {
                throw std::invalid_argument("invalid background \"" + value + "\": expected RRGGBBAA");
            }
            options.background = colour;
        } else if (!argument.empty() && argument[0] == '-') {
            throw std::invalid_argument("unknown option " + argument);
        } else if (options.file.empty()) {
            options.file = argument;
        } else {
            throw std::invalid_argument("more than one file given");
        }
    }
    if (options.file.empty()) throw std::invalid_argument("no file given");
    if (!commandGiven) throw std::invalid_argument("give one of --info, --frames and --bench");
    if (options.command == Command::frames && options.outputDirectory.empty()) {
        throw std::invalid_argument("--frames needs --out DIR");
    }
    return options;
}

}  // namespace lottieframes
