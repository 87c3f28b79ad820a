// fontconfig keeps its configuration and font caches for the whole process
// and never frees them; LeakSanitizer would report them at every exit of a
// program that lays out text. Only those allocations are excused, quietly,
// so that a program's standard error stays its own.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
