// Decoding speed of whole documents, by both strategies, over the corpus of
// real animations (parse included: that is what a user waits for).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"

namespace {

const std::vector<std::string>& corpusDocuments() {
    static std::vector<std::string> documents = [] {
        std::vector<std::string> texts;
        std::error_code error;
        for (auto it = std::filesystem::recursive_directory_iterator(PELLOR_CORPUS_DIR, error);
             it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            if (error) break;
            if (it->path().extension() != ".json" || it->path().string().find("schema") != std::string::npos) continue;
            std::ifstream in(it->path(), std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            texts.push_back(text.str());
        }
        return texts;
    }();
    return documents;
}

void decodeCorpus(benchmark::State& state, lottie::DecodingStrategy strategy) {
    const auto& documents = corpusDocuments();
    std::int64_t bytes = 0;
    for (const auto& text : documents) bytes += static_cast<std::int64_t>(text.size());
    for (auto _ : state) {
        for (const auto& text : documents) {
            try {
                benchmark::DoNotOptimize(lottie::LottieAnimation::fromData(text, strategy));
            } catch (const std::exception&) {
                // Documents this strategy refuses still cost their parse.
            }
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["documents"] = static_cast<double>(documents.size());
}

void BM_DecodeCorpusDictionary(benchmark::State& state) { decodeCorpus(state, lottie::DecodingStrategy::dictionaryBased); }
void BM_DecodeCorpusKeyedContainer(benchmark::State& state) { decodeCorpus(state, lottie::DecodingStrategy::legacyCodable); }

BENCHMARK(BM_DecodeCorpusDictionary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeCorpusKeyedContainer)->Unit(benchmark::kMillisecond);

}  // namespace
