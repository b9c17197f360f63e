#pragma once
// Zeroed memory for the pixels of one decoded image, shared by the image that
// keeps them. A buffer of several megabytes is mapped from the kernel on its
// own, aligned so that the kernel may back it with large pages: its fresh
// pages arrive zeroed, so nothing writes them twice, and a 16 MB image then
// takes a handful of page faults rather than four thousand, which on a
// virtual machine cost more than decoding the pixels. Smaller buffers, and
// every buffer in the sanitizers' builds (whose checks watch the heap), come
// from the heap. Used by DecodedRows; the memory is freed with its last owner.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform::graphics {

class PixelMemory {
public:
    // Buffers from this size up are mapped on their own.
    static constexpr std::size_t kMappedFrom = std::size_t{2} << 20;

    // `bytes` zeroed bytes; nothing when memory runs out or `bytes` is 0.
    static std::shared_ptr<std::uint8_t> zeroed(std::size_t bytes);
    // Whether zeroed() maps buffers of `bytes` on their own in this build.
    static bool maps(std::size_t bytes);
};

}  // namespace platform::graphics
