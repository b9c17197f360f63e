// How far each real document stays from the deadlines in processor time: for
// every corpus document (JSON and dotLottie), every real-world one and two of
// our own (100 confetti pieces flipping over 10 s at 60 fps, and their
// unflipped twin: FlippingConfetti), the
// processor time of its decoding, and on each engine option (automatic, Core
// Animation, main-thread) of its set-up (building the layers), of decoding
// its images for the set-up (once per document: the document keeps them, so
// the option measured first decodes them), of its first display pass (on the
// Core Animation engine, the passes that sample its keyframes) and of its
// slowest frame at 512 x 512, each against the deadline it runs under: a
// set-up and a keyframe pass 0.5 s, a set-up's images 1 s, a frame 1 s, and
// the opening (decoding, set-up, images, first display pass and first frame
// together) 2 s.
// Decoding the document has no deadline of its own; it is taken against the
// set-up's, which follows it. A document's margin is its smallest ratio of
// deadline to time; after
// the runs the benchmark prints each document's margin and phase, those that
// logged a cut (a deadline or a limit), and the smallest margin of all.
// Every document should stay ten times below every deadline, also on a busy
// machine: run it with a build or the test suite going beside it.
//
// One iteration per document (its frames all drawn, every frame up to 240 and
// evenly spaced past that); the times are the process's processor time, and a
// frame's what its deadline counted: the drawing thread's and the coverage
// workers' while they ran its jobs, not their idle waits for the next (which
// a busy machine stretches, far past the frame's own work).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Lottie/Playback/Engine/LayerBuildWeight.h"
#include "bench/FlippingConfetti.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Lottie/Playback/Providers/ImagePixelBudget.h"
#include "Platform/Compositor/RenderBudget.h"
#include "Platform/Graphics/OpeningDeadline.h"
#include "tools/lottie-frames/FrameRenderer.h"
#include "tools/lottie-frames/FramesDocument.h"

namespace {

namespace fs = std::filesystem;
using lottie::RenderingEngineOption;

constexpr double setUpDeadline = lottie::LayerBuildWeight::setUpDeadlineSeconds;
constexpr double frameDeadline = platform::compositor::RenderBudget::drawingDeadlineSeconds;
constexpr double imagesDeadline = lottie::ImagePixelBudget::decodingDeadlineSeconds;
constexpr int mostFrames = 240;
constexpr double wanted = 10;

double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <class Work>
double timed(const Work& work) {
    const double start = processorSeconds();
    work();
    return processorSeconds() - start;
}

// The document's image provider, adding up the processor time of the
// decoding asked of it (the engines wrap it in the document's image cache, so
// it is asked for each image once).
class TimedImageProvider : public lottie::AnimationImageProvider {
public:
    explicit TimedImageProvider(std::shared_ptr<lottie::AnimationImageProvider> wrapped)
        : wrapped_(std::move(wrapped)) {}

    bool mayBeCached() const override { return wrapped_->mayBeCached(); }
    std::shared_ptr<const platform::graphics::Image> imageForAsset(const lottie::ImageAsset& asset) const override {
        std::shared_ptr<const platform::graphics::Image> image;
        seconds_ += timed([&] { image = wrapped_->imageForAsset(asset); });
        return image;
    }
    std::shared_ptr<const platform::graphics::Image> imageForAssetWithinBudget(
        const lottie::ImageAsset& asset, lottie::ImagePixelBudget& budget) const override {
        std::shared_ptr<const platform::graphics::Image> image;
        seconds_ += timed([&] { image = wrapped_->imageForAssetWithinBudget(asset, budget); });
        return image;
    }
    platform::compositor::ContentsGravity gravityForAsset(const lottie::ImageAsset& asset) const override {
        return wrapped_->gravityForAsset(asset);
    }
    std::optional<std::string> sharingKey() const override { return wrapped_->sharingKey(); }

