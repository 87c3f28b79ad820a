#include "text_builder.h"

#include <algorithm>

#include "text_decode.h"

namespace quire {
namespace {

constexpr size_t MAX_FIELD_DEPTH = 64;
constexpr size_t MAX_CELLS_PER_ROW = 63;

// A stretch of paragraph text that shares its formatting sources; resolved
// into character properties once the paragraph's style is known.
struct RawRun {
  uint32_t start = 0, end = 0;
  ByteSpan chpx, piece;
};

bool same_span(ByteSpan a, ByteSpan b) { return a.data == b.data && a.size == b.size; }

class TextBuilder {
 public:
  TextBuilder(const TextSources& sources, DocumentModel& model) : src_(sources), model_(model) {}

  void run() {
    for (const Piece& piece : src_.pieces) {
      if (piece.cp_start >= src_.text_end) break;
      walk_piece(piece);
    }
    // Text after the last mark is still shown, and an unclosed table still drawn.
    if (!text_.empty()) finish_paragraph(last_fc_, last_piece_, '\r');
    flush_row({});
  }

 private:
  void walk_piece(const Piece& piece) {
    const uint32_t end = std::min(piece.cp_end, src_.text_end);
    uint32_t cp = piece.cp_start;
    while (cp < end) {
      const uint32_t fc = piece.fc_of(cp);
      const FormatRun run = src_.pages.character_run(fc);
      const uint32_t per_char = piece.bytes_per_char();
      const uint64_t run_chars = std::max<uint64_t>(1, (uint64_t{run.end} - fc + per_char - 1) / per_char);
      const uint32_t stop = static_cast<uint32_t>(std::min<uint64_t>(end, cp + run_chars));
      chpx_ = run.grpprl;
      for (; cp < stop; ++cp) read_char(piece, cp);
    }
  }

  void read_char(const Piece& piece, uint32_t cp) {
    const uint32_t fc = piece.fc_of(cp);
    last_fc_ = fc;
    last_piece_ = piece.grpprl;
    if (piece.compressed) {
      handle(decode_compressed(src_.word.data[fc]), cp, fc, piece.grpprl);
      return;
    }
    char32_t cps[2];
    const int count = utf16_.next(src_.word.u16_at(fc), cps);
    for (int i = 0; i < count; ++i) handle(cps[i], cp, fc, piece.grpprl);
  }

  void handle(char32_t ch, uint32_t cp, uint32_t fc, ByteSpan piece_grpprl) {
    switch (ch) {
      case 0x13: open_field(); return;
      case 0x14: separate_field(); return;
      case 0x15: close_field(); return;
      case 0x0D: case 0x07: finish_paragraph(fc, piece_grpprl, static_cast<char>(ch)); return;
      case 0x0C: section_or_page_break(cp, fc, piece_grpprl); return;
      default: break;
    }
    if (hidden_by_field_ > 0) return;
    switch (ch) {
      case 0x09: append(U'\t', piece_grpprl); return;
      case 0x0B: case 0x0E: append(U'\u2028', piece_grpprl); return;  // line and column breaks
      case 0x1E: append(U'\u2011', piece_grpprl); return;
      case 0x1F: append(U'\u00AD', piece_grpprl); return;
      default: break;
    }
    // Anchors of pictures, drawings and notes, separators and stray controls show nothing.
    if (ch < 0x20) return;
    append(ch, piece_grpprl);
  }

  // Field codes are hidden, field results shown: a character is visible only
  // when every open field is past its separator.
  void open_field() {
    if (fields_.size() >= MAX_FIELD_DEPTH) {
      ++overflow_fields_;
      return;
    }
    fields_.push_back(false);
    ++hidden_by_field_;
  }
  void separate_field() {
    if (overflow_fields_ > 0 || fields_.empty()) return;
    fields_.back() = true;
    recount_hidden();
  }
  void close_field() {
    if (overflow_fields_ > 0) {
      --overflow_fields_;
      return;
    }
    if (fields_.empty()) return;
    fields_.pop_back();
    recount_hidden();
  }
  void recount_hidden() {
    hidden_by_field_ = static_cast<size_t>(std::count(fields_.begin(), fields_.end(), false));
  }

  void append(char32_t ch, ByteSpan piece_grpprl) {
    const uint32_t start = static_cast<uint32_t>(text_.size());
    append_utf8(ch, text_);
    const uint32_t end = static_cast<uint32_t>(text_.size());
    if (!raw_.empty() && raw_.back().end == start && same_span(raw_.back().chpx, chpx_) &&
        same_span(raw_.back().piece, piece_grpprl)) {
      raw_.back().end = end;
    } else {
      raw_.push_back({start, end, chpx_, piece_grpprl});
    }
  }

  void section_or_page_break(uint32_t cp, uint32_t fc, ByteSpan piece_grpprl) {
    const auto& sections = model_.sections;
    while (section_ + 1 < sections.size() && cp >= sections[section_].cp_end) ++section_;
    const bool section_end = cp + 1 == sections[section_].cp_end && section_ + 1 < sections.size();
    if (!section_end) {
      // A manual page break inside a paragraph: split the paragraph there.
      breaks_.push_back(static_cast<uint32_t>(text_.size()));
      return;
    }
    finish_paragraph(fc, piece_grpprl, '\f');
    ++section_;
    if (sections[section_].break_kind != 0) push_page_break();
  }

  void push_page_break() {
    flush_row({});
    Block block;
    block.kind = BlockKind::PAGE_BREAK;
    block.section = static_cast<uint16_t>(section_);
    model_.blocks.push_back(std::move(block));
  }

