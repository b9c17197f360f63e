#pragma once
// Live heap bytes of this process, counted by the benchmark binary's own
// global operator new and delete (with the allocator's usable size of each
// block, so rounding counts too) while counting is on; off, the timed
// benchmarks pay nothing for it. Only the document benchmark links it.

#include <cstddef>

namespace documentbench {

// Differences of the count are meaningful only between blocks allocated and
// freed while counting is on.
void countHeap(bool on);
std::size_t liveHeapBytes();

}  // namespace documentbench
