// The largest inputs the reading bounds admit, read as the hostile documents
// that hold them are: an image entry of 243 MB (a JPEG behind APP2 markers
// that are no colour profile) inflated from an 8 MB package, and a JSON file
// of 240 MB (whitespace, then a string of 40 MB) that decoding refuses by its
// cost. Processor time per read, within the 2 s an opening has; nearly all of
// it was page faults of fresh memory before their buffers asked for huge pages.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "Lottie/DotLottie/PackageArchive.h"
#include "Platform/Foundation/Files.h"
#include "Platform/Json/JsonParser.h"
#include "Platform/Json/ParseError.h"
#include "tests/Lottie/DotLottie/Zip/TestZipWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t megabyte = std::size_t(1) << 20;

// APP2 markers of 64 KB that are no colour profile, a run of letters with one
// in twenty changed so that they deflate some thirty to one, as a hostile
// package's do; then the end of an image.
ziptest::Bytes markedJpeg(std::size_t bytes) {
    ziptest::Bytes marker{0xFF, 0xE2, 0xFF, 0xFF};
    const std::string name = "NOTAPROFILE";
    marker.insert(marker.end(), name.begin(), name.end());
    marker.push_back(0);
    std::uint32_t state = 1;
    while (marker.size() < 65537) {
        state = state * 1664525u + 1013904223u;
        marker.push_back((state >> 24) % 20 == 0 ? std::uint8_t('a' + (state >> 8) % 2) : std::uint8_t('a'));
    }
    ziptest::Bytes jpeg{0xFF, 0xD8};
    while (jpeg.size() + marker.size() <= bytes) jpeg.insert(jpeg.end(), marker.begin(), marker.end());
    jpeg.push_back(0xFF);
    jpeg.push_back(0xD9);
    return jpeg;
}

void BM_ReadLargeImageEntry(benchmark::State& state) {
    ziptest::TestEntry entry;
    entry.name = ziptest::bytesOf("images/img_0.jpg");
    entry.data = markedJpeg(243 * megabyte);
    entry.method = 8;
    const ziptest::TestArchive archive = ziptest::writeTestArchive({entry});
    const platform::foundation::Data package(archive.bytes.begin(), archive.bytes.end());
    state.counters["packageMB"] = static_cast<double>(package.size()) / megabyte;
    for (auto _ : state) {
        lottie::PackageArchive reader(package, lottie::ExtractionLimits{});
        const auto files = reader.filesIn("images");
        const auto bytes = reader.read(files.at(0).recordOffset).bytes;
        benchmark::DoNotOptimize(bytes.data());
        state.counters["entryMB"] = static_cast<double>(bytes.size()) / megabyte;
    }
}
BENCHMARK(BM_ReadLargeImageEntry)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(3);

void BM_RefuseLargeJsonFile(benchmark::State& state) {
    const fs::path path = fs::temp_directory_path() / "pellor-bench-refused.json";
    {
        std::ofstream out(path, std::ios::binary);
        out << R"({"v":"5.7.0","fr":30,"ip":0,"op":60,"w":512,"h":512,"layers":[],)";
        out << std::string(200 * megabyte, ' ') << R"("nm":")" << std::string(40 * megabyte, 'y') << "\"}";
    }
    for (auto _ : state) {
        const platform::foundation::Data text = platform::foundation::readFile(path, platform::json::parserPadding);
        try {
            platform::json::parse(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()),
                                  text.capacity() - text.size());
            state.SkipWithError("the text was not refused");
        } catch (const platform::json::ParseError&) {
        }
    }
    fs::remove(path);
}
BENCHMARK(BM_RefuseLargeJsonFile)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