    // The time added up since the last call.
    double takeSeconds() { return std::exchange(seconds_, 0); }

private:
    std::shared_ptr<lottie::AnimationImageProvider> wrapped_;
    mutable double seconds_ = 0;
};

// The smallest margin a document keeps, in which phase, and whether it logged a cut.
struct Margin {
    double ratio = std::numeric_limits<double>::infinity();
    std::string phase;
    std::vector<std::string> cuts;

    void add(const std::string& name, double seconds, double deadline, benchmark::State& state) {
        state.counters[name + "Ms"] = seconds * 1000;
        const double ratio = seconds > 0 ? deadline / seconds : std::numeric_limits<double>::infinity();
        if (ratio < this->ratio) {
            this->ratio = ratio;
            phase = name;
        }
    }
};

std::map<std::string, Margin>& margins() {
    static std::map<std::string, Margin> byDocument;
    return byDocument;
}

// The messages the library logs that say a deadline or a limit cut something.
std::vector<std::string>& logged() {
    static std::vector<std::string> messages;
    return messages;
}

void installRecordingLogger() {
    const auto keep = [](const lottie::LottieLogger::Message& message, std::string_view, unsigned) {
        const std::string text = message();
        for (const char* cut : {"deadline", "passed its budget", "would take more than", "left out", "not shown"}) {
            if (text.find(cut) != std::string::npos) {
                logged().push_back(text.substr(0, text.find('\n')));
                return;
            }
        }
    };
    lottie::LottieLogger::setShared(std::make_shared<lottie::LottieLogger>(
        [](const lottie::LottieLogger::Condition&, const lottie::LottieLogger::Message&, std::string_view,
           unsigned) {},
        keep, keep, [](const lottie::LottieLogger::Message&) {}));
}

std::vector<double> framesOf(const lottie::LottieAnimation& animation) {
    std::vector<double> frames;
    const double first = animation.startFrame, last = animation.endFrame;
    const double count = std::max(1.0, std::floor(last - first));
    const double step = count > mostFrames ? count / mostFrames : 1;
    for (double frame = first; frame < last || frames.empty(); frame += step) frames.push_back(frame);
    return frames;
}

void measure(benchmark::State& state, const fs::path& file, const std::string& name) {
    for (auto _ : state) {
        logged().clear();
        Margin margin;
        lottieframes::FramesOptions options;
        options.file = file.string();
        lottieframes::FramesDocument document;
        double decoding = 0;
        try {
            decoding = timed([&] { document = lottieframes::FramesDocument::load(options); });
            margin.add("decode", decoding, setUpDeadline, state);
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            return;
        }
        const std::vector<double> frames = framesOf(*document.animation);
        const auto images = document.images ? std::make_shared<TimedImageProvider>(document.images) : nullptr;
        for (const auto& [engine, choice] :
             {std::pair{"automatic", RenderingEngineOption::automatic()},
              std::pair{"coreAnimation", RenderingEngineOption::coreAnimation()},
              std::pair{"mainThread", RenderingEngineOption::mainThread()}}) {
            // A copy the lambdas below can capture (Clang 14 captures no structured bindings).
            const RenderingEngineOption option = choice;
            const std::string prefix = engine;
            std::unique_ptr<lottieframes::FrameRenderer> renderer;
            try {
                const double setUp = timed([&] {
                    renderer = std::make_unique<lottieframes::FrameRenderer>(document.animation, 512, 512,
                                                                             std::nullopt, option, images);
                });
                const double decodingImages = images ? images->takeSeconds() : 0;
                margin.add(prefix + "SetUp", setUp - decodingImages, setUpDeadline, state);
                margin.add(prefix + "Images", decodingImages, imagesDeadline, state);
                const double keyframes = timed([&] { renderer->settleEngine(); });
                margin.add(prefix + "Keyframes", keyframes, setUpDeadline, state);
                double slowest = 0;
                std::optional<double> first;
                for (double frame : frames) {
                    benchmark::DoNotOptimize(renderer->render(frame));
                    const auto& deadline = platform::compositor::RenderBudget::lastFrameDeadline();
                    if (deadline) slowest = std::max(slowest, deadline->spent());
                    if (!first) first = deadline ? deadline->spent() : 0;
                }
                margin.add(prefix + "Opening", decoding + setUp + keyframes + first.value_or(0),
                           platform::graphics::OpeningDeadline::seconds, state);
                margin.add(prefix + "SlowestFrame", slowest, frameDeadline, state);
            } catch (const std::exception& error) {
                margin.cuts.push_back(prefix + " failed: " + error.what());
            }
        }
        state.counters["margin"] = margin.ratio;
        state.counters["frames"] = static_cast<double>(frames.size());
        margin.cuts.insert(margin.cuts.end(), logged().begin(), logged().end());
        margins()[name] = margin;
    }
}

void addDocuments(const fs::path& folder, const std::string& prefix) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        std::fprintf(stderr, "bench_margins: %s is absent; its documents are not measured\n", folder.c_str());
        return;
    }
    std::vector<fs::path> files;
    for (auto it = fs::recursive_directory_iterator(folder, error); it != fs::recursive_directory_iterator();
         it.increment(error)) {
        if (error) break;
        const fs::path& path = it->path();
        const bool json = path.extension() == ".json" && path.string().find("schema") == std::string::npos;
        if (json || path.extension() == ".lottie") files.push_back(path);
    }
    std::ranges::sort(files);
    for (const fs::path& file : files) {
        const std::string name = prefix + fs::relative(file, folder).string();
        benchmark::RegisterBenchmark(("Margins/" + name).c_str(),
                                     [file, name](benchmark::State& state) { measure(state, file, name); })
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
}

