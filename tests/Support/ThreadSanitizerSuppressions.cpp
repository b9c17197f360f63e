// Compiled into every test program. The reports that ThreadSanitizer makes
// about code that is not ours, each with the reason it is not ours to fix, are
// let through here; any report in the project's own code still fails the test.
#if defined(__SANITIZE_THREAD__)
#define PELLOR_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define PELLOR_THREAD_SANITIZER 1
#endif
#endif

#if defined(PELLOR_THREAD_SANITIZER)
extern "C" const char* __tsan_default_suppressions() {
    return
        // Qt is not built with the sanitizer: of its code the sanitizer sees only
        // the allocations, frees and copies it makes (through the sanitizer's
        // interceptors), and none of its synchronisation, since Qt's mutexes and
        // queued calls wait on futexes of their own rather than through pthreads.
        // Every report it made over these suites came from threads that Qt starts
        // for itself (its thread pool's workers, the file dialog's
        // file-information gatherer), each access an allocation or a copy inside
        // Qt on both sides; the project starts no Qt thread and shares no data
        // with them. Reports whose accesses happen in the project's own code, on
        // its own threads (the queues' workers), still count: that code is
        // instrumented, and Qt's frames appear in a report only as the caller of
        // an intercepted allocation or copy.
        "race:libQt6Core.so\n"
        "race:libQt6Gui.so\n"
        "race:libQt6Widgets.so\n";
}
#endif
