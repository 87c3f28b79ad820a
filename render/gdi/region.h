// A GDI region in device space: y-bands of x-spans, as Windows keeps them.
// Each band covers rows [top, bottom) and holds sorted, disjoint,
// non-touching spans [left, right); bands are sorted, do not overlap, and
// two touching bands never hold the same spans (they are merged). So equal
// point sets have equal representations.
//
// Copies are cheap (the bands are shared and never changed in place), so a
// DC state can keep its clip by value and SAVEDC can push it freely.
//
// Every combination is bounded: a result of more than MAX_RECTS rectangles,
// or one that would take more than MAX_WORK steps, is refused (the call
// returns false and leaves the region as it was), the way CombineRgn fails
// with ERROR. A region of n rectangles costs O(n) memory; building it from
// well-ordered bands costs O(n) time.
//
// The player keeps "no clip" apart from this type (std::optional<Region>);
// a Region is always a finite set of pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

typedef struct _cairo cairo_t;

namespace vellum::gdi {

// Right and bottom exclusive.
struct IRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool empty() const { return left >= right || top >= bottom; }
  bool operator==(const IRect&) const = default;
};

struct Span {
  int32_t left, right;
  bool operator==(const Span&) const = default;
};

class Region {
 public:
  // Coordinates are kept within [-COORD_LIMIT, COORD_LIMIT]; larger ones
  // are clamped (device pixels; nothing real comes near).
  static constexpr int32_t COORD_LIMIT = 1 << 28;
  static constexpr size_t MAX_RECTS = size_t(1) << 21;
  static constexpr uint64_t MAX_WORK = uint64_t(1) << 26;

  struct Band {
    int32_t top, bottom;
    uint32_t first, count;  // spans[first .. first + count)
  };

  Region() = default;  // empty
  explicit Region(const IRect& rect);

  bool empty() const { return !data_ || data_->bands.empty(); }
  IRect bounds() const;
  size_t rect_count() const { return data_ ? data_->spans.size() : 0; }
  bool contains(int32_t x, int32_t y) const;
  bool operator==(const Region& other) const;

  bool unite(const Region& other);
  bool intersect(const Region& other);
  bool subtract(const Region& other);
  bool exclusive_or(const Region& other);
  bool intersect(const IRect& rect) { return intersect(Region(rect)); }
  bool subtract(const IRect& rect) { return subtract(Region(rect)); }

  void offset(int32_t dx, int32_t dy);

  std::span<const Band> bands() const;
  std::span<const Span> spans(const Band& band) const;
  // Every rectangle, band by band, left to right.
  std::vector<IRect> rects() const;
  template <typename F>
  void for_each_rect(F&& f) const {
    for (const Band& band : bands())
      for (const Span& s : spans(band)) f(IRect{s.left, band.top, s.right, band.bottom});
  }

 private:
  friend class RegionBuilder;
  struct Data {
    std::vector<Band> bands;
    std::vector<Span> spans;
  };
  enum Op : unsigned { OP_AND = 0x8, OP_OR = 0xE, OP_XOR = 0x6, OP_DIFF = 0x4 };
  static bool combine(const Region& a, const Region& b, unsigned op, Region* out);

  std::shared_ptr<const Data> data_;
};

// Builds a region band by band, as a CREATEREGION record lists its scans.
// Bands given in order (each top at or below the previous bottom) with
// sorted, disjoint spans cost O(spans); anything else (unsorted or
// overlapping spans, bands out of order or overlapping) is normalised by
// bounded unions. Empty bands and spans are dropped.
class RegionBuilder {
 public:
  void add_band(int32_t top, int32_t bottom, std::span<const Span> spans);
  void add_rect(const IRect& rect);
  // False when normalising went past the region limits; *out is then empty.
  bool finish(Region* out);

 private:
  void close_run();
  std::vector<Region::Band> bands_;
  std::vector<Span> spans_;
  std::vector<Span> scratch_;
  std::vector<Region> runs_;
  bool failed_ = false;
};

// Appends the region's rectangles to cr's path, in cr's user space (set the
// user space to device pixels first); the rectangles are disjoint.
void add_region_path(cairo_t* cr, const Region& region);
// Intersects cr's clip with the region (an empty region clips everything).
// The current path is replaced.
void clip_to_region(cairo_t* cr, const Region& region);

}  // namespace vellum::gdi
