#include "bench/PeersReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace peersbench {

namespace {

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const auto& part : parts) text += (text.empty() ? "" : ", ") + part;
    return text;
}

// Under this many milliseconds a frame the peer draws next to nothing, and a
// ratio to it says little.
constexpr double peerFloorMilliseconds = 0.2;

// Ratios over a set of documents, with the largest and the document that has it.
struct RatioSummary {
    std::vector<double> values;
    double largest = 0;
    std::string largestName = "none";

    void add(double ratio, const std::string& name) {
        values.push_back(ratio);
        if (ratio <= largest) return;
        largest = ratio;
        largestName = name;
    }
    std::ptrdiff_t countAbove(double limit) const {
        return std::count_if(values.begin(), values.end(), [limit](double value) { return value > limit; });
    }
};

void printFrameTimes(const std::vector<CorpusDocument>& documents, const RatiosByDocument& ratios) {
    std::printf("\nframe time at 512x512, ms: ours on the main-thread engine and on the automatic option (engine "
                "it ended on), the peer's\n");
    std::printf("%-66s %9s %9s %9s %8s %8s %9s %9s %s\n", "document", "main", "automatic", "peer", "main/p",
                "auto/p", "auto/main", "a/p / m/p", "engine");
    for (const auto& document : documents) {
        const auto found = ratios.find(document.name);
        if (found == ratios.end() || found->second.frame.peer <= 0) continue;
        const FrameTimes& times = found->second.frame;
        std::printf("%-66s %9.3f %9.3f %9.3f %8.2f %8.2f %9.2f %9.2f %s\n", document.name.c_str(), times.mainThread,
                    times.automatic, times.peer, times.mainThread / times.peer, times.automaticOverPeer(),
                    times.automatic / times.mainThread, times.automaticOverMainBesidePeer(),
                    found->second.fellBack ? "main-thread" : "core-animation");
    }
}

// The summary over the documents of `set` (all of them when none is given).
void printSetSummary(const std::vector<CorpusDocument>& documents, const RatiosByDocument& ratios,
                     std::optional<DocumentSet> set) {
    RatioSummary mainThread, automatic, automaticOverMain, automaticOverMainBesidePeer, processor;
    std::size_t belowFloor = 0;
    // Where the main-thread engine leaves features out, the automatic option's
    // engine draws more than it: not a comparison of the two engines' speed.
    std::string drawnLessOnTheMainThread;
    for (const auto& document : documents) {
        if (set && document.set != *set) continue;
        const auto found = ratios.find(document.name);
        if (found == ratios.end() || found->second.frame.peer <= 0) continue;
        const FrameTimes& times = found->second.frame;
        if (times.peer < peerFloorMilliseconds) {
            ++belowFloor;
            continue;
        }
        mainThread.add(times.mainThread / times.peer, document.name);
        automatic.add(times.automaticOverPeer(), document.name);
        if (!document.mainThreadLeavesOut.empty()) {
            char ratio[32];
            std::snprintf(ratio, sizeof ratio, "%.2f", times.automatic / times.mainThread);
            drawnLessOnTheMainThread += (drawnLessOnTheMainThread.empty() ? "" : "; ") + document.name + " " + ratio +
                                        " (" + joined(document.mainThreadLeavesOut) + ")";
        } else {
            automaticOverMain.add(times.automatic / times.mainThread, document.name);
            automaticOverMainBesidePeer.add(times.automaticOverMainBesidePeer(), document.name);
        }
        if (times.peerProcessor > 0) processor.add(times.mainThreadProcessor / times.peerProcessor, document.name);
    }
    std::printf("%s: %zu documents (%zu more where the peer spends under %.1f ms a frame left out)\n",
                set ? setName(*set) : "all sets", mainThread.values.size(), belowFloor, peerFloorMilliseconds);
    if (mainThread.values.empty()) return;
    const auto print = [](const char* engine, const RatioSummary& summary) {
        std::printf("  %-11s / peer: median %.2f (target at most 1), 90th percentile %.2f (target at most 2), "
                    "largest %.2f in %s, %td above 4 (target none)\n",
                    engine, median(summary.values), percentile(summary.values, 0.9), summary.largest,
                    summary.largestName.c_str(), summary.countAbove(4));
    };
    print("main-thread", mainThread);
    print("automatic", automatic);
    std::printf("  automatic / main-thread: median %.2f, largest %.2f in %s, %td above 1.25 (target none)\n",
                median(automaticOverMain.values), automaticOverMain.largest, automaticOverMain.largestName.c_str(),
                automaticOverMain.countAbove(1.25));
    std::printf("  automatic / main-thread, each over the peer beside it: median %.2f, largest %.2f in %s, "
                "%td above 1.25 (target none)\n",
                median(automaticOverMainBesidePeer.values), automaticOverMainBesidePeer.largest,
                automaticOverMainBesidePeer.largestName.c_str(), automaticOverMainBesidePeer.countAbove(1.25));
    if (!drawnLessOnTheMainThread.empty()) {
        std::printf("  automatic / main-thread, left out above where the main-thread engine leaves features out: %s\n",
                    drawnLessOnTheMainThread.c_str());
    }
    if (processor.values.empty()) return;
    std::printf("  processor time over every thread, main-thread / peer: median %.2f, 90th percentile %.2f, "
                "largest %.2f in %s\n",
                median(processor.values), percentile(processor.values, 0.9), processor.largest,
                processor.largestName.c_str());
}

}  // namespace

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

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
    printFrameTimes(documents, ratios);
    std::printf("\nframe time ratios per set:\n");
    for (const auto set : {DocumentSet::corpus, DocumentSet::realWorld, DocumentSet::structures}) {
        printSetSummary(documents, ratios, set);
    }
    printSetSummary(documents, ratios, std::nullopt);
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
