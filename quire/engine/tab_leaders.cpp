#include "tab_leaders.h"

#include <algorithm>
#include <cmath>

#include "paragraph_layout.h"

namespace quire {
namespace {

enum Leader : uint8_t { NONE, DOTS, HYPHENS, UNDERLINE, HEAVY, MIDDLE_DOTS };
constexpr double DOT_PITCH = 3.0, DASH_PITCH = 4.0, DASH_LENGTH = 2.5;
constexpr double MAX_LEADER_MARKS = 2000;

// The leader of the stop a tab starting at `from` (points from the column's
// left edge) moves to: the first stop right of it. Default stops lie past the
// paragraph's own, and never have leaders.
uint8_t leader_at(const ParaProps& props, double from) {
  for (const TabStop& stop : props.tabs)
    if (stop.kind != 4 && points(stop.position) > from + 0.01) return stop.leader;
  return NONE;
}

void draw_leader(cairo_t* cr, uint8_t leader, double from, double to, double baseline, double size) {
  if (to - from < 1 || (to - from) / DOT_PITCH > MAX_LEADER_MARKS) return;
  switch (leader) {
    case DOTS:
    case MIDDLE_DOTS: {
      const double y = leader == DOTS ? baseline - 0.6 : baseline - size * 0.3;
      for (double at = std::ceil(from / DOT_PITCH) * DOT_PITCH; at + 1 <= to; at += DOT_PITCH)
        cairo_rectangle(cr, at, y - 0.6, 0.8, 0.8);
      cairo_fill(cr);
      break;
    }
    case HYPHENS:
      for (double at = std::ceil(from / DASH_PITCH) * DASH_PITCH; at + DASH_LENGTH <= to; at += DASH_PITCH)
        cairo_rectangle(cr, at, baseline - size * 0.3, DASH_LENGTH, 0.6);
      cairo_fill(cr);
      break;
    case UNDERLINE:
    case HEAVY:
      cairo_rectangle(cr, from, baseline + 1, to - from, leader == HEAVY ? 1.5 : 0.6);
      cairo_fill(cr);
      break;
    default: break;
  }
}

}  // namespace

void draw_tab_leaders(cairo_t* cr, PangoLayoutLine* line, const Paragraph& paragraph, uint32_t start, double x,
                      double baseline, double origin) {
  if (!line || paragraph.props.tabs.empty()) return;
  const double size = paragraph.mark.half_points / 2.0;
  double at = x;
  for (GSList* item = line->runs; item; item = item->next) {
    const auto* run = static_cast<PangoGlyphItem*>(item->data);
    const PangoGlyphString* glyphs = run->glyphs;
    for (int g = 0; g < glyphs->num_glyphs; ++g) {
      const double width = glyphs->glyphs[g].geometry.width / static_cast<double>(PANGO_SCALE);
      const int64_t byte = int64_t{start} + run->item->offset + glyphs->log_clusters[g] - line->start_index;
      if (byte >= 0 && static_cast<size_t>(byte) < paragraph.text.size() && paragraph.text[byte] == '\t') {
        const uint8_t leader = leader_at(paragraph.props, at - x + origin);
        if (leader != NONE) draw_leader(cr, leader, at, at + width, baseline, size);
      }
      at += width;
    }
  }
}

}  // namespace quire
