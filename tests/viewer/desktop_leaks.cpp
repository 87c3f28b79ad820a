// fontconfig keeps its caches for the whole process, and on a real X
// display Qt's platform plugin leaves a D-Bus buffer behind at exit; both
// belong to the libraries, not to the program. LeakSanitizer excuses only
// those, quietly, so that the program's standard error stays its own.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
