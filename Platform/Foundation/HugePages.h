#pragma once
// Large buffers backed by huge pages. On the virtual machines Pellor is built
// and tested on, the first write to a fresh 4 KB page costs some 18
// microseconds (5 ms a megabyte), so reading a document of a few hundred
// megabytes spent most of its time in page faults; backed by 2 MB pages the
// same buffer costs a tenth of that or less. Used by the readers of files and
// package entries on the buffer they reserve before they fill it. Stateless;
// safe from any thread.

#include <cstddef>

namespace platform::foundation {

// Asks the kernel to back the whole 2 MB pages inside [begin, begin + bytes)
// with huge pages when they are first written. Buffers under 8 MB are left as
// they are; where the kernel has no huge pages nothing changes. Call it before
// the buffer is written.
void adviseHugePages(void* begin, std::size_t bytes) noexcept;

}  // namespace platform::foundation
