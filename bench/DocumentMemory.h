#pragma once
// Live heap bytes of this process, and the blocks and bytes allocated in all,
// counted by the benchmark binary's own global operator new and delete (with
// the allocator's usable size of each block, so rounding counts too) while
// counting is on; off, the timed benchmarks pay nothing for it. The document
// and the repeated-stars benchmarks link it.

#include <cstddef>

namespace documentbench {

// Differences of the count are meaningful only between blocks allocated and
// freed while counting is on.
void countHeap(bool on);
std::size_t liveHeapBytes();
// Blocks, and their bytes, allocated while counting was on, freed or not.
std::size_t allocationCount();
std::size_t allocatedBytes();

}  // namespace documentbench
