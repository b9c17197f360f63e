// lottie-frames: a development tool that reports on a Lottie document and
// renders its frames. Exit codes: 0 success, 1 the file could not be read or
// decoded (or rendering failed), 2 a usage error or a form this build can't serve.

#include <sys/resource.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <numeric>
#include <memory>
#include <string>
#include <vector>

#include "Lottie/DotLottie/DotLottieError.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/ReportPrinter.h"
#include "Platform/Json/Encoding.h"
#include "Platform/Json/JsonWriter.h"
#include "tools/lottie-frames/FrameRenderer.h"
#include "tools/lottie-frames/FramesDocument.h"
#include "tools/lottie-frames/FramesOptions.h"

namespace {

// The engine that renders, in the command line's own words.
std::string engineName(std::optional<lottie::RenderingEngine> engine) {
    if (engine == lottie::RenderingEngine::coreAnimation) return "core-animation";
    return "main-thread";
}

// The engine the option ends up on for this document: a named one as it is,
// the automatic choice once the animation is set up at its first frame.
std::string engineName(const lottieframes::FramesDocument& document, const lottieframes::FramesOptions& options) {
    if (!options.engine.isAutomatic()) return engineName(options.engine.engine());
    try {
        lottieframes::FrameRenderer renderer(document.animation, 1, 1, std::nullopt, options.engine, document.images);
        renderer.animationLayer()->pauseAt(lottie::LottiePlaybackMode::PausedState::frame(document.animation->startFrame));
        renderer.settleEngine();
        return engineName(renderer.activeEngine());
    } catch (const std::exception&) {
        // A document without a drawable size is never set up by either engine.
        return engineName(lottie::RenderingEngine::mainThread);
    }
}

int printInfo(const lottieframes::FramesDocument& document, const lottieframes::FramesOptions& options) {
    using platform::json::Member;
    using platform::json::Value;
    const lottie::LottieAnimation& animation = *document.animation;
    platform::json::Object info{
        {"width", Value(animation.width)},
        {"height", Value(animation.height)},
        {"frameRate", Value(animation.framerate)},
        {"startFrame", Value(animation.startFrame)},
        {"endFrame", Value(animation.endFrame)},
        {"layers", Value::integer(static_cast<std::int64_t>(animation.layers.size()))},
        {"engine", Value(engineName(document, options))},
    };
    if (document.animationIds) {
        platform::json::Array ids;
        for (const std::string& id : *document.animationIds) ids.push_back(Value(id));
        info.push_back({"animations", Value(std::move(ids))});
    }
    std::cout << platform::json::serialize(Value(std::move(info))) << '\n';
    return 0;
}

// "--frames all" and the benchmark render every frame from the start to the end
// frame; a document asking for more than this many is refused rather than
// rendered for days.
constexpr double maximumFrameCount = 100'000;

struct NamedFrame {
    double frame;
    std::string name;
};

std::string frameName(double frame) {
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, frame);
    if (error != std::errc()) return "frame";
    return std::string(buffer, end);
}

std::vector<NamedFrame> allFrames(const lottie::LottieAnimation& animation) {
    const double start = animation.startFrame;
    const double end = animation.endFrame;
    if (!std::isfinite(start) || !std::isfinite(end)) throw std::runtime_error("the animation's frame range is not finite");
    if (end - start + 1 > maximumFrameCount) throw std::runtime_error("the animation has too many frames to render");
    std::vector<NamedFrame> frames;
    for (double frame = start; frame <= end; frame += 1) frames.push_back({frame, frameName(frame)});
    return frames;
}

std::vector<NamedFrame> requestedFrames(const lottie::LottieAnimation& animation,
                                        const lottieframes::FramesOptions& options) {
    if (options.allFrames) return allFrames(animation);
    std::vector<NamedFrame> frames;
    for (const std::string& text : options.frames) {
        double frame = 0;
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), frame);
        if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(frame)) {
            throw std::runtime_error("invalid frame \"" + text + "\"");
        }
        frames.push_back({frame, text});
    }
    return frames;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

int renderFrames(const lottieframes::FramesDocument& document, const lottieframes::FramesOptions& options) {
    const std::vector<NamedFrame> frames = requestedFrames(*document.animation, options);
    std::filesystem::create_directories(options.outputDirectory);
    lottieframes::FrameRenderer renderer(document.animation, options.width, options.height, options.background,
                                         options.engine, document.images);
    for (const NamedFrame& frame : frames) {
        auto image = renderer.render(frame.frame);
        const std::filesystem::path path = std::filesystem::path(options.outputDirectory) / ("frame-" + frame.name + ".png");
        if (!image->writePNG(path)) throw std::runtime_error("cannot write " + path.string());
    }
    return 0;
}

long minorFaultsSoFar() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Renders the frame and adds the minor page faults it caused to the list. A
// steady-state frame should cause none: every fault is the kernel handing out a
// fresh page for a buffer the renderer did not reuse.
void renderCountingFaults(lottieframes::FrameRenderer& renderer, double frame, std::vector<long>& faults) {
    const long before = minorFaultsSoFar();
    renderer.render(frame);
    faults.push_back(minorFaultsSoFar() - before);
}

