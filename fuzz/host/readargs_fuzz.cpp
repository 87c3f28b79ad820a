// ReadArgs on hostile input: the first line is the template, the rest the
// command line. Whatever comes in, the parse either fails with an error code
// or fills exactly the slots the template has, and FreeArgs releases it all.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <proto/dos.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t newline = input.find('\n');
  if (newline == std::string::npos) return 0;
  std::string tmpl = input.substr(0, newline);
  std::string line = input.substr(newline + 1);
  if (tmpl.find('\0') != std::string::npos) return 0;
  size_t slots = size_t(std::count(tmpl.begin(), tmpl.end(), ',')) + 1;
  // One guard slot past the template's own must stay untouched.
  std::vector<IPTR> array(slots + 1, 0);
  array[slots] = 0x5A5A;
  struct RDArgs* args = AllocDosObject(DOS_RDARGS, nullptr);
  args->RDA_Source.CS_Buffer = line.data();
  args->RDA_Source.CS_Length = LONG(line.size());
  if (ReadArgs(tmpl.c_str(), array.data(), args)) {
    for (size_t i = 0; i < slots; i++)
      if (array[i] && array[i] != DOSTRUE) (void)*reinterpret_cast<volatile const char*>(array[i]);  // switches hold DOSTRUE, the rest point at storage
    FreeArgs(args);
  }
  if (array[slots] != 0x5A5A) __builtin_trap();
  FreeDosObject(DOS_RDARGS, args);
  return 0;
}
