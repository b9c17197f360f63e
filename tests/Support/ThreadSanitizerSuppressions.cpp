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
        // the allocations, frees and copies that Qt makes through the sanitizer's
        // interceptors, and none of its synchronisation, since Qt's mutexes wait
        // on futexes of their own rather than through pthreads. Every such report
        // over these suites came from threads that Qt starts for itself (its
        // thread pool's workers, the file dialog's file-information gatherer),
        // an allocation or a copy inside Qt on both sides; the project starts no
        // Qt thread and shares no data with them. Only interceptors called from
        // Qt's own code are ignored: the project's code is instrumented, and its
        // accesses count even where Qt's event loop called it.
        "called_from_lib:libQt6Core.so\n"
        "called_from_lib:libQt6Gui.so\n"
        "called_from_lib:libQt6Widgets.so\n"
        // The same for GLib, which runs the event loops of Qt's threads (and
        // Pango's font lookups): not instrumented, its locks wait on futexes, and
        // its reports were allocations and frees inside GLib on Qt's pool threads.
        "called_from_lib:libglib-2.0.so\n"
        // Cairo is not built with the sanitizer either. Contexts on several
        // threads at once (views drawn on threads of their own) take their
        // states, clips and paths from pools that Cairo shares between threads
        // with atomic operations of its own, which the sanitizer does not see:
        // a block handed from one thread to another then shows as Cairo's
        // copies into it racing with the last thread's. Each context and
        // surface is used by one thread at a time, and the worker threads
        // that scan-convert drawings call no Cairo at all. Only races inside
        // Cairo are let through: its locks must still be seen, or Pango's
        // unlocking of a lock Cairo took would show as an error of its own.
        "race:libcairo.so.2\n"
        // Pango's fontconfig font map loads fontconfig's configuration and
        // sorts its fonts on a thread Pango starts through GLib, and hands the
        // result to the thread that lays text out under GLib's locks, which
        // the sanitizer does not see: a font name fontconfig copied on Pango's
        // thread then shows as racing with Pango comparing it on ours. Only
        // races inside Pango's fontconfig code are let through.
        "race:libpangoft2-1.0.so\n"
        // The one hand-off to the main thread through a queued Qt call: a post to
        // the main run loop from another thread queues a drain, whose function
        // object is made on the posting thread and run on the main thread once
        // Qt's event queue hands it over, under Qt's own lock, which the
        // sanitizer does not see. The work items themselves pass through the run
        // loop's std::mutex, which it does see.
        "race:lottie::QtMainRunLoopBridge::scheduleDrain\n";
}
#endif
