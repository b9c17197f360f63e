#include "Platform/Graphics/PixelBufferPool.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace platform::graphics {

namespace {

cairo_user_data_key_t returnKey;

// Buffers are allocated in whole pages, and larger ones in steps of a quarter
// power of two, so that sizes that differ a little from frame to frame (a group
// around a shape that grows) keep fitting the buffers already made.
constexpr std::size_t granularity = 4096;
constexpr std::size_t firstStep = 64 * 1024;

std::size_t roundedUp(std::size_t bytes) {
    std::size_t capacity = (bytes + granularity - 1) / granularity * granularity;
    if (capacity <= firstStep) return capacity;
    std::size_t step = firstStep;
    while (step < capacity) {
        // 2^(1/4) is about 1.19: at most a fifth of a buffer goes unused.
        step = (step + step * 19 / 100 + granularity - 1) / granularity * granularity;
    }
    return step;
}

}  // namespace

// What a pooled surface carries to give its buffer back when Cairo finalises
// it: the bytes its surface made dirty are added to the buffer's dirt then,
// all it used unless it was told a box.
struct PixelBufferPool::Return {
    PixelBufferPool* pool;
    Buffer buffer;
    Dirt used;

    static void run(void* data) {
        auto* self = static_cast<Return*>(data);
        self->buffer.dirt = self->buffer.dirt.unionWith(self->used);
        self->pool->give(self->buffer);
        delete self;
    }
};

PixelBufferPool::Dirt PixelBufferPool::Dirt::unionWith(const Dirt& other) const {
    if (other.empty()) return *this;
    if (empty()) return other;
    if (stride == other.stride && stride > 0) {
        // Rows of one stride: the rows and the columns that hold either.
        const std::size_t firstRow = std::min(offset / stride, other.offset / stride);
        const std::size_t endRow = std::max(offset / stride + count, other.offset / stride + other.count);
        const std::size_t firstColumn = std::min(offset % stride, other.offset % stride);
        const std::size_t endColumn = std::max(offset % stride + length, other.offset % stride + other.length);
        if (endColumn <= stride) {
            return {firstRow * stride + firstColumn, stride, endRow - firstRow, endColumn - firstColumn};
        }
    }
    return prefix(std::max(extent(), other.extent()));
}

void PixelBufferPool::Dirt::clear(std::uint8_t* data) const {
    if (empty()) return;
    if (length == stride || count == 1) {
        std::memset(data + offset, 0, (count - 1) * stride + length);
        return;
    }
    for (std::size_t row = 0; row < count; ++row) std::memset(data + offset + row * stride, 0, length);
}

void PixelBufferPool::noteWritten(cairo_surface_t* surface, int left, int top, int right, int bottom) {
    auto* back = static_cast<Return*>(cairo_surface_get_user_data(surface, &returnKey));
    if (back == nullptr || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return;
    const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const cairo_format_t format = cairo_image_surface_get_format(surface);
    if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24 && format != CAIRO_FORMAT_A8) return;
    const int pixelBytes = format == CAIRO_FORMAT_A8 ? 1 : 4;
    left = std::clamp(left, 0, width);
    right = std::clamp(right, 0, width);
    top = std::clamp(top, 0, height);
    bottom = std::clamp(bottom, 0, height);
    if (left >= right || top >= bottom || stride <= 0) {
        back->used = {};
        return;
    }
    const auto bytes = [](int value) { return static_cast<std::size_t>(value); };
    back->used = {bytes(top) * bytes(stride) + bytes(left) * bytes(pixelBytes), bytes(stride), bytes(bottom - top),
                  bytes(right - left) * bytes(pixelBytes)};
}

PixelBufferPool& PixelBufferPool::shared() {
    // Never destroyed: surfaces may outlive every static (images held by
    // other statics) and give their buffers back at exit.
    static auto* pool = new PixelBufferPool();
    return *pool;
}

PixelBufferPool::~PixelBufferPool() {
    for (Buffer& buffer : free_) {
        std::free(buffer.data);
    }
}

cairo_surface_t* PixelBufferPool::makeSurface(cairo_format_t format, int width, int height, bool cleared) {
    const int stride = cairo_format_stride_for_width(format, width);
    if (width <= 0 || height <= 0 || stride <= 0) {
        return cairo_image_surface_create(format, width, height);  // Cairo's own error surface
    }
    const std::size_t bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
    Buffer buffer = take(bytes);
    if (!buffer.data) {
        return cairo_image_surface_create(CAIRO_FORMAT_INVALID, 0, 0);
    }
    if (cleared) {
        buffer.dirt.clear(buffer.data);
        buffer.dirt = {};
    }
    cairo_surface_t* surface = cairo_image_surface_create_for_data(buffer.data, format, width, height, stride);
    auto* back = new Return{this, buffer, Dirt::prefix(bytes)};
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_set_user_data(surface, &returnKey, back, &Return::run) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        Return::run(back);
        return cairo_image_surface_create(CAIRO_FORMAT_INVALID, 0, 0);
    }
    return surface;
}

PixelBufferPool::Buffer PixelBufferPool::take(std::size_t bytes) {
    {
        const std::lock_guard lock(mutex_);
        // The smallest free buffer that holds the bytes without wasting more
        // than their size again.
        auto best = free_.end();
        for (auto it = free_.begin(); it != free_.end(); ++it) {
            if (it->capacity >= bytes && it->capacity <= 2 * bytes + granularity &&
                (best == free_.end() || it->capacity < best->capacity)) {
                best = it;
            }
        }
        clearedBytes_ += bytes;
        if (best != free_.end()) {
            const Buffer buffer = *best;
            freeBytes_ -= buffer.capacity;
            free_.erase(best);
            return buffer;
        }
        ++allocations_;
    }
    // Pages past what is used are touched only by a later, larger use: a
    // buffer costs no more memory than it has been asked to hold (a large
    // one comes from the system zeroed as its pages are first touched).
    const std::size_t capacity = roundedUp(bytes);
    return {static_cast<std::uint8_t*>(std::calloc(capacity, 1)), capacity, {}};
}

void PixelBufferPool::give(Buffer buffer) {
    std::list<Buffer> evicted;
    {
        const std::lock_guard lock(mutex_);
        free_.push_front(buffer);
        freeBytes_ += buffer.capacity;
        while (freeBytes_ > retainedBytes_ && !free_.empty()) {
            freeBytes_ -= free_.back().capacity;
            evicted.splice(evicted.end(), free_, std::prev(free_.end()));
        }
    }
    for (Buffer& old : evicted) {
        std::free(old.data);
    }
}

void PixelBufferPool::releaseFreeBuffers() {
    std::list<Buffer> released;
    {
        const std::lock_guard lock(mutex_);
        released.swap(free_);
        freeBytes_ = 0;
    }
    for (Buffer& buffer : released) {
        std::free(buffer.data);
    }
}

std::size_t PixelBufferPool::retainedBytes() const {
    const std::lock_guard lock(mutex_);
    return freeBytes_;
}

std::size_t PixelBufferPool::allocationCount() const {
    const std::lock_guard lock(mutex_);
    return allocations_;
}

std::size_t PixelBufferPool::clearedBytes() const {
    const std::lock_guard lock(mutex_);
    return clearedBytes_;
}

}  // namespace platform::graphics
