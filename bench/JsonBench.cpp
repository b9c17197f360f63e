// Parsing speed of the JSON object parser over the corpus of real animations.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Platform/Json/JsonParser.h"
#include "bench/CorpusJson.h"

namespace {

std::string corpusText() {
    // Every JSON file of the corpus, parsed one after the other per iteration.
    static std::string all = [] {
        std::string joined;
        for (const auto& [file, text] : pellorbench::corpusJson()) {
            joined += text;
            joined += '\0';
        }
        return joined;
    }();
    return all;
}

void BM_ParseCorpus(benchmark::State& state) {
    const std::string all = corpusText();
    for (auto _ : state) {
        std::size_t start = 0;
        while (start < all.size()) {
            std::size_t end = all.find('\0', start);
            auto value = platform::json::parse(std::string_view(all).substr(start, end - start));
            benchmark::DoNotOptimize(value);
            start = end + 1;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * all.size()));
}
BENCHMARK(BM_ParseCorpus)->Unit(benchmark::kMillisecond);

}  // namespace
