#include "page_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <span>

#include "frame_geometry.h"
#include "paragraph_layout.h"
#include "paragraph_metrics.h"

namespace quire {
namespace {

constexpr double MIN_TEXT_WIDTH = 72.0, MIN_TEXT_HEIGHT = 72.0;
// Word keeps no margin above and below a cell's text; the border line drawn
// on the cell's edge takes this much of the row.
constexpr double CELL_PAD_Y = 0.25;
constexpr double MAX_CELL_PAD_X = 72.0;
constexpr uint16_t MAX_WIDTH_PERCENT = 5000;  // the whole text width
constexpr double MIN_CELL_TEXT_WIDTH = 8.0;
constexpr double MAX_PARAGRAPH_SPACE = 200.0;
constexpr double MIN_PAGE_SIDE = 72.0, MAX_PAGE_SIDE = 14400.0;  // 1 inch .. 200 inches
constexpr double NOTE_GAP = 12.0;          // separator line and the space around it
constexpr double UNBOUNDED = std::numeric_limits<double>::max() / 4;
constexpr double MIN_TEXT_BESIDE_FRAME = 72.0;  // narrower room beside a frame is left empty
constexpr size_t MAX_FRAMES_KEPT_CLEAR = 64;    // per page: text may run over frames past these

struct Frame {
  double left = 72, top = 72, width = 451, bottom = 770;
  double page_width = PAGE_WIDTH, page_height = PAGE_HEIGHT;
};

double page_side(int32_t twips, double fallback) {
  const double side = points(twips);
  return side >= MIN_PAGE_SIDE && side <= MAX_PAGE_SIDE ? side : fallback;
}

// The text frame of a section on its page; margins that leave too little
// room fall back to one inch.
Frame frame_for(const SectionFormat& section) {
  Frame frame;
  frame.page_width = page_side(section.page_width, 612);
  frame.page_height = page_side(section.page_height, 792);
  frame.width = frame.page_width - 144;
  frame.bottom = frame.page_height - 72;
  const double left = points(section.left), right = points(section.right);
  const double top = points(section.top), bottom = points(section.bottom);
  if (left >= 0 && right >= 0 && frame.page_width - left - right >= MIN_TEXT_WIDTH) {
    frame.left = left;
    frame.width = frame.page_width - left - right;
  }
  if (top >= 0 && bottom >= 0 && frame.page_height - top - bottom >= MIN_TEXT_HEIGHT) {
    frame.top = top;
    frame.bottom = frame.page_height - bottom;
  }
  return frame;
}

double space_points(uint16_t twips) { return std::min(points(twips), MAX_PARAGRAPH_SPACE); }

// Footnote references of a paragraph: (byte offset, note index).
std::vector<std::pair<uint32_t, uint32_t>> note_marks(const Paragraph& paragraph) {
  std::vector<std::pair<uint32_t, uint32_t>> marks;
  for (const TextRun& run : paragraph.runs)
    if (run.props.note != 0) marks.emplace_back(run.start, run.props.note - 1);
  return marks;
}

// A laid-out story (header or footer): its placed parts relative to its top,
// its height, and the parts of frames placed against the page instead.
struct StoryPlacement {
  std::vector<PlacedParagraph> paragraphs, fixed_paragraphs;
  std::vector<CellBox> boxes, fixed_boxes;
  double height = 0;
  size_t end_job = 0;  // the measuring job after its last paragraph
};

// The position of a block set in a frame, or null for one in the flow.
const FramePosition* frame_of(const Block& block) {
  if (block.kind == BlockKind::PAGE_BREAK) return nullptr;
  const FramePosition& position = block.kind == BlockKind::ROW ? block.row.frame : block.paragraph.props.frame;
  return position.positioned() ? &position : nullptr;
}

// The end of the frame that starts at blocks[first]: the blocks after it
// in the same section with the same position belong to it.
size_t frame_end(std::span<const Block> blocks, size_t first) {
  const FramePosition* position = frame_of(blocks[first]);
  size_t end = first + 1;
  while (end < blocks.size() && blocks[end].section == blocks[first].section && frame_of(blocks[end]) &&
         *frame_of(blocks[end]) == *position)
    ++end;
  return end;
}

// Paragraphs one after another with the same borders and indents are boxed
// together: one top line above the first, one bottom line below the last.
bool boxed_together(const Paragraph* first, const Paragraph* second) {
  if (!first || !second) return false;
  const ParaProps &a = first->props, &b = second->props;
  return a.border_top == b.border_top && a.border_bottom == b.border_bottom && a.border_left == b.border_left &&
         a.border_right == b.border_right && a.left_indent == b.left_indent && a.right_indent == b.right_indent;
}

// The paragraph of blocks[at] when it flows with blocks[from] (both in the
// same frame, or in none), else null.
const Paragraph* flowing_paragraph(std::span<const Block> blocks, size_t from, size_t at) {
  if (at >= blocks.size() || blocks[at].kind != BlockKind::PARAGRAPH) return nullptr;
  const FramePosition *a = frame_of(blocks[from]), *b = frame_of(blocks[at]);
  return (a == nullptr) == (b == nullptr) && (!a || *a == *b) ? &blocks[at].paragraph : nullptr;
}

// The paragraph a dropped capital at blocks[at] stands beside: the next
// block, when it is a paragraph of the same section flowing in the text
// with no capital of its own; else null, and the capital is set as a
// paragraph of its own.
const Paragraph* beside_capital(std::span<const Block> blocks, size_t at) {
  const Block& block = blocks[at];
  if (block.kind != BlockKind::PARAGRAPH || block.paragraph.props.drop_cap == 0 ||
      block.paragraph.props.drop_lines == 0 || at + 1 >= blocks.size())
    return nullptr;
  const Block& next = blocks[at + 1];
  if (next.kind != BlockKind::PARAGRAPH || next.section != block.section || frame_of(next) ||
      next.paragraph.props.drop_cap != 0)
    return nullptr;
  return &next.paragraph;
}

// Lays out in two passes: every paragraph is measured at the width its
// place gives it (all at once, see paragraph_metrics.h), then the measured
// lines are flowed onto pages in document order.
class Paginator {
 public:
  Paginator(const DocumentModel& model, PageLayout& out)
      : model_(model),
        out_(out),
        fonts_{model.fonts, model.defaults.font, &model.pictures, model.default_tab} {}

