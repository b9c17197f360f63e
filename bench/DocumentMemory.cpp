#include "bench/DocumentMemory.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> live{0};
std::atomic<std::size_t> allocations{0};
std::atomic<std::size_t> allocated{0};
std::atomic<bool> counting{false};

void* allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block) throw std::bad_alloc();
    if (counting.load(std::memory_order_relaxed)) {
        const std::size_t bytes = malloc_usable_size(block);
        live.fetch_add(bytes, std::memory_order_relaxed);
        allocations.fetch_add(1, std::memory_order_relaxed);
        allocated.fetch_add(bytes, std::memory_order_relaxed);
    }
    return block;
}

void release(void* block) noexcept {
    if (!block) return;
    if (counting.load(std::memory_order_relaxed)) live.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
    std::free(block);
}

}  // namespace

namespace documentbench {

void countHeap(bool on) { counting.store(on, std::memory_order_relaxed); }

std::size_t liveHeapBytes() { return live.load(std::memory_order_relaxed); }

std::size_t allocationCount() { return allocations.load(std::memory_order_relaxed); }

std::size_t allocatedBytes() { return allocated.load(std::memory_order_relaxed); }

}  // namespace documentbench

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { release(block); }
