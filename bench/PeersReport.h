#pragma once
// The text the peer benchmark prints after its runs: each document's ratios
// (ours / peer), their medians over all documents and over the same-feature
// set, the largest ratio of that set, and why each other document is left out.
// Called by the benchmark's main() once the runs are over.

#include <map>
#include <string>
#include <vector>

#include "bench/PeersCorpus.h"

namespace peersbench {

// The last measured ratios of one document; 0 when not measured.
struct PeerRatios {
    double load = 0;
    double render = 0;
};

using RatiosByDocument = std::map<std::string, PeerRatios>;

double median(std::vector<double> values);

void printTimingSummary(const std::vector<CorpusDocument>& documents, const RatiosByDocument& ratios);

// One line per document left out of the same-feature set, with its reasons.
void printLeftOut(const std::vector<CorpusDocument>& documents);

}  // namespace peersbench
