#include "frame_geometry.h"

#include <algorithm>
#include <utility>

#include "paragraph_layout.h"

namespace quire {
namespace {

// Where a box `size` long starts in [from, to) for a placement value:
// an offset from `from`, or one of the named placements.
double place_along(int16_t value, double from, double to, double size, bool near_is_start) {
  switch (value) {
    case FRAME_CENTRE: return from + (to - from - size) / 2;
    case FRAME_RIGHT: return to - size;
    case FRAME_INSIDE: return near_is_start ? from : to - size;
    case FRAME_OUTSIDE: return near_is_start ? to - size : from;
    default: return value > 0 ? from + points(value) : from;
  }
}

// A vertical placement as the horizontal one it works like: top as the
// start, middle as centre, bottom as the end; inside is the top and
// outside the bottom of a page.
int16_t vertical_along(int16_t y) {
  switch (y) {
    case FRAME_TOP:
    case FRAME_INSIDE_Y: return 0;
    case FRAME_MIDDLE: return FRAME_CENTRE;
    case FRAME_BOTTOM:
    case FRAME_OUTSIDE_Y: return FRAME_RIGHT;
    default: return y < 0 ? 0 : y;
  }
}

// Keeps [start, start + size) on [0, limit) where it fits, else starts it at 0.
double onto_page(double start, double size, double limit) {
  return std::clamp(start, 0.0, std::max(0.0, limit - size));
}

}  // namespace

FrameBox place_frame(const FramePosition& position, double width, double height, const FrameAnchors& anchors) {
  double left = anchors.margin_left, right = anchors.margin_right;
  if (position.horizontal == 2) {
    left = 0;
    right = anchors.page_width;
  }
  double top = anchors.margin_top, bottom = anchors.margin_bottom;
  if (position.vertical == 1) {
    top = 0;
    bottom = anchors.page_height;
  }
  FrameBox box{0, 0, width, height};
  box.x = onto_page(place_along(position.x, left, right, width, !anchors.even_page), width, anchors.page_width);
  double y = 0;
  if (position.vertical == 2) {  // from the paragraph: only an offset down from its top
    y = anchors.paragraph_top + (position.y > 0 ? points(position.y) : 0);
  } else {
    y = place_along(vertical_along(position.y), top, bottom, height, true);
  }
  box.y = onto_page(y, height, anchors.page_height);
  return box;
}

double frame_height(const FramePosition& position, double content) {
  const double set = points(position.height & 0x7FFF);
  if (set <= 0) return content;
  return position.height & 0x8000 ? std::max(set, content) : set;
}

bool exclusion_of(const FramePosition& position, const FrameBox& box, Exclusion& out) {
  if (position.wrap == 3) return false;
  const double gap_x = points(position.gap_x), gap_y = points(position.gap_y);
  out = {box.x - gap_x, box.y - gap_y, box.x + box.width + gap_x, box.y + box.height + gap_y, position.wrap != 1};
  return true;
}

TextRoom room_for_text(const std::vector<Exclusion>& exclusions, double left, double right, double top,
                       double height, double min_width) {
  // Each round either finds room or moves below at least one exclusion, so it ends.
  for (size_t round = 0; round <= exclusions.size(); ++round) {
    std::vector<std::pair<double, double>> taken;
    double below = -1;  // the nearest bottom of an exclusion in the way
    bool beside = true;
    for (const Exclusion& e : exclusions) {
      if (e.bottom <= top || e.top >= top + height || e.right <= left || e.left >= right) continue;
      taken.emplace_back(e.left, e.right);
      below = below < 0 ? e.bottom : std::min(below, e.bottom);
      beside = beside && e.beside;
    }
    if (taken.empty()) return {left, right - left, top};
    if (beside) {
      std::sort(taken.begin(), taken.end());
      TextRoom best{left, 0, top};
      double from = left;
      for (const auto& [start, end] : taken) {
        if (start - from > best.width) best = {from, start - from, top};
        from = std::max(from, end);
      }
      if (right - from > best.width) best = {from, right - from, top};
      if (best.width >= min_width) return best;
    }
    top = below;
  }
  return {left, right - left, top};
}

}  // namespace quire
