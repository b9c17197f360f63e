#include "Platform/Foundation/HugePages.h"

#include <cstdint>
#include <sys/mman.h>

namespace platform::foundation {

namespace {

constexpr std::uintptr_t hugePageSize = std::uintptr_t(2) << 20;
constexpr std::size_t smallestAdvisedBuffer = std::size_t(8) << 20;

}  // namespace

void adviseHugePages(void* begin, std::size_t bytes) noexcept {
#ifdef MADV_HUGEPAGE
    if (begin == nullptr || bytes < smallestAdvisedBuffer) return;
    const auto start = reinterpret_cast<std::uintptr_t>(begin);
    const std::uintptr_t first = (start + hugePageSize - 1) & ~(hugePageSize - 1);
    const std::uintptr_t end = (start + bytes) & ~(hugePageSize - 1);
    if (end <= first) return;
    // Only advice: a kernel without huge pages refuses it, and the buffer
    // works as before.
    ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
    (void)begin;
    (void)bytes;
#endif
}

}  // namespace platform::foundation
