#include "page_layout.h"

#include <pango/pangocairo.h>

#include <algorithm>

#include "paragraph_layout.h"

namespace quire {
namespace {

constexpr double kMinTextWidth = 72.0, kMinTextHeight = 72.0;
constexpr double kCellPadX = 5.4, kCellPadY = 1.5;
constexpr double kMinCellTextWidth = 8.0;
constexpr double kMaxParagraphSpace = 200.0;

struct Frame {
  double left = 72, top = 72, width = 451, bottom = 770;
};

// The text frame of a section on an A4 page; margins that leave too little
// room fall back to one inch.
Frame frame_for(const SectionFormat& section) {
  Frame frame;
  const double left = points(section.left), right = points(section.right);
  const double top = points(section.top), bottom = points(section.bottom);
  if (left >= 0 && right >= 0 && kPageWidth - left - right >= kMinTextWidth) {
    frame.left = left;
    frame.width = kPageWidth - left - right;
  }
  if (top >= 0 && bottom >= 0 && kPageHeight - top - bottom >= kMinTextHeight) {
    frame.top = top;
    frame.bottom = kPageHeight - bottom;
  }
  return frame;
}

double space_points(uint16_t twips) { return std::min(points(twips), kMaxParagraphSpace); }

class Paginator {
 public:
  Paginator(const DocumentModel& model, PageLayout& out)
      : model_(model), out_(out), fonts_{model.fonts, model.defaults.font} {}

  void run() {
    out_.pages.clear();
    frame_ = frame_for(section(0));
    new_page();
    for (const Block& block : model_.blocks) {
      frame_ = frame_for(section(block.section));
      switch (block.kind) {
        case BlockKind::kPageBreak: new_page(); break;
        case BlockKind::kParagraph: place_paragraph(block.paragraph); break;
        case BlockKind::kRow: place_row(block.row); break;
      }
    }
  }

 private:
  const SectionFormat& section(size_t index) const {
    return model_.sections[std::min(index, model_.sections.size() - 1)];
  }

  void new_page() {
    out_.pages.emplace_back();
    y_ = frame_.top;
    page_has_content_ = false;
  }

