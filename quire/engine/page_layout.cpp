#include "page_layout.h"

#include <pango/pangocairo.h>

#include <algorithm>

#include "paragraph_layout.h"
#include "paragraph_metrics.h"

namespace quire {
namespace {

constexpr double MIN_TEXT_WIDTH = 72.0, MIN_TEXT_HEIGHT = 72.0;
constexpr double CELL_PAD_X = 5.4, CELL_PAD_Y = 1.5;
constexpr double MIN_CELL_TEXT_WIDTH = 8.0;
constexpr double MAX_PARAGRAPH_SPACE = 200.0;

struct Frame {
  double left = 72, top = 72, width = 451, bottom = 770;
};

// The text frame of a section on an A4 page; margins that leave too little
// room fall back to one inch.
Frame frame_for(const SectionFormat& section) {
  Frame frame;
  const double left = points(section.left), right = points(section.right);
  const double top = points(section.top), bottom = points(section.bottom);
  if (left >= 0 && right >= 0 && PAGE_WIDTH - left - right >= MIN_TEXT_WIDTH) {
    frame.left = left;
    frame.width = PAGE_WIDTH - left - right;
  }
  if (top >= 0 && bottom >= 0 && PAGE_HEIGHT - top - bottom >= MIN_TEXT_HEIGHT) {
    frame.top = top;
    frame.bottom = PAGE_HEIGHT - bottom;
  }
  return frame;
}

double space_points(uint16_t twips) { return std::min(points(twips), MAX_PARAGRAPH_SPACE); }

// Lays out in two passes: every paragraph is measured at the width its
// place gives it (all at once, see paragraph_metrics.h), then the measured
// lines are flowed onto pages in document order.
class Paginator {
 public:
  Paginator(const DocumentModel& model, PageLayout& out)
      : model_(model), out_(out), fonts_{model.fonts, model.defaults.font} {}

  void run() {
    plan();
    out_.pages.clear();
    out_.measured = measure_paragraphs(jobs_, fonts_);
    next_ = 0;
    frame_ = frame_for(section(0));
    new_page();
    for (const Block& block : model_.blocks) {
      frame_ = frame_for(section(block.section));
      switch (block.kind) {
        case BlockKind::PAGE_BREAK: new_page(); break;
        case BlockKind::PARAGRAPH: place_paragraph(block.paragraph); break;
        case BlockKind::ROW: place_row(block.row); break;
      }
    }
  }

 private:
  const SectionFormat& section(size_t index) const {
    return model_.sections[std::min(index, model_.sections.size() - 1)];
  }

  // The paragraph's left edge and width inside a column starting at `left`, `width` wide.
  static void indented(const Paragraph& paragraph, double left, double width, double min_width, double& x,
                       double& text_width) {
    const ParaProps& props = paragraph.props;
    x = std::max(0.0, left + points(props.left_indent));
    text_width = std::max(min_width, width - points(props.left_indent) - points(props.right_indent));
  }

  // The first pass: one measuring job per paragraph, in the order place() takes them.
  void plan() {
    jobs_.clear();
    for (const Block& block : model_.blocks) {
      frame_ = frame_for(section(block.section));
      double x = 0, width = 0;
      if (block.kind == BlockKind::PARAGRAPH) {
        indented(block.paragraph, frame_.left, frame_.width, MIN_TEXT_WIDTH / 2, x, width);
        jobs_.push_back({&block.paragraph, width});
      } else if (block.kind == BlockKind::ROW) {
        const std::vector<double> widths = cell_widths(block.row, x);
        for (size_t i = 0; i < block.row.cells.size(); ++i)
          for (const Paragraph& paragraph : block.row.cells[i].paragraphs) {
            indented(paragraph, 0, widths[i] - 2 * CELL_PAD_X, MIN_CELL_TEXT_WIDTH, x, width);
            jobs_.push_back({&paragraph, width});
          }
      }
    }
  }

  void new_page() {
    out_.pages.emplace_back();
    y_ = frame_.top;
    page_has_content_ = false;
  }

