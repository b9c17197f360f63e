#include "bench/PeersMemory.h"

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>

#include "bench/ChildPeakMemory.h"
#include "bench/PeersReport.h"
#include "bench/SharedViewsMemory.h"

namespace peersbench {

namespace {

std::optional<long> childPeak(const char* renderer, const CorpusDocument* document) {
    return childPeakKilobytes({memoryChildArgument, renderer, document ? document->path.string() : ""});
}

// KiB that each view beyond the first added in a shared-views child, or
// nothing when the child failed.
std::optional<double> perExtraView(const char* renderer, const CorpusDocument& document) {
    const auto output = childOutput({memoryChildArgument, renderer, document.path.string()});
    if (!output) return std::nullopt;
    std::istringstream figures(*output);
    long first = 0, all = 0;
    if (!(figures >> first >> all)) return std::nullopt;
    return static_cast<double>(all - first) / (sharedViewCount - 1);
}

// The worst ratio to the peer and the document that has it.
struct Worst {
    double ratio = 0;
    std::string name = "none";

    void consider(double candidate, const std::string& document) {
        if (candidate <= ratio) return;
        ratio = candidate;
        name = document;
    }
};

// Both engines' cost per extra view of a shared document against the peer's,
// over the same-feature documents.
void measureSharedViews(std::vector<CorpusDocument>& documents) {
    std::printf("\nresident memory per extra animation of one document shared by %d views (two frames drawn at "
                "32x32 each), KiB: (after all - after the first) / %d\n",
                sharedViewCount, sharedViewCount - 1);
    std::printf("%-66s %10s %10s %10s %8s %8s\n", "document", "main", "automatic", "peer", "main/p", "auto/p");
    std::vector<double> mainRatios, automaticRatios;
    Worst mainWorst, automaticWorst;
    for (auto& document : documents) {
        if (!document.sameFeatures()) continue;
        const auto main = perExtraView(sharedViewsMainThread, document);
        const auto automatic = perExtraView(sharedViewsAutomatic, document);
        const auto peer = perExtraView(sharedViewsPeer, document);
        if (!main || !automatic || !peer) {
            std::printf("%-66s %s\n", document.name.c_str(), "not measured: a child failed");
            continue;
        }
        if (*peer <= 0) {
            // Below the counters' resolution: no ratio to speak of.
            std::printf("%-66s %10.1f %10.1f %10.1f %8s %8s\n", document.name.c_str(), *main, *automatic, *peer,
                        "-", "-");
            continue;
        }
        const double mainRatio = std::max(0.0, *main) / *peer;
        const double automaticRatio = std::max(0.0, *automatic) / *peer;
        std::printf("%-66s %10.1f %10.1f %10.1f %8.2f %8.2f\n", document.name.c_str(), *main, *automatic, *peer,
                    mainRatio, automaticRatio);
        mainRatios.push_back(mainRatio);
        automaticRatios.push_back(automaticRatio);
        mainWorst.consider(mainRatio, document.name);
        automaticWorst.consider(automaticRatio, document.name);
    }
    std::printf("per extra animation (ours / peer) over %zu documents, target median at most 2.5 and worst at most 6:\n",
                mainRatios.size());
    std::printf("  main-thread: median %.2f, worst %.2f in %s\n", median(mainRatios), mainWorst.ratio,
                mainWorst.name.c_str());
    std::printf("  automatic:   median %.2f, worst %.2f in %s\n", median(automaticRatios), automaticWorst.ratio,
                automaticWorst.name.c_str());
}

}  // namespace

void measureMemory(std::vector<CorpusDocument>& documents) {
    // Classifying the corpus left freed pages behind; give them back so that
    // the children start from the program alone.
    malloc_trim(0);
    // Every figure is what loading and rendering add to the program: the peak
    // of an idle child, which only starts the binary with its libraries and
    // exits, is subtracted from each child's peak (and printed).
    const auto baseline = childPeak("idle", nullptr);
    if (!baseline) {
        std::fprintf(stderr, "bench_peers: the idle child did not run\n");
        return;
    }
    std::printf("peak resident memory to load and render every frame at 512x512, in KiB above an idle child's "
                "%ld KiB (this process has %ld KiB resident when forking)\n",
                *baseline, residentKilobytes());
    std::printf("%-66s %10s %10s %8s\n", "document", "ours", "peer", "ratio");
    std::vector<double> ratios;
    for (auto& document : documents) {
        if (!document.sameFeatures()) continue;
        const auto ours = childPeak("ours", &document);
        const auto peer = childPeak("peer", &document);
        if (!ours) document.leftOut.emplace_back("not rendered by ours");
        if (!peer) document.leftOut.emplace_back("not rendered by the peer");
        if (!ours || !peer) continue;
        const long oursAbove = std::max(0L, *ours - *baseline);
        const long peerAbove = std::max(0L, *peer - *baseline);
        if (peerAbove == 0) {
            // Below the counters' resolution: no ratio to speak of.
            std::printf("%-66s %10ld %10ld %8s\n", document.name.c_str(), oursAbove, peerAbove, "-");
            continue;
        }
        const double ratio = static_cast<double>(oursAbove) / static_cast<double>(peerAbove);
        std::printf("%-66s %10ld %10ld %8.2f\n", document.name.c_str(), oursAbove, peerAbove, ratio);
        ratios.push_back(ratio);
    }
    std::printf("median memory ratio (ours / peer) over %zu documents: %.2f (target at most 1.5)\n", ratios.size(),
                median(ratios));
    measureSharedViews(documents);
    printLeftOut(documents);
}

}  // namespace peersbench
