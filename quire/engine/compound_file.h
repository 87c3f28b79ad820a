// The OLE2 compound file around a Word document, read through libgsf: the
// streams the reader needs, copied whole into memory, and the document's
// properties from its two property-set streams.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "property_sets.h"

namespace quire {


struct CompoundStreams {
  std::vector<uint8_t> word;   // "WordDocument"
  std::vector<uint8_t> table0; // "0Table", empty when absent
  std::vector<uint8_t> table1; // "1Table", empty when absent
  std::vector<uint8_t> data;   // "Data" (pictures), empty when absent
  DocumentProperties properties;
};

// Largest compound file read from a path, largest stream this reader copies
// into memory, and largest property set.
constexpr uint64_t MAX_FILE_BYTES = 512u << 20;
constexpr size_t MAX_STREAM_BYTES = 64u << 20;
constexpr size_t MAX_PROPERTY_STREAM_BYTES = 2u << 20;

// Reads a compound file from a path or from memory. Returns an OpenResult:
// a path that is not a regular file (a directory, FIFO or device) gives
// OPEN_UNREADABLE at once, a file over MAX_FILE_BYTES OPEN_TOO_LARGE before
// any of it is read.
int read_compound_file(const char* path, CompoundStreams& out);
int read_compound_memory(const uint8_t* data, size_t size, CompoundStreams& out);

}  // namespace quire
