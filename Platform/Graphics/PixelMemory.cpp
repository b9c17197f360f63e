#include "Platform/Graphics/PixelMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <new>

#include "Platform/Graphics/SanitizedBuild.h"

namespace platform::graphics {

namespace {

// The size of the kernel's large pages on the processors we run on.
constexpr std::size_t largePage = std::size_t{2} << 20;

std::size_t roundedUp(std::size_t bytes, std::size_t unit) { return (bytes + unit - 1) / unit * unit; }

// Maps `length` bytes, a whole number of pages, starting on a large-page
// boundary, and asks for large pages over the whole ones it covers; nullptr
// when the kernel refuses.
std::uint8_t* mapAligned(std::size_t length) {
    if (length > SIZE_MAX - largePage) return nullptr;
    void* reserved = mmap(nullptr, length + largePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (reserved == MAP_FAILED) return nullptr;
    const auto base = reinterpret_cast<std::uintptr_t>(reserved);
    const std::uintptr_t start = roundedUp(base, largePage);
    // What lies before the boundary and past the buffer goes back at once.
    if (start > base) munmap(reserved, start - base);
    const std::size_t after = base + largePage - start;
    if (after > 0) munmap(reinterpret_cast<void*>(start + length), after);
    auto* memory = reinterpret_cast<std::uint8_t*>(start);
    // Only advice: where the kernel keeps large pages off, small ones serve.
    if (length >= largePage) madvise(memory, length / largePage * largePage, MADV_HUGEPAGE);
    return memory;
}

}  // namespace

bool PixelMemory::maps(std::size_t bytes) { return !kSanitizedBuild && bytes >= kMappedFrom; }

std::shared_ptr<std::uint8_t> PixelMemory::zeroed(std::size_t bytes) {
    if (bytes == 0) return nullptr;
    // Where making its owner fails, shared_ptr frees the memory with the
    // deleter before it throws.
    try {
        if (maps(bytes)) {
            const std::size_t length = roundedUp(bytes, static_cast<std::size_t>(sysconf(_SC_PAGESIZE)));
            std::uint8_t* memory = length >= bytes ? mapAligned(length) : nullptr;
            if (memory == nullptr) return nullptr;
            return std::shared_ptr<std::uint8_t>(memory, [length](std::uint8_t* mapped) { munmap(mapped, length); });
        }
        auto* memory = new (std::nothrow) std::uint8_t[bytes]();
        if (memory == nullptr) return nullptr;
        return std::shared_ptr<std::uint8_t>(memory, std::default_delete<std::uint8_t[]>());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace platform::graphics
