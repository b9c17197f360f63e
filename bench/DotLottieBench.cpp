// What loading a dotLottie package costs over decoding its animations alone:
// for each package of the corpus, the whole load from bytes in memory (private
// folder, unpacking, manifest, images, every animation, removal) against
// decoding the same animations' JSON from memory. The package load should stay
// within about three times the JSON decode.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Lottie/DotLottie/DotLottieFile.h"
#include "Lottie/DotLottie/DotLottieManifest.h"
#include "Lottie/DotLottie/DotLottieTemporaryFolder.h"
#include "Lottie/DotLottie/PackageFiles.h"
#include "Lottie/DotLottie/Zip/Unzipper.h"
#include "Lottie/Playback/DecodingStrategy.h"

namespace fs = std::filesystem;

namespace {

struct CorpusPackage {
    std::string name;
    platform::foundation::Data bytes;
    // The JSON of each animation the manifest lists, as the package holds it.
    std::vector<std::string> animations;
};

platform::foundation::Data readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return platform::foundation::Data(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Unpacked once, untimed, to take out the animations' JSON.
std::vector<std::string> animationsOf(const fs::path& package) {
    const lottie::DotLottieTemporaryFolder folder(fs::temp_directory_path());
    lottie::Unzipper::extractArchive(package, folder.path() / "p");
    const auto manifestBytes = lottie::packagefiles::read(folder.path() / "p", "manifest.json");
    const auto manifest = lottie::DotLottieManifest::fromData(std::string(manifestBytes.begin(), manifestBytes.end()));
    std::vector<std::string> animations;
    for (const auto& entry : manifest.animations) {
        const auto bytes = lottie::packagefiles::read(folder.path() / "p", fs::path(manifest.usesShortFolderNames() ? "a" : "animations") /
                                                                          (entry.id + ".json"));
        animations.emplace_back(bytes.begin(), bytes.end());
    }
    return animations;
}

std::vector<CorpusPackage> corpusPackages() {
    std::vector<CorpusPackage> packages;
    const fs::path folder = fs::path(PELLOR_CORPUS_DIR) / "dotlottie";
    if (!fs::is_directory(folder)) return packages;
    std::vector<fs::path> paths;
    for (const auto& item : fs::directory_iterator(folder)) {
        if (item.path().extension() == ".lottie") paths.push_back(item.path());
    }
    std::sort(paths.begin(), paths.end());
    for (const fs::path& path : paths) packages.push_back({path.stem().string(), readAll(path), animationsOf(path)});
    return packages;
}

void packageLoad(benchmark::State& state, const CorpusPackage* package) {
    for (auto _ : state) {
        auto file = lottie::DotLottieFile::load(package->bytes, package->name + ".lottie");
        benchmark::DoNotOptimize(file);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * package->bytes.size()));
}

void jsonDecode(benchmark::State& state, const CorpusPackage* package) {
    for (auto _ : state) {
        for (const std::string& json : package->animations) {
            auto animation = lottie::LottieAnimation::fromData(json, lottie::DecodingStrategy::dictionaryBased);
            benchmark::DoNotOptimize(animation);
        }
    }
}

const int registered = [] {
    static const std::vector<CorpusPackage> packages = corpusPackages();
    for (const CorpusPackage& package : packages) {
        benchmark::RegisterBenchmark(("PackageLoad/" + package.name).c_str(), packageLoad, &package)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("JsonDecode/" + package.name).c_str(), jsonDecode, &package)
            ->Unit(benchmark::kMicrosecond);
    }
    return 0;
}();

}  // namespace