  void run() {
    plan();
    out_.pages.clear();
    out_.measured = measure_paragraphs(jobs_, fonts_);
    place_stories();
    frame_ = frame_for(section(0));
    section_ = 0;
    number_ = (section(0).restart_numbers ? section(0).first_number : 1) - 1;
    start_page();
    next_ = 0;
    for (size_t b = 0; b < model_.blocks.size();) {
      const Block& block = model_.blocks[b];
      if (block.section != section_) enter_section(block.section);
      block_top_ = -1;
      size_t end = b + 1;
      if (block.kind == BlockKind::PAGE_BREAK) {
        finish_page();
        start_page();
      } else {
        end = place_block(model_.blocks, b);
      }
      for (; b < end; ++b) place_floats(b);
    }
    // Endnotes follow the text.
    for (const Note& note : model_.endnotes) place_blocks(note.story.blocks);
    // Notes that did not fit get pages of their own.
    finish_page();
    while (!carried_.empty()) {
      start_page();
      finish_page();
    }
  }

 private:
  const SectionFormat& section(size_t index) const {
    return model_.sections[std::min(index, model_.sections.size() - 1)];
  }

  void enter_section(size_t index) {
    section_ = index;
    frame_ = frame_for(section(index));
    const SectionFormat& format = section(index);
    if (format.restart_numbers) number_ = format.first_number - 1;
    // A page still empty takes the new section's size, headers and numbering.
    if (!page_has_content_) {
      Page& page = out_.pages.back();
      page.paragraphs.clear();
      page.boxes.clear();
      if (format.restart_numbers) ++number_;
      else number_ = page.number;
      first_page_of_section_ = true;
      start_page_fields(page);
    }
  }

  // --- planning ------------------------------------------------------------

  // The room between a cell's edges and its text, from the row's definition.
  static double cell_pad_x(const TableRow& row) { return std::clamp(points(row.gap_half), 0.0, MAX_CELL_PAD_X); }

  void plan_paragraph(const Paragraph& paragraph, double column_width, double min_width) {
    jobs_.push_back({&paragraph, paragraph_box(paragraph.props, column_width, min_width).width});
  }

  void plan_block(const Block& block, const Frame& frame, double min_width = MIN_TEXT_WIDTH / 2) {
    if (block.kind == BlockKind::PARAGRAPH) {
      plan_paragraph(block.paragraph, frame.width, min_width);
    } else if (block.kind == BlockKind::ROW) {
      double x = 0;
      const std::vector<double> widths = cell_widths(block.row, frame, x);
      for (size_t i = 0; i < block.row.cells.size(); ++i)
        for (const Paragraph& paragraph : block.row.cells[i].paragraphs)
          plan_paragraph(paragraph, widths[i] - 2 * cell_pad_x(block.row), MIN_CELL_TEXT_WIDTH);
    }
  }
  // Plans blocks in the order they are placed, in `frame` or, when null,
  // their section's; a frame's blocks at the frame's width.
  void plan_blocks(std::span<const Block> blocks, const Frame* frame) {
    for (size_t b = 0; b < blocks.size();) {
      const Frame column = frame ? *frame : frame_for(section(blocks[b].section));
      if (!frame_of(blocks[b])) {
        plan_block(blocks[b++], column);
        continue;
      }
      const size_t end = frame_end(blocks, b);
      Frame inner = column;
      inner.left = 0;
      inner.width = frame_width(blocks.subspan(b, end - b), column);
      frame_widths_[&blocks[b]] = inner.width;
      for (; b < end; ++b) plan_block(blocks[b], inner, MIN_CELL_TEXT_WIDTH);
    }
  }

