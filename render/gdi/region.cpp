#include "render/gdi/region.h"

#include <cairo.h>

#include <algorithm>
#include <limits>

namespace vellum::gdi {

namespace {

int32_t clamp_coord(int64_t v) {
  return int32_t(std::clamp<int64_t>(v, -Region::COORD_LIMIT, Region::COORD_LIMIT));
}

bool same_spans(const std::vector<Span>& spans, const Region::Band& a, const Region::Band& b) {
  if (a.count != b.count) return false;
  return std::equal(spans.begin() + a.first, spans.begin() + a.first + a.count,
                    spans.begin() + b.first);
}

// Appends a band whose spans already sit at the end of `spans` (from
// `first` on): dropped when empty, merged into the previous band when that
// one touches it and holds the same spans.
void close_band(std::vector<Region::Band>& bands, std::vector<Span>& spans, int32_t top,
                int32_t bottom, size_t first) {
  const uint32_t count = uint32_t(spans.size() - first);
  if (count == 0 || top >= bottom) {
    spans.resize(first);
    return;
  }
  const Region::Band band{top, bottom, uint32_t(first), count};
  if (!bands.empty()) {
    Region::Band& last = bands.back();
    if (last.bottom == top && same_spans(spans, last, band)) {
      last.bottom = bottom;
      spans.resize(first);
      return;
    }
  }
  bands.push_back(band);
}

// Merges two sorted span lists under a boolean operation given as a truth
// table: bit (2·inA + inB) of op.
void merge_spans(const Span* a, size_t na, const Span* b, size_t nb, unsigned op,
                 std::vector<Span>& out, size_t band_first) {
  size_t i = 0, j = 0;
  bool in_a = false, in_b = false, inside = false;
  int32_t start = 0;
  constexpr int32_t none = std::numeric_limits<int32_t>::max();
  while (i < na || j < nb) {
    const int32_t xa = i < na ? (in_a ? a[i].right : a[i].left) : none;
    const int32_t xb = j < nb ? (in_b ? b[j].right : b[j].left) : none;
    const int32_t x = std::min(xa, xb);
    if (xa == x) {
      if (in_a) ++i;
      in_a = !in_a;
    }
    if (xb == x) {
      if (in_b) ++j;
      in_b = !in_b;
    }
    const bool now = (op >> (unsigned(in_a) * 2 + unsigned(in_b))) & 1u;
    if (now == inside) continue;
    if (now) {
      start = x;
    } else if (start < x) {
      if (out.size() > band_first && out.back().right == start) out.back().right = x;
      else out.push_back({start, x});
    }
    inside = now;
  }
}

}  // namespace

Region::Region(const IRect& rect) {
  const IRect r{clamp_coord(rect.left), clamp_coord(rect.top), clamp_coord(rect.right),
                clamp_coord(rect.bottom)};
  if (r.empty()) return;
  auto data = std::make_shared<Data>();
  data->spans.push_back({r.left, r.right});
  data->bands.push_back({r.top, r.bottom, 0, 1});
  data_ = std::move(data);
}

IRect Region::bounds() const {
  if (empty()) return {};
  const auto& bands = data_->bands;
  const auto& spans = data_->spans;
  IRect box{std::numeric_limits<int32_t>::max(), bands.front().top,
            std::numeric_limits<int32_t>::min(), bands.back().bottom};
  for (const Band& band : bands) {
    box.left = std::min(box.left, spans[band.first].left);
    box.right = std::max(box.right, spans[band.first + band.count - 1].right);
  }
  return box;
}

bool Region::contains(int32_t x, int32_t y) const {
  if (empty()) return false;
  const auto& bands = data_->bands;
  auto band = std::upper_bound(bands.begin(), bands.end(), y,
                               [](int32_t v, const Band& b) { return v < b.bottom; });
  if (band == bands.end() || y < band->top) return false;
  const Span* first = data_->spans.data() + band->first;
  const Span* last = first + band->count;
  const Span* span = std::upper_bound(first, last, x,
                                      [](int32_t v, const Span& s) { return v < s.right; });
  return span != last && x >= span->left;
}

bool Region::operator==(const Region& other) const {
  if (empty() || other.empty()) return empty() == other.empty();
  if (data_ == other.data_) return true;
  const auto& a = data_->bands;
  const auto& b = other.data_->bands;
  if (a.size() != b.size() || data_->spans.size() != other.data_->spans.size()) return false;
  for (size_t k = 0; k < a.size(); ++k) {
    if (a[k].top != b[k].top || a[k].bottom != b[k].bottom || a[k].count != b[k].count)
      return false;
    const auto sa = spans(a[k]);
    const auto sb = other.spans(b[k]);
    if (!std::equal(sa.begin(), sa.end(), sb.begin())) return false;
  }
  return true;
}

std::span<const Region::Band> Region::bands() const {
  if (!data_) return {};
  return {data_->bands.data(), data_->bands.size()};
}

std::span<const Span> Region::spans(const Band& band) const {
  return {data_->spans.data() + band.first, band.count};
}

std::vector<IRect> Region::rects() const {
  std::vector<IRect> out;
  out.reserve(rect_count());
  for_each_rect([&](const IRect& r) { out.push_back(r); });
  return out;
}

bool Region::combine(const Region& a, const Region& b, unsigned op, Region* out) {
  const std::span<const Band> ba = a.bands(), bb = b.bands();
  const Span* sa = a.data_ ? a.data_->spans.data() : nullptr;
  const Span* sb = b.data_ ? b.data_->spans.data() : nullptr;
  const bool keep_a_alone = (op >> 2) & 1u, keep_b_alone = (op >> 1) & 1u;
  auto data = std::make_shared<Data>();
  auto& bands = data->bands;
  auto& spans = data->spans;
  uint64_t work = 0;
  size_t ia = 0, ib = 0;
  constexpr int32_t none = std::numeric_limits<int32_t>::max();
  int32_t y = std::min(ia < ba.size() ? ba[0].top : none, ib < bb.size() ? bb[0].top : none);
  while (ia < ba.size() || ib < bb.size()) {
    const bool a_on = ia < ba.size() && ba[ia].top <= y;
    const bool b_on = ib < bb.size() && bb[ib].top <= y;
    int32_t next = none;
    if (ia < ba.size()) next = std::min(next, a_on ? ba[ia].bottom : ba[ia].top);
    if (ib < bb.size()) next = std::min(next, b_on ? bb[ib].bottom : bb[ib].top);
    const size_t na = a_on ? ba[ia].count : 0, nb = b_on ? bb[ib].count : 0;
    work += na + nb + 1;
    if (work > MAX_WORK) return false;
    if ((a_on && (b_on || keep_a_alone)) || (b_on && keep_b_alone)) {
      const size_t first = spans.size();
      merge_spans(a_on ? sa + ba[ia].first : nullptr, na, b_on ? sb + bb[ib].first : nullptr, nb,
                  op, spans, first);
      if (spans.size() > MAX_RECTS) return false;
      close_band(bands, spans, y, next, first);
    }
    y = next;
    if (a_on && ba[ia].bottom == y) ++ia;
    if (b_on && bb[ib].bottom == y) ++ib;
  }
  if (bands.empty()) *out = Region();
  else out->data_ = std::move(data);
  return true;
}

bool Region::unite(const Region& other) {
  if (other.empty()) return true;
  if (empty()) {
    *this = other;
    return true;
  }
  return combine(*this, other, OP_OR, this);
}

bool Region::intersect(const Region& other) {
  if (empty()) return true;
  if (other.empty()) {
    *this = Region();
    return true;
  }
  return combine(*this, other, OP_AND, this);
}

bool Region::subtract(const Region& other) {
  if (empty() || other.empty()) return true;
  return combine(*this, other, OP_DIFF, this);
}

bool Region::exclusive_or(const Region& other) {
  if (other.empty()) return true;
  if (empty()) {
    *this = other;
    return true;
  }
  return combine(*this, other, OP_XOR, this);
}

void Region::offset(int32_t dx, int32_t dy) {
  if (empty() || (dx == 0 && dy == 0)) return;
  const auto& old = *data_;
  auto data = std::make_shared<Data>();
  data->bands.reserve(old.bands.size());
  data->spans.reserve(old.spans.size());
  // Clamping at the coordinate limit can squeeze bands and spans to
  // nothing or make neighbours equal, so each band is re-closed.
  for (const Band& band : old.bands) {
    const size_t first = data->spans.size();
    for (uint32_t k = 0; k < band.count; ++k) {
      const Span& s = old.spans[band.first + k];
      const int32_t l = clamp_coord(int64_t(s.left) + dx), r = clamp_coord(int64_t(s.right) + dx);
      if (l >= r) continue;
      if (data->spans.size() > first && data->spans.back().right >= l)
        data->spans.back().right = std::max(data->spans.back().right, r);
      else data->spans.push_back({l, r});
    }
    close_band(data->bands, data->spans, clamp_coord(int64_t(band.top) + dy),
               clamp_coord(int64_t(band.bottom) + dy), first);
  }
  // Bands squeezed onto the limit row may now overlap; their union is a
  // band at the limit, which is empty anyway (top == bottom), so dropped.
  if (data->bands.empty()) data_.reset();
  else data_ = std::move(data);
}

// --- RegionBuilder -------------------------------------------------------

void RegionBuilder::add_rect(const IRect& rect) {
  const Span span{rect.left, rect.right};
  add_band(rect.top, rect.bottom, {&span, 1});
}

void RegionBuilder::add_band(int32_t top, int32_t bottom, std::span<const Span> spans) {
  if (failed_) return;
  top = clamp_coord(top);
  bottom = clamp_coord(bottom);
  if (top >= bottom || spans.empty()) return;
  // Spans in order, disjoint and not touching, are taken as they are;
  // others are sorted and merged first.
  bool ordered = true;
  int32_t previous_right = std::numeric_limits<int32_t>::min();
  for (const Span& s : spans) {
    if (s.left >= s.right || s.left <= previous_right || s.left < -Region::COORD_LIMIT ||
        s.right > Region::COORD_LIMIT) {
      ordered = false;
      break;
    }
    previous_right = s.right;
  }
  if (!ordered) {
    scratch_.clear();
    for (const Span& s : spans) {
      const Span c{clamp_coord(s.left), clamp_coord(s.right)};
      if (c.left < c.right) scratch_.push_back(c);
    }
    std::sort(scratch_.begin(), scratch_.end(),
              [](const Span& a, const Span& b) { return a.left < b.left; });
    size_t kept = 0;
    for (const Span& s : scratch_) {
      if (kept > 0 && scratch_[kept - 1].right >= s.left)
        scratch_[kept - 1].right = std::max(scratch_[kept - 1].right, s.right);
      else scratch_[kept++] = s;
    }
    scratch_.resize(kept);
    spans = scratch_;
    if (spans.empty()) return;
  }
  if (!bands_.empty() && top < bands_.back().bottom) close_run();
  if (spans_.size() + spans.size() > Region::MAX_RECTS * 4) {
    failed_ = true;
    return;
  }
  const size_t first = spans_.size();
  spans_.insert(spans_.end(), spans.begin(), spans.end());
  close_band(bands_, spans_, top, bottom, first);
}

// The bands so far form a valid region: kept as one run, to be united with
// the others at the end.
void RegionBuilder::close_run() {
  if (bands_.empty()) return;
  Region run;
  auto data = std::make_shared<Region::Data>();
  data->bands = std::move(bands_);
  data->spans = std::move(spans_);
  run.data_ = std::move(data);
  runs_.push_back(std::move(run));
  bands_.clear();
  spans_.clear();
}

bool RegionBuilder::finish(Region* out) {
  close_run();
  *out = Region();
  if (failed_) return false;
  // Balanced pairwise unions: O(n log n) for runs that do not interleave,
  // each union bounded by the region limits.
  while (runs_.size() > 1) {
    size_t kept = 0;
    for (size_t k = 0; k < runs_.size(); k += 2) {
      Region merged = std::move(runs_[k]);
      if (k + 1 < runs_.size() && !merged.unite(runs_[k + 1])) {
        runs_.clear();
        return false;
      }
      runs_[kept++] = std::move(merged);
    }
    runs_.resize(kept);
  }
  if (!runs_.empty()) *out = std::move(runs_.front());
  runs_.clear();
  return true;
}

// --- cairo ---------------------------------------------------------------

void add_region_path(cairo_t* cr, const Region& region) {
  region.for_each_rect([cr](const IRect& r) {
    cairo_rectangle(cr, r.left, r.top, double(r.right) - r.left, double(r.bottom) - r.top);
  });
}

void clip_to_region(cairo_t* cr, const Region& region) {
  cairo_new_path(cr);
  add_region_path(cr, region);
  const cairo_fill_rule_t rule = cairo_get_fill_rule(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_clip(cr);
  cairo_set_fill_rule(cr, rule);
}

}  // namespace vellum::gdi