// The first renders fill the caches and pools a steady state reuses; the fault
// figure after them says whether anything is still allocated afresh per frame.
constexpr std::size_t faultWarmUpRenders = 3;

double meanFaults(std::vector<long>::const_iterator begin, std::vector<long>::const_iterator end) {
    return static_cast<double>(std::accumulate(begin, end, 0L)) / static_cast<double>(end - begin);
}

int runBenchmark(const lottieframes::FramesDocument& document, const lottieframes::FramesOptions& options,
                 double decodeMs) {
    const std::vector<NamedFrame> frames = allFrames(*document.animation);
    const auto buildStart = std::chrono::steady_clock::now();
    lottieframes::FrameRenderer renderer(document.animation, options.width, options.height, options.background,
                                         options.engine, document.images);
    const double buildMs = millisecondsSince(buildStart);
    // Faults are counted around every render, the untimed first pass included,
    // so that the first figure shows the cold start and the second the steady state.
    std::vector<long> faults;
    faults.reserve(2 * frames.size());
    for (const NamedFrame& frame : frames) renderCountingFaults(renderer, frame.frame, faults);
    std::vector<double> times;
    times.reserve(frames.size());
    for (const NamedFrame& frame : frames) {
        const auto start = std::chrono::steady_clock::now();
        renderCountingFaults(renderer, frame.frame, faults);
        times.push_back(millisecondsSince(start));
    }
    double mean = 0;
    double median = 0;
    double p95 = 0;
    double worst = 0;
    if (!times.empty()) {
        mean = std::accumulate(times.begin(), times.end(), 0.0) / static_cast<double>(times.size());
        std::vector<double> sorted = times;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t middle = sorted.size() / 2;
        median = sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
        const auto index = static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(sorted.size()))) - 1;
        p95 = sorted[std::min(index, sorted.size() - 1)];
        worst = sorted.back();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    using platform::json::Value;
    platform::json::Object report{
        {"frames", Value::integer(static_cast<std::int64_t>(frames.size()))},
        {"decodeMs", Value(decodeMs)},
        {"buildMs", Value(buildMs)},
        {"renderMsMean", Value(mean)},
        {"renderMsMedian", Value(median)},
        {"renderMsP95", Value(p95)},
        {"renderMsMax", Value(worst)},
        {"peakRssKb", Value::integer(static_cast<std::int64_t>(usage.ru_maxrss))},
        {"minorFaultsPerFrame", faults.empty() ? Value() : Value(meanFaults(faults.begin(), faults.end()))},
        {"minorFaultsPerFrameAfterWarmUp",
         faults.size() <= faultWarmUpRenders
             ? Value()
             : Value(meanFaults(faults.begin() + faultWarmUpRenders, faults.end()))},
        // The second time through, every frame has been drawn once: buffers that
        // grow with the animation have reached their size.
        {"minorFaultsPerFrameTimedPass",
         frames.empty() ? Value() : Value(meanFaults(faults.end() - static_cast<std::ptrdiff_t>(frames.size()),
                                                     faults.end()))},
    };
    std::cout << platform::json::serialize(Value(std::move(report))) << '\n';
    return 0;
}

// Prints the library's warnings (what a limit on hostile documents cut, say)
// on standard error, each text once however many frames repeat it.
void installWarningPrinter() {
    lottie::LottieLogger::setShared(lottie::ReportPrinter::logger(std::cerr, "lottie-frames: warning: "));
}

}  // namespace

int main(int argc, char** argv) {
    installWarningPrinter();
    std::vector<std::string> arguments(argv + 1, argv + argc);
    lottieframes::FramesOptions options;
    try {
        options = lottieframes::parseOptions(arguments);
    } catch (const std::exception& error) {
        std::cerr << "lottie-frames: " << error.what() << "\n" << lottieframes::usage();
        return 2;
    }

    lottieframes::FramesDocument document;
    const auto decodeStart = std::chrono::steady_clock::now();
    try {
        document = lottieframes::FramesDocument::load(options);
    } catch (const std::invalid_argument& error) {
        std::cerr << "lottie-frames: " << error.what() << "\n" << lottieframes::usage();
        return 2;
    } catch (const lottie::DotLottieError& error) {
        if (error.kind() == lottie::DotLottieError::Kind::animationNotAvailable && options.animationId) {
            std::cerr << "lottie-frames: " << options.file << " has no animation \"" << *options.animationId << "\"\n";
        } else {
            std::cerr << "lottie-frames: cannot decode " << options.file << ": " << error.what() << "\n";
        }
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "lottie-frames: cannot decode " << options.file << ": " << error.what() << "\n";
        return 1;
    }

    const double decodeMs = millisecondsSince(decodeStart);

    if (options.command == lottieframes::Command::info) return printInfo(document, options);
    try {
        if (options.command == lottieframes::Command::frames) return renderFrames(document, options);
        return runBenchmark(document, options, decodeMs);
    } catch (const std::exception& error) {
        std::cerr << "lottie-frames: cannot render " << options.file << ": " << error.what() << "\n";
        return 1;
    }
}