  // A frame's set width, or the width of its widest paragraph or row.
  double frame_width(std::span<const Block> blocks, const Frame& column) const {
    const FramePosition& position = *frame_of(blocks[0]);
    if (position.width > 0) return std::clamp(points(position.width), MIN_CELL_TEXT_WIDTH, column.page_width);
    double width = MIN_CELL_TEXT_WIDTH;
    for (const Block& block : blocks) {
      if (block.kind == BlockKind::PARAGRAPH) {
        width = std::max(width, natural_width(main_layout_context(), block.paragraph, fonts_, column.width));
      } else {
        double x = 0;
        for (double cell : cell_widths(block.row, column, x)) x += cell;
        width = std::max(width, x - column.left);
      }
    }
    return width;
  }

  // One measuring job per paragraph: the main text in the order place() takes
  // it, then endnotes, footnotes and the header stories.
  void plan() {
    jobs_.clear();
    frame_widths_.clear();
    plan_blocks(model_.blocks, nullptr);
    const Frame first = frame_for(section(0));
    for (const Note& note : model_.endnotes) plan_blocks(note.story.blocks, &first);
    note_jobs_.clear();
    for (const Note& note : model_.footnotes) {
      const Frame frame = note.block < model_.blocks.size() ? frame_for(section(model_.blocks[note.block].section)) : first;
      note_jobs_.push_back(jobs_.size());
      plan_blocks(note.story.blocks, &frame);
    }
    story_jobs_.clear();
    for (const Story& story : model_.stories) {
      story_jobs_.push_back(jobs_.size());
      const Frame frame = frame_for(section(story_section(&story - model_.stories.data())));
      plan_blocks(story.blocks, &frame);
    }
  }

  // The first section that shows a story: its width lays the story out.
  size_t story_section(size_t story) const {
    for (size_t s = 0; s < model_.section_stories.size(); ++s)
      for (int32_t index : model_.section_stories[s])
        if (index == static_cast<int32_t>(story)) return s;
    return 0;
  }

  // --- stories and notes ----------------------------------------------------

  // Places blocks from job `job` on into `out` without page breaks, from y = 0.
  double flow_unbounded(std::span<const Block> blocks, size_t job, const Frame& frame, StoryPlacement& out) {
    Page scratch;
    const size_t saved_next = next_;
    const double saved_y = y_;
    const bool saved_content = page_has_content_;
    const Frame saved_frame = frame_, saved_anchor = anchor_frame_;
    Page* saved_target = target_;
    StoryPlacement* saved_fixed = fixed_;
    const bool saved_story = in_story_;
    std::vector<Exclusion> saved_exclusions;
    saved_exclusions.swap(exclusions_);
    next_ = job;
    y_ = 0;
    page_has_content_ = false;
    anchor_frame_ = frame;
    frame_ = frame;
    frame_.top = 0;
    frame_.bottom = UNBOUNDED;
    target_ = &scratch;
    fixed_ = &out;
    in_story_ = true;
    place_blocks(blocks);
    const double height = y_;
    out.paragraphs = std::move(scratch.paragraphs);
    out.boxes = std::move(scratch.boxes);
    out.height = height;
    out.end_job = next_;
    next_ = saved_next;
    y_ = saved_y;
    page_has_content_ = saved_content;
    frame_ = saved_frame;
    anchor_frame_ = saved_anchor;
    target_ = saved_target;
    fixed_ = saved_fixed;
    in_story_ = saved_story;
    exclusions_.swap(saved_exclusions);
    return height;
  }

  void place_stories() {
    stories_.assign(model_.stories.size(), {});
    for (size_t i = 0; i < model_.stories.size(); ++i)
      flow_unbounded(model_.stories[i].blocks, story_jobs_[i], frame_for(section(story_section(i))), stories_[i]);
    notes_.assign(model_.footnotes.size(), {});
    for (size_t i = 0; i < model_.footnotes.size(); ++i) {
      const Note& note = model_.footnotes[i];
      const Frame frame =
          note.block < model_.blocks.size() ? frame_for(section(model_.blocks[note.block].section)) : frame_for(section(0));
      flow_unbounded(note.story.blocks, note_jobs_[i], frame, notes_[i]);
    }
  }

  // The header or footer story of `kind` for the page being started.
  int32_t story_for(bool header) const {
    if (section_ >= model_.section_stories.size()) return -1;
    const auto& kinds = model_.section_stories[section_];
    const bool first = section(section_).title_page && first_page_of_section_;
    if (first) return kinds[header ? FIRST_HEADER : FIRST_FOOTER];
    const bool even = model_.facing_pages && number_ % 2 == 0;
    return kinds[header ? (even ? EVEN_HEADER : ODD_HEADER) : (even ? EVEN_FOOTER : ODD_FOOTER)];
  }