  // Places a paragraph at the cursor, breaking it across pages between lines.
  void place_paragraph(const Paragraph& paragraph) {
    const ParaProps& props = paragraph.props;
    const double indent_left = points(props.left_indent), indent_right = points(props.right_indent);
    const double x = std::max(0.0, frame_.left + indent_left);
    const double width = std::max(kMinTextWidth / 2, frame_.width - indent_left - indent_right);
    if (page_has_content_) y_ += space_points(props.space_before);

    PangoLayout* layout = make_paragraph_layout(paragraph, fonts_, width);
    PlacedParagraph part{&paragraph, x, y_, width, 0, 0};
    double layout_bottom = 0;
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    int line = 0;
    do {
      PangoRectangle logical;
      pango_layout_iter_get_line_extents(iter, nullptr, &logical);
      const double line_top = static_cast<double>(logical.y) / PANGO_SCALE;
      const double line_bottom = static_cast<double>(logical.y + logical.height) / PANGO_SCALE;
      if (part.top + line_bottom > frame_.bottom && (page_has_content_ || line > part.first_line)) {
        if (line > part.first_line) {
          part.end_line = line;
          out_.pages.back().paragraphs.push_back(part);
        }
        new_page();
        part.first_line = line;
        part.top = y_ - line_top;
      }
      page_has_content_ = true;
      layout_bottom = line_bottom;
      ++line;
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    g_object_unref(layout);

    part.end_line = line;
    out_.pages.back().paragraphs.push_back(part);
    y_ = part.top + layout_bottom + space_points(props.space_after);
  }

  // Cell widths from the row's definition when it is usable, else equal shares.
  std::vector<double> cell_widths(const TableRow& row, double& x) const {
    const size_t count = row.cells.size();
    std::vector<double> widths(count, frame_.width / static_cast<double>(count));
    x = frame_.left;
    if (row.edges.size() != count + 1) return widths;
    double total = 0;
    for (size_t i = 0; i < count; ++i) {
      const double width = points(row.edges[i + 1] - row.edges[i]);
      if (width <= 0) return std::vector<double>(count, frame_.width / static_cast<double>(count));
      widths[i] = width;
      total += width;
    }
    const double room = kPageWidth - frame_.left;
    if (total > room) for (double& width : widths) width *= room / total;
    x = std::clamp(frame_.left + points(row.edges[0]), 0.0, kPageWidth - std::min(total, room));
    return widths;
  }

  // Lays out a cell's paragraphs from `top`; returns the height they take.
  double place_cell(const TableCell& cell, double x, double top, double width, std::vector<PlacedParagraph>& placed) {
    double y = top;
    for (const Paragraph& paragraph : cell.paragraphs) {
      const ParaProps& props = paragraph.props;
      if (y > top) y += space_points(props.space_before);
      const double text_width = std::max(kMinCellTextWidth, width - points(props.left_indent) - points(props.right_indent));
      PangoLayout* layout = make_paragraph_layout(paragraph, fonts_, text_width);
      PangoRectangle logical;
      pango_layout_get_extents(layout, nullptr, &logical);
      const int lines = pango_layout_get_line_count(layout);
      g_object_unref(layout);
      placed.push_back({&paragraph, x + std::max(0.0, points(props.left_indent)), y, text_width, 0, lines});
      y += static_cast<double>(logical.height) / PANGO_SCALE + space_points(props.space_after);
    }
    return y - top;
  }

  // A row is kept whole: it moves to the next page when it does not fit.
  void place_row(const TableRow& row) {
    double x = 0;
    const std::vector<double> widths = cell_widths(row, x);
    std::vector<PlacedParagraph> placed;
    std::vector<CellBox> boxes;
    double height = 0;
    double cell_x = x;
    for (size_t i = 0; i < row.cells.size(); ++i) {
      const double text_width = widths[i] - 2 * kCellPadX;
      height = std::max(height, place_cell(row.cells[i], cell_x + kCellPadX, kCellPadY,
                                           std::max(kMinCellTextWidth, text_width), placed));
      boxes.push_back({cell_x, 0, widths[i], 0});
      cell_x += widths[i];
    }
    height += 2 * kCellPadY;
    if (y_ + height > frame_.bottom && page_has_content_) new_page();
    Page& page = out_.pages.back();
    for (PlacedParagraph& part : placed) {
      part.top += y_;
      page.paragraphs.push_back(part);
    }
    for (CellBox& box : boxes) {
      box.y = y_;
      box.height = height;
      page.boxes.push_back(box);
    }
    y_ += height;
    page_has_content_ = true;
  }

  const DocumentModel& model_;
  PageLayout& out_;
  FontChoice fonts_;
  Frame frame_;
  double y_ = 0;
  bool page_has_content_ = false;
};

void draw_paragraph(cairo_t* cr, const PlacedParagraph& part, const FontChoice& fonts) {
  PangoLayout* layout = make_paragraph_layout(*part.paragraph, fonts, part.width);
  PangoLayoutIter* iter = pango_layout_get_iter(layout);
  int line = 0;
  do {
    if (line >= part.end_line) break;
    if (line >= part.first_line) {
      PangoRectangle logical;
      pango_layout_iter_get_line_extents(iter, nullptr, &logical);
      const double baseline = static_cast<double>(pango_layout_iter_get_baseline(iter)) / PANGO_SCALE;
      cairo_move_to(cr, part.x + static_cast<double>(logical.x) / PANGO_SCALE, part.top + baseline);
      pango_cairo_show_layout_line(cr, pango_layout_iter_get_line_readonly(iter));
    }
    ++line;
  } while (pango_layout_iter_next_line(iter));
  pango_layout_iter_free(iter);
  g_object_unref(layout);
}

}  // namespace

void layout_document(const DocumentModel& model, PageLayout& out) {
  Paginator(model, out).run();
}

int render_page(const DocumentModel& model, const PageLayout& layout, size_t index, uint8_t* pixels,
                int stride) {
  if (index >= layout.pages.size() || !pixels || stride < kPageWidth * 4) return -1;
  cairo_surface_t* surface =
      cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_ARGB32, kPageWidth, kPageHeight, stride);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return -1;
  }
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);

  const Page& page = layout.pages[index];
  cairo_set_line_width(cr, 0.5);
  for (const CellBox& box : page.boxes) cairo_rectangle(cr, box.x, box.y, box.width, box.height);
  cairo_stroke(cr);

  const FontChoice fonts{model.fonts, model.defaults.font};
  for (const PlacedParagraph& part : page.paragraphs) draw_paragraph(cr, part, fonts);

  cairo_destroy(cr);
  cairo_surface_flush(surface);
  cairo_surface_destroy(surface);
  return 0;
}

}  // namespace quire
