#include "bench/PeersReport.h"

#include <algorithm>
#include <cstdio>

namespace peersbench {

namespace {

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const auto& part : parts) text += (text.empty() ? "" : ", ") + part;
    return text;
}

}  // namespace

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void printTimingSummary(const std::vector<CorpusDocument>& documents, const RatiosByDocument& ratios) {
    std::vector<double> loads, renders, sameRenders;
    double largest = 0;
    std::string largestName = "none";
    std::printf("\n%-66s %8s %8s  %s\n", "document", "load", "render", "features");
    for (const auto& document : documents) {
        const auto found = ratios.find(document.name);
        if (found == ratios.end()) continue;
        const PeerRatios& ratio = found->second;
        std::printf("%-66s %8.2f %8.2f  %s\n", document.name.c_str(), ratio.load, ratio.render,
                    document.sameFeatures() ? "same" : "differ");
        if (ratio.load > 0) loads.push_back(ratio.load);
        if (ratio.render <= 0) continue;
        renders.push_back(ratio.render);
        if (!document.sameFeatures()) continue;
        sameRenders.push_back(ratio.render);
        if (ratio.render > largest) {
            largest = ratio.render;
            largestName = document.name;
        }
    }
    std::printf("median ratio (ours / peer) over all %zu documents: load %.2f, render %.2f\n", renders.size(),
                median(loads), median(renders));
    const auto aboveFive =
        std::count_if(sameRenders.begin(), sameRenders.end(), [](double ratio) { return ratio > 5; });
    std::printf("same-feature set, %zu documents: median render ratio %.2f (target at most 2), "
                "largest %.2f in %s, %td above 5 (target none)\n",
                sameRenders.size(), median(sameRenders), largest, largestName.c_str(), aboveFive);
    printLeftOut(documents);
}

void printLeftOut(const std::vector<CorpusDocument>& documents) {
    const auto count = std::count_if(documents.begin(), documents.end(),
                                     [](const CorpusDocument& document) { return !document.sameFeatures(); });
    std::printf("left out of the same-feature set, %td of %zu documents:\n", count, documents.size());
    for (const auto& document : documents) {
        if (document.sameFeatures()) continue;
        std::printf("  %-64s %s\n", document.name.c_str(), joined(document.leftOut).c_str());
    }
}

}  // namespace peersbench