  void add_story(Page& page, int32_t index, double top) {
    if (index < 0 || static_cast<size_t>(index) >= stories_.size()) return;
    for (const FloatingPicture& f : model_.floats)
      if (f.story == index) page.pictures.push_back(placed_float(f, top));
    for (PlacedParagraph part : stories_[index].paragraphs) {
      part.top += top;
      part.bottom += top;
      page.paragraphs.push_back(part);
    }
    for (CellBox box : stories_[index].boxes) {
      box.y += top;
      page.boxes.push_back(box);
    }
    const StoryPlacement& story = stories_[index];
    page.paragraphs.insert(page.paragraphs.end(), story.fixed_paragraphs.begin(), story.fixed_paragraphs.end());
    page.boxes.insert(page.boxes.end(), story.fixed_boxes.begin(), story.fixed_boxes.end());
  }

  // Headers and footers of the page; a header or footer taller than its margin
  // pushes the text frame to its edge.
  void start_page_fields(Page& page) {
    page.width = frame_.page_width;
    page.height = frame_.page_height;
    page.section = section_;
    page.number = number_;
    page.text_left = frame_.left;
    const int32_t header = story_for(true), footer = story_for(false);
    const SectionFormat& format = section(section_);
    page_frame_ = frame_;
    if (header >= 0 && static_cast<size_t>(header) < stories_.size()) {
      const double top = std::clamp(points(format.header_distance), 0.0, frame_.page_height / 2);
      add_story(page, header, top);
      page_frame_.top = std::max(frame_.top, top + stories_[header].height);
    }
    if (footer >= 0 && static_cast<size_t>(footer) < stories_.size()) {
      const double bottom = std::clamp(points(format.footer_distance), 0.0, frame_.page_height / 2);
      const double top = frame_.page_height - bottom - stories_[footer].height;
      add_story(page, footer, top);
      page_frame_.bottom = std::min(frame_.bottom, top);
    }
    if (page_frame_.bottom - page_frame_.top < MIN_TEXT_HEIGHT) page_frame_ = frame_;
    y_ = page_frame_.top;
  }

  void start_page() {
    out_.pages.emplace_back();
    ++number_;
    first_page_of_section_ = out_.pages.size() == 1 || out_.pages[out_.pages.size() - 2].section != section_;
    start_page_fields(out_.pages.back());
    page_has_content_ = false;
    notes_height_ = 0;
    page_notes_.clear();
    exclusions_.clear();
    // Lines of notes carried from the last page come first in its note area.
    for (const auto& carried : carried_) notes_height_ += carried_height(carried);
    if (!carried_.empty()) notes_height_ += NOTE_GAP;
  }

  double carried_height(const std::pair<uint32_t, size_t>& carried) const {
    const StoryPlacement& note = notes_[carried.first];
    double skipped = 0;
    for (size_t i = 0; i < carried.second && i < note.paragraphs.size(); ++i) skipped = note.paragraphs[i].bottom;
    return note.height - skipped;
  }

  // Places the page's notes at the foot of its text frame.
  void finish_page() {
    Page& page = out_.pages.back();
    std::vector<std::pair<uint32_t, size_t>> queue;
    queue.swap(carried_);
    for (uint32_t note : page_notes_) queue.emplace_back(note, 0);
    if (queue.empty()) return;
    const double area = std::max(notes_height_, 0.0);
    double y = std::max(page_frame_.bottom - area, y_) + NOTE_GAP;
    page.note_line = y - NOTE_GAP / 2;
    page.note_line_x = page_frame_.left;
    for (size_t q = 0; q < queue.size(); ++q) {
      const auto [note, first] = queue[q];
      const StoryPlacement& placed = notes_[note];
      const double skipped = first > 0 && first <= placed.paragraphs.size() ? placed.paragraphs[first - 1].bottom : 0;
      for (size_t i = first; i < placed.paragraphs.size(); ++i) {
        PlacedParagraph part = placed.paragraphs[i];
        const double height = part.bottom - part.top;
        if (y + (part.top - skipped) + height > page_frame_.bottom + 0.5 && i > first) {
          // The rest of this note and the notes after it continue on the next page.
          carried_.emplace_back(note, i);
          for (size_t r = q + 1; r < queue.size(); ++r) carried_.push_back(queue[r]);
          return;
        }
        part.x += page_frame_.left - frame_.left;
        part.top += y - skipped;
        part.bottom += y - skipped;
        page.paragraphs.push_back(part);
      }
      y += placed.height - skipped;
    }
  }

  // The height the notes referred to in byte range [from, to) of `paragraph`
  // add to the page, appending them to `found`; the separator's gap comes with
  // the page's first note, once, though a table row calls this per paragraph.
  double notes_in(const Paragraph& paragraph, uint32_t from, uint32_t to, std::vector<uint32_t>& found) const {
    const bool first_on_page = found.empty() && page_notes_.empty() && carried_.empty();
    double height = 0;
    for (const auto& [at, note] : note_marks(paragraph))
      if (at >= from && at < to && note < notes_.size()) {
        found.push_back(note);
        height += std::min(notes_[note].height, (page_frame_.bottom - page_frame_.top) / 2);
      }
    if (first_on_page && !found.empty()) height += NOTE_GAP;
    return height;
  }

