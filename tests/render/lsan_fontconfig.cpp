// fontconfig keeps its configuration and caches for the life of the
// process; the leak checker is told so, and watches everything else.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
