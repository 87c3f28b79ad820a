// Reads and writes of metafile fields in host order. Fields in a metafile
// are only 2-byte aligned (a 32-bit value may sit at offset 6), and a buffer
// handed over in memory may not even be that, so every access goes through
// memcpy: no field is ever read through a cast pointer.
#pragma once

#include <cstdint>
#include <cstring>

namespace vellum {

inline uint16_t load_u16(const uint8_t* at) { uint16_t v; std::memcpy(&v, at, 2); return v; }
inline int16_t load_i16(const uint8_t* at) { int16_t v; std::memcpy(&v, at, 2); return v; }
inline uint32_t load_u32(const uint8_t* at) { uint32_t v; std::memcpy(&v, at, 4); return v; }
inline void store_u16(uint8_t* at, uint16_t v) { std::memcpy(at, &v, 2); }
inline void store_u32(uint8_t* at, uint32_t v) { std::memcpy(at, &v, 4); }

}  // namespace vellum