  // --- the main flow --------------------------------------------------------

  Page& target() { return target_ ? *target_ : out_.pages.back(); }
  const Frame& frame() const { return in_story_ ? frame_ : page_frame_; }

  // A dropped capital set at its own width, and the room it keeps from the text.
  struct Capital {
    const Paragraph* paragraph = nullptr;
    size_t measured = 0;
    double width = 0, gap = 0;
    size_t lines = 0;
    bool in_margin = false;
  };

  // Places a paragraph at the cursor, breaking it across pages between
  // lines; `before` and `after` are its neighbours in the flow, if paragraphs.
  // A top or bottom border line takes its width and its distance from the
  // text, between the paragraph's space and its text. A capital is set
  // beside its first lines.
  void place_paragraph(const Paragraph& paragraph, const Paragraph* before, const Paragraph* after,
                       const Capital* capital = nullptr) {
    size_t measured = next_++;
    double width = jobs_[measured].width;
    const bool top_border = !boxed_together(before, &paragraph), bottom_border = !boxed_together(&paragraph, after);
    // Space before is dropped at the top of a page, but not at the top of a
    // header, footer, note or text box.
    if (page_has_content_ || in_story_) y_ += space_points(paragraph.props.space_before);
    if (top_border) y_ += border_room(paragraph.props.border_top);
    Frame column = frame();
    make_room_beside_frames(paragraph, column, measured, width);
    if (capital) {
      const double indent = capital->in_margin ? 0 : capital->width + capital->gap;
      out_.measured.push_back(lay_out_beside(main_layout_context(), paragraph, fonts_, width, indent, capital->lines));
      measured = out_.measured.size() - 1;
    }
    const ParagraphMetrics& metrics = out_.measured[measured];
    const ParagraphBox box = paragraph_box(paragraph.props, column.width, MIN_TEXT_WIDTH / 2);
    const double x = std::max(0.0, column.left + box.x);
    if (block_top_ < 0) block_top_ = y_;

    PlacedParagraph part{&paragraph, x, y_, width, 0, 0, y_, measured, top_border, bottom_border};
    const int count = static_cast<int>(metrics.lines.size());
    const bool has_notes = !in_story_ && !note_marks(paragraph).empty();
    for (int line = 0; line < count; ++line) {
      const LineBox& lb = metrics.lines[line];
      std::vector<uint32_t> found;
      double extra = 0;
      if (has_notes) {
        const uint32_t end = line + 1 < count ? metrics.lines[line + 1].start : UINT32_MAX;
        extra = notes_in(paragraph, lb.start, end, found);
      }
      if (!in_story_ && part.top + lb.bottom + notes_height_ + extra > page_frame_.bottom &&
          (page_has_content_ || line > part.first_line)) {
        if (line > part.first_line) {
          part.end_line = line;
          part.bottom = part.top + metrics.lines[line - 1].bottom;
          target().paragraphs.push_back(part);
        }
        finish_page();
        start_page();
        part.x = std::max(0.0, page_frame_.left + box.x);
        part.first_line = line;
        part.top = y_ - lb.top;
        found.clear();
        extra = has_notes ? notes_in(paragraph, lb.start, line + 1 < count ? metrics.lines[line + 1].start : UINT32_MAX, found) : 0;
      }
      if (line == 0 && capital) place_capital(*capital, part, metrics);
      notes_height_ += extra;
      for (uint32_t note : found) page_notes_.push_back(note);
      page_has_content_ = true;
    }
    part.end_line = count;
    part.bottom = part.top + metrics.lines.back().bottom;
    target().paragraphs.push_back(part);
    y_ = part.bottom + (bottom_border ? border_room(paragraph.props.border_bottom) : 0) +
         space_points(paragraph.props.space_after);
  }

  // Sets a paragraph as the dropped capital of `text` (the next paragraph):
  // at its own width, its distance from the text the frame's, then the text
  // beside it.
  void place_with_capital(const Paragraph& paragraph, const Paragraph& text, const Paragraph* after) {
    ++next_;  // the capital's job at the width of a paragraph of its own goes unused
    Capital capital;
    capital.paragraph = &paragraph;
    // The capital's own indents (Word copies the text's to it) leave no room beside it.
    const double indents = points(paragraph.props.left_indent + paragraph.props.right_indent);
    capital.width = std::max(1.0, natural_width(main_layout_context(), paragraph, fonts_, frame().width) - indents);
    capital.gap = std::min(points(paragraph.props.frame.gap_x), frame().width / 4);
    capital.lines = paragraph.props.drop_lines;
    capital.in_margin = paragraph.props.drop_cap == 2;
    out_.measured.push_back(measure(main_layout_context(), {&paragraph, capital.width}, fonts_));
    capital.measured = out_.measured.size() - 1;
    place_paragraph(text, nullptr, after, &capital);
  }

