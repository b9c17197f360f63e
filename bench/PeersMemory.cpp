#include "bench/PeersMemory.h"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "bench/ChildPeakMemory.h"
#include "bench/PeersReport.h"

namespace peersbench {

namespace {

// What this process has resident now: the most that a forked child can carry
// into its peak before it replaces its image.
long residentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

std::optional<long> childPeak(const char* renderer, const CorpusDocument* document) {
    return childPeakKilobytes({memoryChildArgument, renderer, document ? document->path.string() : ""});
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
    printLeftOut(documents);
}

}  // namespace peersbench
