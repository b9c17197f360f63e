// Unpacking speed of the ZIP reader on two 20 MB archives made with the zip
// program at start-up: one of many small files and one of a few large deflated
// files. Reports uncompressed MB/s. Set PELLOR_ZIP_BENCH_KEEP to a folder to keep
// the archives there (for timing other unpackers on the same files).

#include "Lottie/DotLottie/Zip/Unzipper.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t totalBytes = 20u << 20;

// Text shaped like animation documents: it deflates to roughly a third.
std::string documentText(std::size_t size, unsigned seed)
{
    static const char* words[] = {"{\"ty\":4,", "\"ks\":{", "\"k\":[", "0.5,", "120.25,", "\"nm\":\"Layer\",",
                                  "\"ip\":0,", "\"op\":60,", "],", "}\n"};
    std::mt19937 random(seed);
    std::string text;
    text.reserve(size + 32);
    while (text.size() < size) {
        if (random() % 4 == 0) {
            text += std::to_string(random() % 100000);
        } else {
            text += words[random() % 10];
        }
    }
    text.resize(size);
    return text;
}

struct BenchArchives {
    fs::path folder;
    bool keep = false;
    fs::path manySmall;
    fs::path fewLarge;

    BenchArchives()
    {
        if (const char* kept = std::getenv("PELLOR_ZIP_BENCH_KEEP")) {
            folder = kept;
            keep = true;
            fs::create_directories(folder);
        } else {
            std::string pattern = (fs::temp_directory_path() / "zipbench-XXXXXX").string();
            if (mkdtemp(pattern.data()) == nullptr) {
                throw std::runtime_error("cannot create a temporary folder");
            }
            folder = pattern;
        }
        manySmall = make("small", 5120, 1);
        fewLarge = make("large", 4, 2);
    }

    ~BenchArchives()
    {
        std::error_code error;
        fs::remove_all(folder / "small", error);
        fs::remove_all(folder / "large", error);
        fs::remove_all(folder / "out", error);
        if (!keep) {
            fs::remove_all(folder, error);
        }
    }

    fs::path make(const std::string& name, std::size_t files, unsigned seed)
    {
        const fs::path source = folder / name;
        fs::remove_all(source);
        for (std::size_t i = 0; i < files; ++i) {
            // Built with append: GCC 12 misreports string concatenation here under -O3.
            std::string folderName = "d";
            folderName.append(std::to_string(i % 16));
            std::string fileName = "f";
            fileName.append(std::to_string(i)).append(".json");
            const fs::path file = source / folderName / fileName;
            fs::create_directories(file.parent_path());
            std::ofstream(file, std::ios::binary) << documentText(totalBytes / files, seed * 7919 + unsigned(i));
        }
        const fs::path archive = folder / (name + ".zip");
        fs::remove(archive);
        const std::string command = "cd '" + source.string() + "' && zip -q -r '" + archive.string() + "' .";
        if (std::system(command.c_str()) != 0) {
            throw std::runtime_error("zip failed");
        }
        return archive;
    }
};

BenchArchives& archives()
{
    static BenchArchives instance;
    return instance;
}

void unpack(benchmark::State& state, const fs::path& archive)
{
    const fs::path destination = archives().folder / "out";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(destination);
        state.ResumeTiming();
        lottie::Unzipper::extractArchive(archive, destination);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * totalBytes));
    state.counters["archive_MB"] = static_cast<double>(fs::file_size(archive)) / (1 << 20);
    fs::remove_all(destination);
}

void BM_UnzipManySmallFiles(benchmark::State& state)
{
    unpack(state, archives().manySmall);
}

void BM_UnzipFewLargeFiles(benchmark::State& state)
{
    unpack(state, archives().fewLarge);
}

}  // namespace

BENCHMARK(BM_UnzipManySmallFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_UnzipFewLargeFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