  // Places a capital by the first line of the paragraph placed as `text`
  // with `lines`: left of it (in the margin, further left by its distance
  // from the text), its baseline on that of the last line it spans; text
  // below keeps clear of it.
  void place_capital(const Capital& capital, const PlacedParagraph& text, const ParagraphMetrics& lines) {
    const ParagraphMetrics& own = out_.measured[capital.measured];
    const LineBox& first = lines.lines.front();
    const double pitch = first.bottom - first.top;
    const size_t spanned = std::max<size_t>(1, capital.lines);
    const double baseline = spanned <= lines.lines.size() ? lines.lines[spanned - 1].baseline
                                                          : first.baseline + static_cast<double>(spanned - 1) * pitch;
    const double x = capital.in_margin ? text.x - capital.width - capital.gap : text.x;
    const double top = text.top + baseline - own.lines.front().baseline;
    target().paragraphs.push_back({capital.paragraph, x, top, capital.width, 0, static_cast<int>(own.lines.size()),
                                   top + own.height, capital.measured});
    const double bottom = text.top + (spanned <= lines.lines.size() ? lines.lines[spanned - 1].bottom
                                                                    : first.top + static_cast<double>(spanned) * pitch);
    if (!capital.in_margin && exclusions_.size() < MAX_FRAMES_KEPT_CLEAR)
      exclusions_.push_back({x, text.top, x + capital.width + capital.gap, bottom, true});
  }

  // Moves a paragraph at the cursor beside or below the frames in its way;
  // beside one it takes the narrower column left there, laid out again.
  void make_room_beside_frames(const Paragraph& paragraph, Frame& column, size_t& measured, double& width) {
    if (exclusions_.empty()) return;
    const TextRoom room = room_for_text(exclusions_, column.left, column.left + column.width, y_,
                                       out_.measured[measured].height, MIN_TEXT_BESIDE_FRAME);
    y_ = room.top;
    if (room.width >= column.width - 0.5) return;
    column.left = room.left;
    column.width = room.width;
    width = paragraph_box(paragraph.props, room.width, MIN_TEXT_WIDTH / 2).width;
    out_.measured.push_back(measure(main_layout_context(), {&paragraph, width}, fonts_));
    measured = out_.measured.size() - 1;
  }

  // Cell widths from the row's definition when it is usable, else equal shares.
  static std::vector<double> cell_widths(const TableRow& row, const Frame& frame, double& x) {
    const size_t count = row.cells.size();
    std::vector<double> widths(count, frame.width / static_cast<double>(count));
    x = frame.left;
    if (row.edges.size() != count + 1) return widths;
    double total = 0;
    for (size_t i = 0; i < count; ++i) {
      const double width = points(row.edges[i + 1] - row.edges[i]);
      if (width <= 0) return std::vector<double>(count, frame.width / static_cast<double>(count));
      widths[i] = width;
      total += width;
    }
    // A table set to a share of the text width has its cells stretched or
    // shrunk to it; the stored cell widths are only the last layout's.
    const double wanted = std::min(row.width_percent, MAX_WIDTH_PERCENT) / 5000.0 * frame.width;
    const bool at_edge = row.placement == RowPlacement::LEFT;
    const double room = at_edge ? frame.page_width - frame.left : frame.page_width;
    const double shown = wanted > 0 ? std::min(wanted, room) : std::min(total, room);
    for (double& width : widths) width *= shown / total;
    // A left-aligned row starts at its first cell edge, which may reach into
    // the margin; a centred or right-aligned one is placed by its width alone.
    double left = frame.left + points(row.edges[0]);
    if (row.placement == RowPlacement::CENTRE) left = frame.left + (frame.width - shown) / 2;
    if (row.placement == RowPlacement::RIGHT) left = frame.left + frame.width - shown;
    x = std::clamp(left, 0.0, frame.page_width - shown);
    return widths;
  }

  // Stacks a cell's measured paragraphs from `top`; returns the height they take.
  double place_cell(const TableCell& cell, double left, double top, std::vector<PlacedParagraph>& placed,
                    std::vector<uint32_t>& notes, double& notes_height) {
    double y = top;
    for (size_t i = 0; i < cell.paragraphs.size(); ++i) {
      const Paragraph& paragraph = cell.paragraphs[i];
      const size_t measured = next_++;
      const MeasureJob& job = jobs_[measured];
      const ParagraphMetrics& metrics = out_.measured[measured];
      const bool top_border = i == 0 || !boxed_together(&cell.paragraphs[i - 1], &paragraph);
      const bool bottom_border = i + 1 == cell.paragraphs.size() || !boxed_together(&paragraph, &cell.paragraphs[i + 1]);
      y += space_points(paragraph.props.space_before) + (top_border ? border_room(paragraph.props.border_top) : 0);
      const double x = left + std::max(0.0, paragraph_box(paragraph.props, job.width, 0).x);
      placed.push_back({&paragraph, x, y, job.width, 0, static_cast<int>(metrics.lines.size()), y + metrics.height,
                        measured, top_border, bottom_border});
      y += metrics.height + (bottom_border ? border_room(paragraph.props.border_bottom) : 0) +
           space_points(paragraph.props.space_after);
      if (!in_story_) notes_height += notes_in(paragraph, 0, UINT32_MAX, notes);
    }
    return y - top;
  }

