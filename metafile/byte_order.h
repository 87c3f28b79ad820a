// Conversion of a whole metafile between file order (little-endian) and host
// order, in place. It knows for every record type which bytes are 16-bit
// words, which are 32-bit values and which are byte data left alone.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vellum {

enum class Endian { little, big };

// Byte swaps, bytewise: no alignment needed; n = 0 does nothing.
void swap16(uint8_t* at, uint32_t n);
void swap32(uint8_t* at, uint32_t n);

// Converts the placeable header (if present) and the metafile header;
// returns the offset of the first record.
uint32_t swap_header(uint8_t* buffer, size_t length, bool to_file_order);

// Converts the headers and every record up to and including the end-of-file
// record. Returns 1 when the end-of-file record was converted, 0 when the
// walk ran past the buffer first. Never reads or writes outside
// [buffer, buffer + length).
int swap_stream(uint8_t* buffer, size_t length, bool to_file_order);

// The same walks for a given host byte order. swap_header/swap_stream use
// the machine's own order; tests pass Endian::big to force the swap on a
// little-endian machine.
uint32_t swap_header_for(Endian host, uint8_t* buffer, size_t length, bool to_file_order);
int swap_stream_for(Endian host, uint8_t* buffer, size_t length, bool to_file_order);

}  // namespace vellum
