// Leaks of outside libraries that LeakSanitizer would report at the exit of
// a program that opens documents, excused here and nowhere else:
// - fontconfig keeps its configuration and font caches for the whole process;
// - libgsf's compound-file reader loses small blocks on some damaged
//   directories (found by fuzzing). Its frames are only seen with full
//   unwinding, as the fuzz target asks for.
// Quietly, so that a program's standard error stays its own.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libgsf-1.so\n";
}
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
