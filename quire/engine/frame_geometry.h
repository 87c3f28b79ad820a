// Positioned frames on a page: where a frame lands against its anchors,
// and the room the text around it keeps.
#pragma once

#include <vector>

#include "properties.h"

namespace quire {

// What a frame can be placed against, in points on its page.
struct FrameAnchors {
  double page_width = 0, page_height = 0;
  double margin_left = 0, margin_top = 0, margin_right = 0, margin_bottom = 0;  // the text area
  double paragraph_top = 0;  // the top of the text the frame is anchored in
  bool even_page = false;    // inside and outside swap sides on even pages of facing pages
};

struct FrameBox {
  double x = 0, y = 0, width = 0, height = 0;
};

// The box of a frame whose content is `width` x `height` points: placed as
// `position` asks, then moved wholly onto the page.
FrameBox place_frame(const FramePosition& position, double width, double height, const FrameAnchors& anchors);

// The frame's height for content `content` points tall: its set height
// (exact, or at least) when it has one.
double frame_height(const FramePosition& position, double content);

// An area the text keeps out of; `beside` when text may run on its left or right.
struct Exclusion {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool beside = true;
};

// The area a placed frame keeps text out of, its distance from the text
// included; false when text runs over it.
bool exclusion_of(const FramePosition& position, const FrameBox& box, Exclusion& out);

// Where text of the column [left, right) may go from `top` for `height`
// points: the widest stretch beside the exclusions in the way, or, when
// none is `min_width` wide, the full column further down, below them.
struct TextRoom {
  double left = 0, width = 0, top = 0;
};
TextRoom room_for_text(const std::vector<Exclusion>& exclusions, double left, double right, double top,
                       double height, double min_width);

}  // namespace quire
