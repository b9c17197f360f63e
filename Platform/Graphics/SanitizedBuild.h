#pragma once
// Whether this build is instrumented by AddressSanitizer or ThreadSanitizer,
// which run the code several times slower and watch the heap: what depends on
// either (the processor clock, where pixel memory comes from) asks here, and
// kThreadSanitizedBuild says which of the two.

namespace platform::graphics {

#if defined(__SANITIZE_THREAD__)
inline constexpr bool kThreadSanitizedBuild = true;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
inline constexpr bool kThreadSanitizedBuild = true;
#else
inline constexpr bool kThreadSanitizedBuild = false;
#endif
#else
inline constexpr bool kThreadSanitizedBuild = false;
#endif

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitizedBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitizedBuild = true;
#else
inline constexpr bool kSanitizedBuild = kThreadSanitizedBuild;
#endif
#else
inline constexpr bool kSanitizedBuild = kThreadSanitizedBuild;
#endif

}  // namespace platform::graphics
