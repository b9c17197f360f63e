#pragma once
// The peer benchmark's memory mode (`bench_peers --memory`): for every
// same-feature document, the peak resident memory that each renderer needs to
// load the document and render every frame once at 512x512, each in a child
// process of its own, side by side with their ratio and its median; then what
// each view beyond the first costs when many views share one decoded document,
// on both engines and the peer (SharedViewsMemory.h). Run by the benchmark's
// main() instead of the timed runs.

#include <vector>

#include "bench/PeersCorpus.h"

namespace peersbench {

// The argument that makes the benchmark program a memory child; the next two
// name the renderer ("ours", "peer", "idle" or one of SharedViewsMemory.h)
// and the document.
inline constexpr const char* memoryChildArgument = "--memory-child";

// Documents that a child fails to render are moved out of the same-feature set.
void measureMemory(std::vector<CorpusDocument>& documents);

}  // namespace peersbench
