#pragma once
// Live heap bytes of this process, counted by the benchmark binary's own
// global operator new and delete (with the allocator's usable size of each
// block, so rounding counts too). Only the document benchmark links it.

#include <cstddef>

namespace documentbench {

std::size_t liveHeapBytes();

}  // namespace documentbench
