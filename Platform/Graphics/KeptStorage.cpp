#include "Platform/Graphics/KeptStorage.h"

#include "Platform/Graphics/ClipCoverageBuffers.h"
#include "Platform/Graphics/CoverageRasterizer.h"
#include "Platform/Graphics/PixelBufferPool.h"
#include "Platform/Graphics/SpareCoverageDrawings.h"

namespace platform::graphics::KeptStorage {

void release() {
    // The drawings first: a kept drawing holds canvases that go back to the pool.
    SpareCoverageDrawings::release();
    ClipCoverageBuffers::release();
    CoverageRasterizer::releaseThreadStorage();
    PixelBufferPool::shared().releaseFreeBuffers();
}

}  // namespace platform::graphics::KeptStorage
