// Drawing laid-out pages onto cairo: paper, table cell shading and lines,
// the footnote separator, each placed paragraph's kept lines with their
// borders, shading and tab leaders, and the floating pictures and shapes
// behind and in front.
#include <pango/pangocairo.h>

#include <algorithm>

#include "page_layout.h"
#include "paragraph_layout.h"
#include "picture_drawing.h"
#include "revisions.h"
#include "shape_drawing.h"
#include "tab_leaders.h"

namespace quire {
namespace {

constexpr double NOTE_LINE_WIDTH = 144.0;  // the footnote separator: two inches
constexpr double CHANGE_BAR_GAP = 6.0, CHANGE_BAR_WIDTH = 0.75;  // left of the text frame

// Whether the paragraph's bytes [start, end) hold a run that shows a change.
bool changed(const Paragraph& paragraph, uint32_t start, uint32_t end) {
  auto run = std::upper_bound(paragraph.runs.begin(), paragraph.runs.end(), start,
                              [](uint32_t at, const TextRun& r) { return at < r.end; });
  for (; run != paragraph.runs.end() && run->start < end; ++run)
    if (shows_change(run->props)) return true;
  return false;
}

void draw_paragraph(cairo_t* cr, const PlacedParagraph& part, const ParagraphMetrics* kept, const FontChoice& fonts,
                    const Page& page, int32_t page_count, uint8_t nfc) {
  const Paragraph* paragraph = part.paragraph;
  Paragraph filled;
  if (paragraph->has_fields) {
    filled = with_fields(*paragraph, page.number, page_count, nfc);
    paragraph = &filled;
  }
  const ParaProps& props = paragraph->props;
  if (props.shaded && props.shading != 0xFFFFFF) {
    cairo_set_source_rgb(cr, (props.shading >> 16 & 0xFF) / 255.0, (props.shading >> 8 & 0xFF) / 255.0,
                         (props.shading & 0xFF) / 255.0);
    cairo_rectangle(cr, part.x, part.top, part.width, part.bottom - part.top);
    cairo_fill(cr);
  }
  auto border = [&](const BorderLine& line, double x0, double y0, double x1, double y1) {
    if (line.width == 0) return;
    cairo_set_source_rgb(cr, (line.colour >> 16 & 0xFF) / 255.0, (line.colour >> 8 & 0xFF) / 255.0,
                         (line.colour & 0xFF) / 255.0);
    cairo_set_line_width(cr, std::max(0.25, line.width / 8.0));
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
  };
  // Top and bottom lines stand their distance from the text away, in the
  // room the layout left for them; the side lines run through the space
  // between paragraphs boxed together.
  const double top = part.top_border ? part.top - border_room(props.border_top) + props.border_top.width / 16.0
                                     : part.top - points(props.space_before);
  const double bottom = part.bottom_border
                            ? part.bottom + border_room(props.border_bottom) - props.border_bottom.width / 16.0
                            : part.bottom + points(props.space_after);
  // Side lines stand their distance out from the text, and the top and
  // bottom lines reach them, so that a box closes at its corners.
  const auto side = [](const BorderLine& line) { return line.width == 0 ? 0.0 : line.space + line.width / 16.0; };
  const double left = part.x - side(props.border_left), right = part.x + part.width + side(props.border_right);
  const double reach_left = left - props.border_left.width / 16.0, reach_right = right + props.border_right.width / 16.0;
  if (part.top_border) border(props.border_top, reach_left, top, reach_right, top);
  if (part.bottom_border) border(props.border_bottom, reach_left, bottom, reach_right, bottom);
  const double side_top = top - props.border_top.width / 16.0, side_bottom = bottom + props.border_bottom.width / 16.0;
  border(props.border_left, left, side_top, left, side_bottom);
  border(props.border_right, right, side_top, right, side_bottom);
  cairo_set_source_rgb(cr, 0, 0, 0);

  // The lines as they were laid out when the document was; a short
  // paragraph whose layout was not kept, or one with page numbers to fill
  // in, is laid out again.
  const ParagraphMetrics* metrics = kept;
  ParagraphMetrics again;
  if (!metrics || metrics->layouts.empty() || paragraph != part.paragraph) {
    again = lay_out_paragraph(main_layout_context(), *paragraph, fonts, part.width);
    metrics = &again;
  }
  const double origin = paragraph_box(props, part.width, 0).x;
  const int end = std::min(part.end_line, static_cast<int>(metrics->lines.size()));
  for (int line = std::max(0, part.first_line); line < end; ++line) {
    const LineBox& box = metrics->lines[static_cast<size_t>(line)];
    cairo_move_to(cr, part.x + box.x, part.top + box.baseline);
    pango_cairo_show_layout_line(cr, box.line);
    draw_tab_leaders(cr, box.line, *paragraph, box.start, part.x + box.x, part.top + box.baseline, origin + box.x);
    const size_t next = static_cast<size_t>(line) + 1;
    const uint32_t line_end =
        next < metrics->lines.size() ? metrics->lines[next].start : static_cast<uint32_t>(paragraph->text.size());
    if (changed(*paragraph, box.start, line_end)) {
      cairo_set_source_rgb(cr, 0, 0, 0);
      cairo_rectangle(cr, page.text_left - CHANGE_BAR_GAP, part.top + box.top, CHANGE_BAR_WIDTH, box.bottom - box.top);
      cairo_fill(cr);
    }
  }
}

// A text box's paragraphs, one below the other inside its margins, cut
// off at its edges.
void draw_text_box(cairo_t* cr, const ShapeText& shape, const ShapeBox& box, const FontChoice& fonts,
                   const Page& page, int32_t page_count, uint8_t nfc) {
  const double left = box.x + shape.inset[0], width = box.width - shape.inset[0] - shape.inset[2];
  if (shape.blocks.empty() || width < 1) return;
  cairo_save(cr);
  cairo_rectangle(cr, box.x, box.y, box.width, box.height);
  cairo_clip(cr);
  double y = box.y + shape.inset[1];
  for (const Block& block : shape.blocks) {
    if (block.kind != BlockKind::PARAGRAPH) continue;  // tables in text boxes are left out
    const Paragraph& paragraph = block.paragraph;
    if (y >= box.y + box.height) break;
    y += points(paragraph.props.space_before);
    const ParagraphBox column = paragraph_box(paragraph.props, width, 1);
    const ParagraphMetrics metrics = lay_out_paragraph(main_layout_context(), paragraph, fonts, column.width);
    const int lines = static_cast<int>(metrics.lines.size());
    const PlacedParagraph part{&paragraph, left + column.x, y, column.width, 0, lines, y + metrics.height, SIZE_MAX};
    draw_paragraph(cr, part, &metrics, fonts, page, page_count, nfc);
    y += metrics.height + points(paragraph.props.space_after);
  }
  cairo_restore(cr);
}

// The floating pictures and shapes behind the text or in front of it.
void draw_floats(cairo_t* cr, const DocumentModel& model, const Page& page, bool behind, const FontChoice& fonts,
                 int32_t page_count, uint8_t nfc) {
  for (const PlacedPicture& placed : page.pictures) {
    if (placed.behind != behind) continue;
    const ShapeBox box{placed.x, placed.y, placed.width, placed.height};
    const ShapeText* shape = placed.text < model.shape_texts.size() ? &model.shape_texts[placed.text] : nullptr;
    if (shape) draw_shape_fill(cr, *shape, box);
    if (placed.picture < model.pictures.size())
      draw_picture(cr, model.pictures[placed.picture], placed.x, placed.y, placed.width, placed.height);
    if (!shape) continue;
    draw_text_art(cr, *shape, box);
    draw_text_box(cr, *shape, box, fonts, page, page_count, nfc);
    draw_shape_outline(cr, *shape, box);
  }
}

}  // namespace

int draw_page(cairo_t* cr, const DocumentModel& model, const PageLayout& layout, size_t index) {
  if (!cr || index >= layout.pages.size()) return -1;
  const Page& page = layout.pages[index];
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, page.width, page.height);
  cairo_clip(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);

