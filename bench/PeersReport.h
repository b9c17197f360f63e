#pragma once
// The text the peer benchmark prints after its runs: each document's load
// ratio (ours / peer) and frame times (ours on both engines, the peer's) with
// their ratios; the medians over all documents and over the same-feature set;
// then, over each set of documents and all of them together, leaving out those
// where the peer spends under 0.2 ms a frame (it draws next to nothing there),
// each engine's median, 90th percentile and largest ratio to the peer and the
// automatic option's ratio to the main-thread engine (as measured, and with
// each engine taken over the peer beside it; documents of features the
// main-thread engine leaves out are named apart), and the main-thread
// engine's processor time to the peer's over all their threads; and why each document
// outside the same-feature set is left out of it. Called by the benchmark's
// main() once the runs are over.

#include <map>
#include <string>
#include <vector>

#include "bench/PeersCorpus.h"

namespace peersbench {

// Mean milliseconds a frame of one document, per renderer.
struct FrameTimes {
    double mainThread = 0;
    double automatic = 0;
    // Measured beside the main-thread engine, and beside the automatic option.
    double peer = 0;
    double peerBesideAutomatic = 0;
    // Processor time a frame over every thread of the process, beside the
    // main-thread engine: the peer scan-converts on worker threads, so its
    // frame time can be a fraction of the work it does.
    double mainThreadProcessor = 0;
    double peerProcessor = 0;

    double automaticOverPeer() const { return automatic / (peerBesideAutomatic > 0 ? peerBesideAutomatic : peer); }
    // The automatic option over the main-thread engine, each first taken
    // over the peer beside it: the two engines run minutes apart, and the
    // machine's load then moves both of their times, which the peer's
    // frames, the same in both runs, show.
    double automaticOverMainBesidePeer() const { return automaticOverPeer() / (mainThread / peer); }
};

// The last measured ratios of one document; 0 when not measured.
struct PeerRatios {
    double load = 0;
    // The main-thread engine's frame time over the peer's.
    double render = 0;
    FrameTimes frame;
    // Whether the automatic option ended up on the main-thread engine.
    bool fellBack = false;
};

using RatiosByDocument = std::map<std::string, PeerRatios>;

double median(std::vector<double> values);
// The smallest value that `fraction` of the values are at or under (nearest rank).
double percentile(std::vector<double> values, double fraction);

void printTimingSummary(const std::vector<CorpusDocument>& documents, const RatiosByDocument& ratios);

// One line per document left out of the same-feature set, with its reasons.
void printLeftOut(const std::vector<CorpusDocument>& documents);

}  // namespace peersbench
