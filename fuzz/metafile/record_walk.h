// Walks a converted stream the way playback does, and again as the record
// walk yields it, and reads everything a decoder hands out through its
// readers, so the sanitizers see every read a consumer could make.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vellum::fuzz {

// A value that depends on every byte read, so no read is optimised away.
uint32_t walk_records(const uint8_t* buffer, size_t size);

}  // namespace vellum::fuzz
