// fontconfig keeps a few small allocations it never frees once Qt has loaded the system's
// fonts; they are the library's, not ours, and LeakSanitizer would fail every font test on them.
// LeakSanitizer asks for this hook by name when the tests are built with sanitizers; otherwise
// nothing calls it.

extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
