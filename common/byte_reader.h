// A bounded reader over untrusted bytes: a base, a count of bytes left and a
// sticky failure flag. Asking for more than is left fails, returns 0 and
// leaves the reader failed with nothing left, so a caller may read a whole
// fixed structure and check failed() once. Counts are compared, never
// pointers: no address past the end is ever formed.
//
// Multi-byte values are read in the order the reader was made for: `host`
// for a metafile stream that was already converted to host order, `little`
// for formats that are always little-endian on disk (DIBs inside a .doc,
// the .doc streams themselves).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vellum {

enum class ByteOrder { host, little };

class ByteReader {
 public:
  ByteReader() = default;
  ByteReader(const uint8_t* base, size_t size, ByteOrder order = ByteOrder::host)
      : base_(size ? base : nullptr), left_(base ? size : 0), order_(order) {}

  size_t left() const { return left_; }
  bool failed() const { return failed_; }
  // The next byte's address; only for handing a checked span to a copy.
  const uint8_t* data() const { return base_; }

  uint8_t u8() {
    uint8_t v = 0;
    take(&v, 1);
    return v;
  }
  uint16_t u16() {
    uint16_t v = 0;
    take(&v, 2);
    return swapped(v);
  }
  int16_t i16() { return int16_t(u16()); }
  uint32_t u32() {
    uint32_t v = 0;
    take(&v, 4);
    return swapped(v);
  }
  int32_t i32() { return int32_t(u32()); }

  // Copies n bytes out; on failure out is left zero-filled.
  bool bytes(void* out, size_t n) {
    if (n > left_) {
      std::memset(out, 0, n);
      fail();
      return false;
    }
    take(out, n);
    return true;
  }

  bool skip(size_t n) {
    if (n > left_) return fail();
    advance(n);
    return true;
  }

  // A reader over the next n bytes, which this one steps past. When fewer
  // are left both readers fail.
  ByteReader sub(size_t n) {
    if (n > left_) {
      fail();
      ByteReader empty;
      empty.failed_ = true;
      return empty;
    }
    ByteReader part(base_, n, order_);
    advance(n);
    return part;
  }

  // A reader over what lies from `offset` on, this one unchanged; failed
  // when offset lies past the end.
  ByteReader from(size_t offset) const {
    ByteReader copy = *this;
    copy.skip(offset);
    return copy;
  }

 private:
  bool fail() {
    failed_ = true;
    left_ = 0;
    return false;
  }
  void advance(size_t n) {
    if (n == 0) return;
    base_ += n;
    left_ -= n;
  }
  void take(void* out, size_t n) {
    if (n > left_) {
      fail();
      return;
    }
    std::memcpy(out, base_, n);
    advance(n);
  }
  template <typename T>
  T swapped(T v) const {
    if (order_ == ByteOrder::host || std::endian::native == std::endian::little) return v;
    if constexpr (sizeof(T) == 2) return T((v >> 8) | (v << 8));
    else return __builtin_bswap32(v);
  }

  const uint8_t* base_ = nullptr;
  size_t left_ = 0;
  ByteOrder order_ = ByteOrder::host;
  bool failed_ = false;
};

}  // namespace vellum