  CharProps resolve_chars(const CharProps& style_chars, ByteSpan chpx, ByteSpan piece) const {
    CharProps base = style_chars;
    const int char_style = char_style_of(chpx);
    if (char_style >= 0) src_.styles.apply_char_style(base, static_cast<uint16_t>(char_style));
    CharProps props = base;
    apply_char_grpprl(props, base, chpx);
    apply_char_grpprl(props, base, piece);
    return props;
  }

  void finish_paragraph(uint32_t mark_fc, ByteSpan piece_grpprl, char mark) {
    const FormatRun papx = src_.pages.paragraph_run(mark_fc);
    ParaProps props = src_.styles.paragraph(papx.style);
    apply_para_grpprl(props, papx.grpprl);
    apply_para_grpprl(props, piece_grpprl);
    const CharProps& style_chars = src_.styles.paragraph_chars(props.style);

    Paragraph paragraph;
    paragraph.props = std::move(props);
    paragraph.mark = resolve_chars(style_chars, chpx_, piece_grpprl);
    // Hidden and deleted runs are dropped here, now that their properties are known.
    for (const RawRun& raw : raw_) {
      const CharProps chars = resolve_chars(style_chars, raw.chpx, raw.piece);
      if (chars.hidden || chars.deleted) {
        for (uint32_t& at : breaks_) if (at > raw.start) at -= std::min(at, raw.end) - raw.start;
        continue;
      }
      const uint32_t start = static_cast<uint32_t>(paragraph.text.size());
      paragraph.text.append(text_, raw.start, raw.end - raw.start);
      const uint32_t end = static_cast<uint32_t>(paragraph.text.size());
      if (!paragraph.runs.empty() && paragraph.runs.back().props == chars)
        paragraph.runs.back().end = end;
      else
        paragraph.runs.push_back({start, end, chars});
    }
    text_.clear();
    raw_.clear();
    std::vector<uint32_t> breaks;
    breaks.swap(breaks_);
    route(std::move(paragraph), mark, breaks);
  }

  void route(Paragraph paragraph, char mark, const std::vector<uint32_t>& breaks) {
    const ParaProps& props = paragraph.props;
    if (mark == 0x07 && props.row_end) {
      flush_row(props.cell_edges);
      return;
    }
    if (props.in_table && mark != '\f') {
      const bool cell_end = mark == 0x07;
      cell_.paragraphs.push_back(std::move(paragraph));
      if (cell_end) {
        cells_.push_back(std::move(cell_));
        cell_ = {};
        if (cells_.size() >= MAX_CELLS_PER_ROW) flush_row({});
      }
      return;
    }
    flush_row({});
    if (props.page_break_before && !model_.blocks.empty()) push_page_break();
    push_split_paragraph(std::move(paragraph), breaks);
  }

  // Pushes the paragraph, cut into pieces with a page break at each manual break.
  void push_split_paragraph(Paragraph paragraph, const std::vector<uint32_t>& breaks) {
    uint32_t from = 0;
    for (uint32_t at : breaks) {
      at = std::min<uint32_t>(at, static_cast<uint32_t>(paragraph.text.size()));
      if (at > from) push_paragraph(slice_paragraph(paragraph, from, at));
      push_page_break();
      from = at;
    }
    if (from == 0) {
      push_paragraph(std::move(paragraph));
    } else if (from < paragraph.text.size()) {
      push_paragraph(slice_paragraph(paragraph, from, static_cast<uint32_t>(paragraph.text.size())));
    }
  }

  static Paragraph slice_paragraph(const Paragraph& whole, uint32_t from, uint32_t to) {
    Paragraph part;
    part.props = whole.props;
    part.mark = whole.mark;
    part.text = whole.text.substr(from, to - from);
    for (const TextRun& run : whole.runs) {
      const uint32_t start = std::max(run.start, from), end = std::min(run.end, to);
      if (start < end) part.runs.push_back({start - from, end - from, run.props});
    }
    return part;
  }

  void push_paragraph(Paragraph paragraph) {
    Block block;
    block.kind = BlockKind::PARAGRAPH;
    block.section = static_cast<uint16_t>(section_);
    block.paragraph = std::move(paragraph);
    model_.blocks.push_back(std::move(block));
  }

  void flush_row(const std::vector<int16_t>& edges) {
    if (!cell_.paragraphs.empty()) {
      cells_.push_back(std::move(cell_));
      cell_ = {};
    }
    if (cells_.empty()) return;
    Block block;
    block.kind = BlockKind::ROW;
    block.section = static_cast<uint16_t>(section_);
    block.row.cells = std::move(cells_);
    if (edges.size() == block.row.cells.size() + 1) block.row.edges = edges;
    cells_.clear();
    model_.blocks.push_back(std::move(block));
  }

  const TextSources& src_;
  DocumentModel& model_;
  Utf16Decoder utf16_;
  ByteSpan chpx_;
  uint32_t last_fc_ = 0;
  ByteSpan last_piece_;
  std::string text_;
  std::vector<RawRun> raw_;
  std::vector<uint32_t> breaks_;  // byte offsets of manual page breaks in text_
  std::vector<bool> fields_;      // per open field: true once past its separator
  size_t hidden_by_field_ = 0;
  size_t overflow_fields_ = 0;
  size_t section_ = 0;
  TableCell cell_;
  std::vector<TableCell> cells_;
};

}  // namespace

void build_text(const TextSources& sources, DocumentModel& model) {
  TextBuilder builder(sources, model);
  builder.run();
}

}  // namespace quire
