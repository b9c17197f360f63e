// Compiled into every test program, and the programs of tools/ that lay out
// text (the frame tool, the acknowledgements typesetter). fontconfig 2.14 loses a few hundred bytes
// while it parses its configuration on first use, once per process. That is not
// ours to fix, and the leak checker of the sanitizer build would otherwise fail
// every test program that lays out or draws text. Only allocations made inside
// fontconfig itself are let through; anything else that leaks is still reported.
// GCC says AddressSanitizer is on by a macro, Clang by a feature test.
#if defined(__SANITIZE_ADDRESS__)
#define PELLOR_LEAKS_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PELLOR_LEAKS_CHECKED 1
#endif
#endif
#if defined(PELLOR_LEAKS_CHECKED)
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
