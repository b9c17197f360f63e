// Compiled into every test program. fontconfig 2.14 loses a few hundred bytes
// while it parses its configuration on first use, once per process. That is not
// ours to fix, and the leak checker of the sanitizer build would otherwise fail
// every test program that lays out or draws text. Only that
// one leak is let through: allocation stacks are unwound in full (fontconfig has
// no frame pointers) so that the suppression can name the function, and anything
// else that leaks is still reported.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
extern "C" const char* __lsan_default_suppressions() { return "leak:FcInitLoadConfigAndFonts\n"; }
#endif