  // A row is kept whole: it moves to the next page when it does not fit.
  void place_row(const TableRow& row) {
    double x = 0;
    const std::vector<double> widths = cell_widths(row, frame(), x);
    std::vector<PlacedParagraph> placed;
    std::vector<CellBox> boxes;
    std::vector<uint32_t> notes;
    double height = 0, notes_height = 0;
    std::vector<std::pair<size_t, double>> cell_parts;  // first placed paragraph, content height
    for (size_t i = 0; i < row.cells.size(); ++i) {
      const size_t first = placed.size();
      const double content = place_cell(row.cells[i], x + cell_pad_x(row), CELL_PAD_Y, placed, notes, notes_height);
      cell_parts.emplace_back(first, content);
      height = std::max(height, content);
      boxes.push_back({x, 0, widths[i], 0, i < row.shading.size() ? row.shading[i] : 0xFFFFFFFFu,
                       i < row.borders.size() ? row.borders[i] : uint8_t{CELL_ALL_SIDES}});
      x += widths[i];
    }
    const double set_height = points(std::abs(int32_t{row.height})) - 2 * CELL_PAD_Y;
    if (row.height > 0) height = std::max(height, set_height);
    if (row.height < 0) height = std::max(0.0, set_height);
    // Cells set to centre or bottom move their text down within the row.
    for (size_t i = 0; i < cell_parts.size(); ++i) {
      const uint8_t align = i < row.align.size() ? row.align[i] : 0;
      if (align == 0) continue;
      const double shift = std::max(0.0, height - cell_parts[i].second) / (align == 1 ? 2 : 1);
      const size_t end = i + 1 < cell_parts.size() ? cell_parts[i + 1].first : placed.size();
      for (size_t p = cell_parts[i].first; p < end; ++p) {
        placed[p].top += shift;
        placed[p].bottom += shift;
      }
    }
    height += 2 * CELL_PAD_Y;
    if (!exclusions_.empty())  // rows go below the frames in their way
      y_ = room_for_text(exclusions_, frame().left, frame().left + frame().width, y_, height, UNBOUNDED).top;
    if (!in_story_ && y_ + height + notes_height_ + notes_height > page_frame_.bottom && page_has_content_) {
      finish_page();
      start_page();
      notes.clear();
      notes_height = 0;
      for (const TableCell& cell : row.cells)
        for (const Paragraph& paragraph : cell.paragraphs) notes_height += notes_in(paragraph, 0, UINT32_MAX, notes);
    }
    if (block_top_ < 0) block_top_ = y_;
    Page& page = target();
    const double shift = in_story_ ? 0 : page_frame_.left - frame_.left;
    for (PlacedParagraph& part : placed) {
      part.top += y_;
      part.bottom += y_;
      part.x += shift;
      page.paragraphs.push_back(part);
    }
    for (CellBox& box : boxes) {
      box.x += shift;
      box.y = y_;
      box.height = height;
      page.boxes.push_back(box);
    }
    y_ += height;
    notes_height_ += notes_height;
    for (uint32_t note : notes) page_notes_.push_back(note);
    page_has_content_ = true;
  }

  // --- frames ---------------------------------------------------------------

  // Places blocks[first], or the frame starting there; returns the index after what it placed.
  size_t place_block(std::span<const Block> blocks, size_t first) {
    const Block& block = blocks[first];
    if (const Paragraph* text = beside_capital(blocks, first)) {
      place_with_capital(block.paragraph, *text, flowing_paragraph(blocks, first + 1, first + 2));
      return first + 2;
    }
    if (!in_frame_ && frame_of(block)) {
      const size_t end = frame_end(blocks, first);
      place_frame_blocks(blocks.subspan(first, end - first));
      return end;
    }
    if (block.kind == BlockKind::PARAGRAPH)
      place_paragraph(block.paragraph, flowing_paragraph(blocks, first, first - 1),
                      flowing_paragraph(blocks, first, first + 1));
    else if (block.kind == BlockKind::ROW) place_row(block.row);
    return first + 1;
  }
  void place_blocks(std::span<const Block> blocks) {
    for (size_t b = 0; b < blocks.size();) b = place_block(blocks, b);
  }

  FrameAnchors anchors() const {
    const Frame& area = in_story_ ? anchor_frame_ : frame_;
    FrameAnchors anchors;
    anchors.page_width = area.page_width;
    anchors.page_height = area.page_height;
    anchors.margin_left = area.left;
    anchors.margin_right = area.left + area.width;
    anchors.margin_top = area.top;
    anchors.margin_bottom = area.bottom;
    anchors.paragraph_top = y_;
    anchors.even_page = model_.facing_pages && number_ % 2 == 0;
    return anchors;
  }

