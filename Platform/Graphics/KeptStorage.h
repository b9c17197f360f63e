#pragma once
// The storage the drawing code keeps from one frame to the next for the next
// one, process-wide: the free canvases of the pixel buffer pool, the drawings
// and clip buffers kept for the next context, and the calling thread's stroke
// storage. A program whose views have all stopped drawing (paused, finished or
// hidden) gives it back through release(); the next frame makes it again.
// Worker threads keep their own stroke storage, bounded by the largest drawing
// each has stroked. Any thread.

namespace platform::graphics::KeptStorage {

void release();

}  // namespace platform::graphics::KeptStorage