// Documents of our own, written to a folder of their own for the run: 100
// confetti pieces flipping over 10 s at 60 fps, and their unflipped twin.
// Returns the folder, which the run removes once measured.
fs::path addGeneratedDocuments() {
    std::error_code error;
    const fs::path folder = fs::temp_directory_path(error) / ("pellor-bench-margins-" + std::to_string(::getpid()));
    fs::create_directories(folder, error);
    for (const bool flipped : {true, false}) {
        const fs::path file = folder / (flipped ? "confetti-flipping-100x10s.json" : "confetti-unflipped-100x10s.json");
        std::ofstream(file) << benchdocuments::flippingConfetti(100, 10, 60, flipped);
        const std::string name = "generated/" + file.filename().string();
        benchmark::RegisterBenchmark(("Margins/" + name).c_str(),
                                     [file, name](benchmark::State& state) { measure(state, file, name); })
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    return folder;
}

void printSummary() {
    const std::pair<const std::string, Margin>* smallest = nullptr;
    std::printf("\nMargins (deadline / processor time, smallest phase of each document; wanted %.0fx):\n", wanted);
    for (const auto& entry : margins()) {
        const Margin& margin = entry.second;
        std::printf("  %8.1fx  %-24s %s%s\n", margin.ratio, margin.phase.c_str(), entry.first.c_str(),
                    margin.ratio < wanted ? "  (below the wanted margin)" : "");
        for (const std::string& cut : margin.cuts) std::printf("            said: %s\n", cut.c_str());
        if (!smallest || margin.ratio < smallest->second.ratio) smallest = &entry;
    }
    if (smallest) {
        std::printf("Smallest margin: %.1fx (%s of %s)\n", smallest->second.ratio, smallest->second.phase.c_str(),
                    smallest->first.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    installRecordingLogger();
    addDocuments(PELLOR_CORPUS_DIR, "");
    addDocuments(PELLOR_REALWORLD_DIR, "realworld/");
    const fs::path generated = addGeneratedDocuments();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code error;
    fs::remove_all(generated, error);
    printSummary();
    return 0;
}
