// Decoding speed of whole documents, by both strategies, over the corpus of
// real animations (parse included: that is what a user waits for), beside
// the bare JSON parse of the same bytes; and the memory the decoded model of
// each document keeps, against the document's size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Json/JsonParser.h"
#include "Platform/Json/JsonWriter.h"
#include "bench/CorpusJson.h"
#include "bench/DocumentMemory.h"

namespace {

const std::vector<std::string>& corpusDocuments() {
    static std::vector<std::string> documents = [] {
        std::vector<std::string> texts;
        for (auto& [file, text] : pellorbench::corpusJson()) texts.push_back(std::move(text));
        return texts;
    }();
    return documents;
}

std::int64_t corpusBytes() {
    std::int64_t bytes = 0;
    for (const auto& text : corpusDocuments()) bytes += static_cast<std::int64_t>(text.size());
    return bytes;
}

// The baseline: the JSON object parser alone over the same documents.
void BM_ParseCorpus(benchmark::State& state) {
    const auto& documents = corpusDocuments();
    for (auto _ : state) {
        for (const auto& text : documents) benchmark::DoNotOptimize(platform::json::parse(text));
    }
    state.SetBytesProcessed(state.iterations() * corpusBytes());
}

void decodeCorpus(benchmark::State& state, lottie::DecodingStrategy strategy) {
    const auto& documents = corpusDocuments();
    for (auto _ : state) {
        for (const auto& text : documents) {
            try {
                benchmark::DoNotOptimize(lottie::LottieAnimation::fromData(text, strategy));
            } catch (const std::exception&) {
                // Documents this strategy refuses still cost their parse.
            }
        }
    }
    state.SetBytesProcessed(state.iterations() * corpusBytes());
    state.counters["documents"] = static_cast<double>(documents.size());
}

void BM_DecodeCorpusDictionary(benchmark::State& state) { decodeCorpus(state, lottie::DecodingStrategy::dictionaryBased); }
void BM_DecodeCorpusKeyedContainer(benchmark::State& state) { decodeCorpus(state, lottie::DecodingStrategy::legacyCodable); }

// Heap bytes a decoded model keeps (the parsed tree is gone once fromData
// returns), per document that the strategy accepts, against the document's
// bytes as stored and as compact JSON. One uncounted decode of every document
// first, so that what the library builds once per process (shared default
// values, the parser's buffers) is not charged to whichever document comes first.
void modelMemory(benchmark::State& state, lottie::DecodingStrategy strategy) {
    for (const auto& text : corpusDocuments()) {
        try {
            benchmark::DoNotOptimize(lottie::LottieAnimation::fromData(text, strategy));
        } catch (const std::exception&) {
        }
    }
    double modelTotal = 0, documentTotal = 0, compactTotal = 0, worst = 0, worstCompact = 0;
    int decoded = 0;
    for (auto _ : state) {
        modelTotal = documentTotal = compactTotal = worst = worstCompact = 0;
        decoded = 0;
        for (const auto& text : corpusDocuments()) {
            const double compact = static_cast<double>(platform::json::serialize(platform::json::parse(text)).size());
            documentbench::countHeap(true);
            const std::size_t before = documentbench::liveHeapBytes();
            std::shared_ptr<const lottie::LottieAnimation> animation;
            try {
                animation = lottie::LottieAnimation::fromData(text, strategy);
            } catch (const std::exception&) {
                documentbench::countHeap(false);
                continue;
            }
            const double model = static_cast<double>(documentbench::liveHeapBytes() - before);
            benchmark::DoNotOptimize(animation);
            animation.reset();
            documentbench::countHeap(false);
            ++decoded;
            modelTotal += model;
            documentTotal += static_cast<double>(text.size());
            compactTotal += compact;
            worst = std::max(worst, model / static_cast<double>(text.size()));
            worstCompact = std::max(worstCompact, model / compact);
        }
    }
    state.counters["documents"] = decoded;
    state.counters["modelPerDocument"] = modelTotal / documentTotal;
    state.counters["modelPerCompactDocument"] = modelTotal / compactTotal;
    state.counters["worstModelPerDocument"] = worst;
    state.counters["worstModelPerCompactDocument"] = worstCompact;
}

void BM_ModelMemoryDictionary(benchmark::State& state) { modelMemory(state, lottie::DecodingStrategy::dictionaryBased); }
void BM_ModelMemoryKeyedContainer(benchmark::State& state) { modelMemory(state, lottie::DecodingStrategy::legacyCodable); }

BENCHMARK(BM_ParseCorpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeCorpusDictionary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeCorpusKeyedContainer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelMemoryDictionary)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ModelMemoryKeyedContainer)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