  const FontChoice fonts{model.fonts, model.defaults.font, &model.pictures, model.default_tab};
  const uint8_t nfc = page.section < model.sections.size() ? model.sections[page.section].page_number_format : 0;
  const int32_t page_count = static_cast<int32_t>(layout.pages.size());
  set_drawn_model(&model);
  draw_floats(cr, model, page, true, fonts, page_count, nfc);
  for (const CellBox& box : page.boxes)
    if (box.shading != 0xFFFFFFFFu) {
      cairo_set_source_rgb(cr, (box.shading >> 16 & 0xFF) / 255.0, (box.shading >> 8 & 0xFF) / 255.0,
                           (box.shading & 0xFF) / 255.0);
      cairo_rectangle(cr, box.x, box.y, box.width, box.height);
      cairo_fill(cr);
    }
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 0.5);
  for (const CellBox& box : page.boxes) {
    const double right = box.x + box.width, bottom = box.y + box.height;
    auto side = [&](uint8_t bit, double x0, double y0, double x1, double y1) {
      if (!(box.sides & bit)) return;
      cairo_move_to(cr, x0, y0);
      cairo_line_to(cr, x1, y1);
    };
    side(CELL_TOP, box.x, box.y, right, box.y);
    side(CELL_LEFT, box.x, box.y, box.x, bottom);
    side(CELL_BOTTOM, box.x, bottom, right, bottom);
    side(CELL_RIGHT, right, box.y, right, bottom);
  }
  cairo_stroke(cr);
  if (page.note_line >= 0) {
    cairo_move_to(cr, page.note_line_x, page.note_line);
    cairo_line_to(cr, page.note_line_x + NOTE_LINE_WIDTH, page.note_line);
    cairo_stroke(cr);
  }

  for (const PlacedParagraph& part : page.paragraphs) {
    const ParagraphMetrics* kept = part.measured < layout.measured.size() ? &layout.measured[part.measured] : nullptr;
    draw_paragraph(cr, part, kept, fonts, page, page_count, nfc);
  }
  draw_floats(cr, model, page, false, fonts, page_count, nfc);
  set_drawn_model(nullptr);
  cairo_restore(cr);
  return 0;
}

int render_page(const DocumentModel& model, const PageLayout& layout, size_t index, uint8_t* pixels,
                int stride) {
  if (index >= layout.pages.size() || !pixels || stride < PAGE_WIDTH * 4) return -1;
  cairo_surface_t* surface =
      cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_ARGB32, PAGE_WIDTH, PAGE_HEIGHT, stride);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return -1;
  }
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  // The page fitted into the buffer, aspect kept, centred.
  const Page& page = layout.pages[index];
  const double scale = std::min(PAGE_WIDTH / page.width, PAGE_HEIGHT / page.height);
  cairo_translate(cr, (PAGE_WIDTH - page.width * scale) / 2, (PAGE_HEIGHT - page.height * scale) / 2);
  cairo_scale(cr, scale, scale);
  const int result = draw_page(cr, model, layout, index);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  cairo_surface_destroy(surface);
  return result;
}

}  // namespace quire
