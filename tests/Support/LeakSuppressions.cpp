// Compiled into every test program, and the programs of tools/ that lay out
// text (the frame tool, the acknowledgements typesetter). fontconfig 2.14 loses a few hundred bytes
// while it parses its configuration on first use, once per process. That is not
// ours to fix, and the leak checker of the sanitizer build would otherwise fail
// every test program that lays out or draws text. Only allocations made inside
// fontconfig itself are let through; anything else that leaks is still reported.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
