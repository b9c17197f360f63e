#pragma once
// A process-wide pool of pixel buffers for the Cairo image surfaces that the
// drawing contexts make: the canvas of each frame, mask planes, shadow and
// mask buffers, layer backing stores. A surface made here gives its buffer back
// to the pool when Cairo finalises it (its last reference, a context's or an
// image's, goes away), and the next surface of about that size reuses it.
//
// Freshly allocated pages cost a page fault each when first written; a
// renderer that allocates its canvas anew every frame pays hundreds of faults
// per frame for nothing. With the pool, a steady state allocates nothing.
//
// A buffer remembers which of its bytes may hold anything but zero, and a
// surface asked for cleared clears only those: the bytes its last surface
// used, or, when the one drawing into that surface told the pool where it
// drew (noteWritten), the rows and columns of that box. A frame's canvas
// drawn on in a part of it then clears that part for the next frame, not
// the whole canvas.
//
// Free buffers are kept up to a bound in bytes; past it the least recently
// returned ones are freed. Thread-safe: buffers may come back on any thread.

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <list>
#include <mutex>

namespace platform::graphics {

class PixelBufferPool {
public:
    // Free buffers kept at most, in bytes, for the default pool.
    static constexpr std::size_t defaultRetainedBytes = 16u << 20;

    static PixelBufferPool& shared();

    explicit PixelBufferPool(std::size_t retainedBytes = defaultRetainedBytes) : retainedBytes_(retainedBytes) {}
    ~PixelBufferPool();
    PixelBufferPool(const PixelBufferPool&) = delete;
    PixelBufferPool& operator=(const PixelBufferPool&) = delete;

    // A cleared (all zero) image surface of the format and size over a pooled
    // buffer; a surface in an error state when the size cannot be stored. The
    // caller owns the one reference. Not cleared when `cleared` is false: the
    // caller then writes every byte it reads.
    cairo_surface_t* makeSurface(cairo_format_t format, int width, int height, bool cleared = true);

    // Tells the pool that everything written into a surface it made, since it
    // was made and until it is let go, lies within the pixels [left, right)
    // x [top, bottom), clamped to the surface: the buffer then has only those
    // to clear for its next surface. Nothing for a surface the pool did not
    // make. The caller must see every write: one outside the box would show
    // in the next surface made over the buffer.
    static void noteWritten(cairo_surface_t* surface, int left, int top, int right, int bottom);

    // Frees every free buffer now: what a program whose views have all stopped
    // drawing gives back (KeptStorage).
    void releaseFreeBuffers();

    // Free buffers held now, in bytes; how many buffers were allocated
    // afresh so far (a steady state stops adding to it); and the bytes of all
    // the surfaces made so far, each cleared when made (what intermediate
    // surfaces cost a frame, whether their buffers were reused or not).
    std::size_t retainedBytes() const;
    std::size_t allocationCount() const;
    std::size_t clearedBytes() const;

private:
    // The bytes of a buffer that may hold anything but zero: `count` rows
    // `stride` bytes apart from `offset`, `length` bytes of each; none when
    // `length` is 0. Every other byte is zero.
    struct Dirt {
        std::size_t offset = 0, stride = 0, count = 0, length = 0;

        static Dirt prefix(std::size_t bytes) { return {0, bytes, bytes > 0 ? 1u : 0u, bytes}; }
        bool empty() const { return length == 0 || count == 0; }
        // The bytes from the start past which every byte is zero.
        std::size_t extent() const { return empty() ? 0 : offset + (count - 1) * stride + length; }
        // Both, as one: the box around them when they are rows of one
        // stride, else the bytes from the start to the farther's end.
        Dirt unionWith(const Dirt& other) const;
        void clear(std::uint8_t* data) const;
    };
    struct Buffer {
        std::uint8_t* data = nullptr;
        std::size_t capacity = 0;
        Dirt dirt;
    };
    struct Return;

    Buffer take(std::size_t bytes);
    void give(Buffer buffer);

    const std::size_t retainedBytes_;
    mutable std::mutex mutex_;
    // Most recently returned first.
    std::list<Buffer> free_;
    std::size_t freeBytes_ = 0;
    std::size_t allocations_ = 0;
    std::size_t clearedBytes_ = 0;
};

}  // namespace platform::graphics
