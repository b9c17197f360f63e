// Compiled into every test program. A fault that makes a test allocate
// without end (a bound that no longer holds) fails that program at a few
// gigabytes, rather than growing until the kernel ends it and whatever else
// the machine runs with it. No test comes near: the largest hostile documents
// are bounded at 512 MB, the files they are read from at 256 MB.
//
// Without a sanitizer, the memory the program may map writable for itself
// (RLIMIT_DATA: its heap, its anonymous mappings and the threads' stacks,
// not its code or the fonts it maps) is limited; an allocation past it fails
// as any allocation that finds no memory. AddressSanitizer maps terabytes of
// shadow memory that such a limit would refuse, so under it the sanitizer's
// own check of the resident memory, made on a thread of its own, ends the
// program instead. ThreadSanitizer builds run without a limit: their shadow
// memory is several times the program's, and no bound fits every suite.

#include <sys/resource.h>

#include <algorithm>

#if defined(__SANITIZE_ADDRESS__)
#define PELLOR_ADDRESS_SANITIZER 1
#elif defined(__SANITIZE_THREAD__)
#define PELLOR_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PELLOR_ADDRESS_SANITIZER 1
#elif __has_feature(thread_sanitizer)
#define PELLOR_THREAD_SANITIZER 1
#endif
#endif

#if defined(PELLOR_ADDRESS_SANITIZER)
extern "C" const char* __asan_default_options() { return "hard_rss_limit_mb=8192"; }
#elif !defined(PELLOR_THREAD_SANITIZER)
namespace {

constexpr rlim_t memoryLimitBytes = rlim_t{6} << 30;

const bool memoryLimited = [] {
    rlimit limit{};
    if (getrlimit(RLIMIT_DATA, &limit) != 0) return false;
    if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur <= memoryLimitBytes) return true;
    limit.rlim_cur = limit.rlim_max == RLIM_INFINITY ? memoryLimitBytes : std::min(limit.rlim_max, memoryLimitBytes);
    return setrlimit(RLIMIT_DATA, &limit) == 0;
}();

}  // namespace
#endif