  // Places a paragraph at the cursor, breaking it across pages between lines.
  void place_paragraph(const Paragraph& paragraph) {
    const size_t measured = next_++;
    const MeasureJob& job = jobs_[measured];
    const ParagraphMetrics& metrics = out_.measured[measured];
    double x = 0, width = 0;
    indented(paragraph, frame_.left, frame_.width, MIN_TEXT_WIDTH / 2, x, width);
    if (page_has_content_) y_ += space_points(paragraph.props.space_before);

    PlacedParagraph part{&paragraph, x, y_, job.width, 0, 0, measured};
    const int count = static_cast<int>(metrics.lines.size());
    for (int line = 0; line < count; ++line) {
      const LineBox& box = metrics.lines[line];
      if (part.top + box.bottom > frame_.bottom && (page_has_content_ || line > part.first_line)) {
        if (line > part.first_line) {
          part.end_line = line;
          out_.pages.back().paragraphs.push_back(part);
        }
        new_page();
        part.first_line = line;
        part.top = y_ - box.top;
      }
      page_has_content_ = true;
    }
    part.end_line = count;
    out_.pages.back().paragraphs.push_back(part);
    y_ = part.top + metrics.lines.back().bottom + space_points(paragraph.props.space_after);
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
    const double room = PAGE_WIDTH - frame_.left;
    if (total > room) for (double& width : widths) width *= room / total;
    x = std::clamp(frame_.left + points(row.edges[0]), 0.0, PAGE_WIDTH - std::min(total, room));
    return widths;
  }

  // Stacks a cell's measured paragraphs from `top`; returns the height they take.
  double place_cell(const TableCell& cell, double left, double top, std::vector<PlacedParagraph>& placed) {
    double y = top;
    for (const Paragraph& paragraph : cell.paragraphs) {
      const size_t measured = next_++;
      const MeasureJob& job = jobs_[measured];
      const ParagraphMetrics& metrics = out_.measured[measured];
      if (y > top) y += space_points(paragraph.props.space_before);
      const double x = left + std::max(0.0, points(paragraph.props.left_indent));
      placed.push_back({&paragraph, x, y, job.width, 0, static_cast<int>(metrics.lines.size()), measured});
      y += metrics.height + space_points(paragraph.props.space_after);
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
    for (size_t i = 0; i < row.cells.size(); ++i) {
      height = std::max(height, place_cell(row.cells[i], x + CELL_PAD_X, CELL_PAD_Y, placed));
      boxes.push_back({x, 0, widths[i], 0});
      x += widths[i];
    }
    height += 2 * CELL_PAD_Y;
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
  std::vector<MeasureJob> jobs_;
  size_t next_ = 0;  // the next job place() takes
  Frame frame_;
  double y_ = 0;
  bool page_has_content_ = false;
};

// Draws the part's lines as they were laid out when the document was (a
// short paragraph whose layout was not kept is laid out again).
void draw_paragraph(cairo_t* cr, const PlacedParagraph& part, const ParagraphMetrics& kept,
                    const FontChoice& fonts) {
  ParagraphMetrics again;
  if (kept.layouts.empty()) again = lay_out_paragraph(main_layout_context(), *part.paragraph, fonts, part.width);
  const ParagraphMetrics& metrics = kept.layouts.empty() ? again : kept;
  const int end = std::min(part.end_line, static_cast<int>(metrics.lines.size()));
  for (int line = std::max(0, part.first_line); line < end; ++line) {
    const LineBox& box = metrics.lines[static_cast<size_t>(line)];
    cairo_move_to(cr, part.x + box.x, part.top + box.baseline);
    pango_cairo_show_layout_line(cr, box.line);
  }
}

}  // namespace

void layout_document(const DocumentModel& model, PageLayout& out) {
  Paginator(model, out).run();
}

int draw_page(cairo_t* cr, const DocumentModel& model, const PageLayout& layout, size_t index) {
  if (index >= layout.pages.size()) return -1;
  const Page& page = layout.pages[index];
  cairo_save(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_rectangle(cr, 0, 0, page.width, page.height);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);

  cairo_set_line_width(cr, 0.5);
  for (const CellBox& box : page.boxes) cairo_rectangle(cr, box.x, box.y, box.width, box.height);
  cairo_stroke(cr);

  const FontChoice fonts{model.fonts, model.defaults.font};
  for (const PlacedParagraph& part : page.paragraphs)
    if (part.measured < layout.measured.size()) draw_paragraph(cr, part, layout.measured[part.measured], fonts);
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
  // Paper beyond a smaller page stays white too.
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  draw_page(cr, model, layout, index);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  cairo_surface_destroy(surface);
  return 0;
}

}  // namespace quire