  // Lays a frame's blocks out on their own, then sets them where the frame's
  // position puts them, out of the flow; the text after it keeps clear of it.
  void place_frame_blocks(std::span<const Block> blocks) {
    const FramePosition& position = *frame_of(blocks[0]);
    Frame inner = frame();
    inner.left = 0;
    if (const auto found = frame_widths_.find(&blocks[0]); found != frame_widths_.end()) inner.width = found->second;
    StoryPlacement content;
    in_frame_ = true;
    flow_unbounded(blocks, next_, inner, content);
    in_frame_ = false;
    next_ = content.end_job;
    double left = UNBOUNDED, right = -UNBOUNDED;
    for (const PlacedParagraph& part : content.paragraphs) {
      left = std::min(left, part.x);
      right = std::max(right, part.x + part.width);
    }
    for (const CellBox& cell : content.boxes) {
      left = std::min(left, cell.x);
      right = std::max(right, cell.x + cell.width);
    }
    if (left > right) left = right = 0;
    const double height = frame_height(position, content.height);
    FrameBox box = place_frame_box(position, right - left, height);
    // A frame below its paragraph that would cross the foot of the page goes to the next one.
    if (!in_story_ && position.vertical == 2 && box.y + height > page_frame_.bottom && page_has_content_) {
      finish_page();
      start_page();
      box = place_frame_box(position, right - left, height);
    }
    // In a header or footer, a frame placed against the page is not moved with the story.
    const bool fixed = in_story_ && position.vertical != 2 && fixed_;
    std::vector<PlacedParagraph>& paragraphs = fixed ? fixed_->fixed_paragraphs : target().paragraphs;
    std::vector<CellBox>& boxes = fixed ? fixed_->fixed_boxes : target().boxes;
    for (PlacedParagraph part : content.paragraphs) {
      part.x += box.x - left;
      part.top += box.y;
      part.bottom += box.y;
      paragraphs.push_back(part);
    }
    for (CellBox cell : content.boxes) {
      cell.x += box.x - left;
      cell.y += box.y;
      boxes.push_back(cell);
    }
    Exclusion exclusion;
    if (!fixed && exclusions_.size() < MAX_FRAMES_KEPT_CLEAR && exclusion_of(position, box, exclusion))
      exclusions_.push_back(exclusion);
    page_has_content_ = true;
  }
  FrameBox place_frame_box(const FramePosition& position, double width, double height) const {
    return quire::place_frame(position, width, height, anchors());
  }

  // Where a floating picture lands: from the page, the margins, or the top of its paragraph.
  PlacedPicture placed_float(const FloatingPicture& f, double paragraph_top) const {
    const double left = points(f.left), top = points(f.top);
    PlacedPicture placed;
    placed.picture = f.picture;
    placed.text = f.text;
    placed.width = points(f.right - f.left);
    placed.height = points(f.bottom - f.top);
    placed.x = f.bx == 1 ? left : frame_.left + left;
    placed.y = f.by == 1 ? top : f.by == 0 ? frame_.top + top : paragraph_top + top;
    placed.behind = f.behind;
    return placed;
  }

  // Floating pictures anchored in block `b`, placed on the page where the block starts.
  void place_floats(size_t b) {
    if (floats_by_block_.empty()) {
      floats_by_block_.resize(model_.blocks.size() + 1);
      for (size_t i = 0; i < model_.floats.size(); ++i)
        if (model_.floats[i].block < model_.blocks.size()) floats_by_block_[model_.floats[i].block].push_back(i);
    }
    if (b >= floats_by_block_.size()) return;
    for (size_t i : floats_by_block_[b]) {
      out_.pages.back().pictures.push_back(placed_float(model_.floats[i], block_top_ >= 0 ? block_top_ : y_));
    }
  }

  const DocumentModel& model_;
  PageLayout& out_;
  FontChoice fonts_;
  std::vector<MeasureJob> jobs_;
  std::vector<size_t> note_jobs_, story_jobs_;
  std::vector<StoryPlacement> stories_, notes_;
  std::vector<std::vector<size_t>> floats_by_block_;
  std::map<const Block*, double> frame_widths_;  // the width each frame is laid out at
  std::vector<Exclusion> exclusions_;  // frames on the page (or story) the text keeps clear of
  StoryPlacement* fixed_ = nullptr;    // where a story's frames placed against the page go
  Frame anchor_frame_;                 // the page a story is laid out for
  bool in_frame_ = false;              // laying out a frame's own blocks
  size_t next_ = 0;  // the next job place() takes
  Frame frame_;       // the section's frame
  Frame page_frame_;  // this page's: the section's, moved by tall headers and footers
  Page* target_ = nullptr;
  bool in_story_ = false;
  size_t section_ = 0;
  int32_t number_ = 0;
  bool first_page_of_section_ = true;
  double y_ = 0;
  double block_top_ = -1;
  bool page_has_content_ = false;
  double notes_height_ = 0;
  std::vector<uint32_t> page_notes_;
  std::vector<std::pair<uint32_t, size_t>> carried_;  // (note, first paragraph) continued on the next page
};

}  // namespace

void layout_document(const DocumentModel& model, PageLayout& out) {
  Paginator(model, out).run();
}

}  // namespace quire
