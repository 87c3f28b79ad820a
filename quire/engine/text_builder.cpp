#include "text_builder.h"

#include <algorithm>

#include <glib.h>

#include "date_fields.h"
#include "field_codes.h"
#include "form_fields.h"
#include "number_format.h"
#include "revisions.h"
#include "sprm.h"
#include "symbol_fonts.h"
#include "text_decode.h"

namespace quire {
namespace {

constexpr size_t MAX_FIELD_DEPTH = 64;
constexpr size_t MAX_CELLS_PER_ROW = 63;
constexpr size_t MAX_FIELD_CODE = 128;  // bytes kept of a field's code

// A stretch of paragraph text that shares its formatting sources; resolved
// into character properties once the paragraph's style is known.
struct RawRun {
  uint32_t start = 0, end = 0;
  ByteSpan chpx, piece;
  uint32_t picture = 0, note = 0;  // set on the object character and note marks
  uint8_t check_box = 0;           // set on a check box's object character, with its size
  uint16_t box_size = 0;
  // A run of its own, which text after it does not join.
  bool object() const { return picture != 0 || note != 0 || check_box != 0; }
};

bool same_span(ByteSpan a, ByteSpan b) { return a.data == b.data && a.size == b.size; }

// Per open field: where it is, and for page-number fields what replaces it.
enum class FieldPart : uint8_t { CODE, RESULT, REPLACED };

// What a field code asks for, when the drawing fills it in.
char32_t field_replacement(const std::string& code) {
  const std::string word = field_keyword(code);
  if (word == "PAGE") return PAGE_NUMBER_CHAR;
  if (word == "NUMPAGES" || word == "SECTIONPAGES") return PAGE_COUNT_CHAR;
  return 0;
}

// What a FILENAME field shows: the file's name, with \p its whole path;
// empty for other fields, an unknown file or a name that is not UTF-8.
std::string field_file_name(const std::string& code, const std::string& path) {
  if (path.empty() || !g_utf8_validate(path.data(), static_cast<gssize>(path.size()), nullptr)) return {};
  if (field_keyword(code) != "FILENAME") return {};
  if (code.find("\\p") != std::string::npos || code.find("\\P") != std::string::npos) return path;
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What the modifiers of a 0x01 character say it is: a Data-stream offset,
// and whether that offset holds form-field data or belongs to an OLE object.
struct ObjectAnchor {
  int32_t at = -1;
  bool form_data = false, ole = false;
};
ObjectAnchor object_anchor(ByteSpan chpx, ByteSpan piece) {
  ObjectAnchor anchor;
  auto visit = [&](uint16_t sprm, ByteSpan operand) {
    if (sprm == 0x6A03) anchor.at = static_cast<int32_t>(operand.u32_at(0));
    if (sprm == 0x0806) anchor.form_data = operand.data[0] != 0;
    if (sprm == 0x080A) anchor.ole = operand.data[0] != 0;
  };
  for_each_sprm(chpx, visit);
  for_each_sprm(piece, visit);
  return anchor;
}

// The Data-stream offset of the picture a 0x01 character shows, or -1 when
// its run is no picture (form-field data, or an OLE object's own anchor).
int32_t picture_location(ByteSpan chpx, ByteSpan piece) {
  const ObjectAnchor anchor = object_anchor(chpx, piece);
  return anchor.form_data || anchor.ole ? -1 : anchor.at;
}

// The Data-stream offset of the form-field data a 0x01 character in a field
// code names, or -1 when it names none.
int32_t form_data_location(ByteSpan chpx, ByteSpan piece) {
  const ObjectAnchor anchor = object_anchor(chpx, piece);
  return anchor.form_data ? anchor.at : -1;
}

// Replaces characters of a symbol-encoded font by the Unicode ones they draw.
std::string remap_symbols(const std::string& text, SymbolFont font) {
  std::string out;
  size_t at = 0;
  while (at < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t ch = lead < 0x80 ? lead : lead < 0xE0 ? lead & 0x1F : lead < 0xF0 ? lead & 0x0F : lead & 0x07;
    for (size_t i = 1; i < length && at + i < text.size(); ++i)
      ch = ch << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    at += length;
    append_utf8(map_symbol_char(font, ch), out);
  }
  return out;
}

uint16_t font_named(DocumentModel& model, const char* name) {
  for (size_t i = 0; i < model.fonts.size(); ++i)
    if (model.fonts[i] == name) return static_cast<uint16_t>(i);
  model.fonts.emplace_back(name);
  return static_cast<uint16_t>(model.fonts.size() - 1);
}

class TextBuilder {
 public:
  TextBuilder(const TextSources& sources, DocumentModel& model, std::vector<Block>& out, bool main)
      : src_(sources), model_(model), out_(out), main_(main), dates_(sources.now, model.language) {}

  void run(uint32_t start, uint32_t end, const std::string& mark) {
    note_mark_ = mark;
    for (const Piece& piece : src_.pieces) {
      if (piece.cp_start >= end) break;
      if (piece.cp_end <= start) continue;
      walk_piece(piece, std::max(start, piece.cp_start), std::min(end, piece.cp_end));
    }
    // Text after the last mark is still shown, and an unclosed table still drawn.
    if (!text_.empty()) finish_paragraph(last_fc_, last_piece_, '\r');
    flush_row({});
  }

 private:
  void walk_piece(const Piece& piece, uint32_t cp, uint32_t end) {
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
      case 0x14: separate_field(piece_grpprl); return;
      case 0x15: close_field(piece_grpprl); return;
      case 0x0D: case 0x07: finish_paragraph(fc, piece_grpprl, static_cast<char>(ch)); return;
      case 0x0C:
        if (main_) section_or_page_break(cp, fc, piece_grpprl);
        return;
      default: break;
    }
    if (!fields_.empty() && fields_.back() == FieldPart::CODE && field_codes_.back().size() < MAX_FIELD_CODE &&
        ch >= 0x20)
      append_utf8(ch, field_codes_.back());
    if (ch == 0x01 && !fields_.empty() && fields_.back() == FieldPart::CODE)
      field_data_.back() = form_data_location(chpx_, piece_grpprl);
    if (hidden_by_field_ > 0) return;
    switch (ch) {
      case 0x09: append(U'\t', piece_grpprl); return;
      case 0x0B: case 0x0E: append(U'\u2028', piece_grpprl); return;  // line and column breaks
      case 0x1E: append(U'\u2011', piece_grpprl); return;
      case 0x1F: append(U'\u00AD', piece_grpprl); return;
      case 0x01: picture(piece_grpprl); return;
      case 0x02: note_reference(cp, piece_grpprl); return;
      case 0x08: float_anchor(cp); return;
      default: break;
    }
    // Separators, comment marks and stray controls show nothing.
    if (ch < 0x20) return;
    append(ch, piece_grpprl);
  }

  void picture(ByteSpan piece_grpprl) {
    if (!src_.load_picture) return;
    const int32_t at = picture_location(chpx_, piece_grpprl);
    if (at < 0) return;
    const uint32_t index = src_.load_picture(static_cast<uint32_t>(at));
    if (index == 0) return;
    append_object(piece_grpprl).picture = index;
  }

  void note_reference(uint32_t cp, ByteSpan piece_grpprl) {
    std::string label = note_mark_;
    uint32_t note = 0;
    if (main_ && src_.anchors) {
      if (auto it = src_.anchors->footnotes.find(cp); it != src_.anchors->footnotes.end()) {
        note = it->second + 1;
        label = format_number(static_cast<int32_t>(it->second + 1), NFC_DECIMAL);
        pending_footnotes_.push_back(it->second);
      } else if (auto e = src_.anchors->endnotes.find(cp); e != src_.anchors->endnotes.end()) {
        label = format_number(static_cast<int32_t>(e->second + 1), NFC_LOWER_ROMAN);
      }
    }
    if (label.empty()) return;
    const uint32_t start = static_cast<uint32_t>(text_.size());
    text_ += label;
    raw_.push_back({start, static_cast<uint32_t>(text_.size()), chpx_, piece_grpprl, 0, note});
  }

  void float_anchor(uint32_t cp) {
    if (!main_ || !src_.anchors) return;
    const auto [first, last] = src_.anchors->floats.equal_range(cp);
    for (auto it = first; it != last; ++it) pending_floats_.push_back(it->second);
  }

  // Field codes are hidden, field results shown: a character is visible only
  // when every open field is past its separator. PAGE and NUMPAGES fields
  // show a character the drawing fills in instead of their stored result.
  void open_field() {
    if (fields_.size() >= MAX_FIELD_DEPTH) {
      ++overflow_fields_;
      return;
    }
    fields_.push_back(FieldPart::CODE);
    field_codes_.emplace_back();
    field_data_.push_back(-1);
    ++hidden_by_field_;
  }
  void separate_field(ByteSpan piece_grpprl) {
    if (overflow_fields_ > 0 || fields_.empty() || fields_.back() != FieldPart::CODE) return;
    fields_.back() = FieldPart::RESULT;
    recount_hidden();
    if (fill_field(field_codes_.back(), field_data_.back(), piece_grpprl)) {
      fields_.back() = FieldPart::REPLACED;
      recount_hidden();
    }
  }
  // Shows what the engine fills a field with instead of its stored result:
  // page numbers (filled in when drawn), the document's file name, the
  // printing date and a drop-down's entry. Returns false for fields whose
  // stored result stands.
  bool fill_field(const std::string& code, int32_t form_data, ByteSpan piece_grpprl) {
    const char32_t replacement = field_replacement(code);
    std::string text = field_file_name(code, src_.file_path);
    if (text.empty()) text = dates_.text(code);
    const std::u16string choice =
        form_data >= 0 ? dropdown_choice(src_.data, static_cast<uint32_t>(form_data)) : std::u16string{};
    const CheckBox box = form_data >= 0 ? check_box(src_.data, static_cast<uint32_t>(form_data)) : CheckBox{};
    if (replacement == 0 && text.empty() && choice.empty() && !box.found) return false;
    if (hidden_by_field_ > 0) return true;
    if (box.found) {
      RawRun& run = append_object(piece_grpprl);
      run.check_box = box.checked ? 2 : 1;
      run.box_size = box.half_points;
    }
    if (replacement != 0) {
      append(replacement, piece_grpprl);
      has_fields_ = true;
    }
    for (const char* at = text.c_str(); *at; at = g_utf8_next_char(at)) append(g_utf8_get_char(at), piece_grpprl);
    for (char16_t ch : choice) append(ch >= 0xD800 && ch < 0xE000 ? U'\uFFFD' : ch, piece_grpprl);
    return true;
  }
  void close_field(ByteSpan piece_grpprl) {
    if (overflow_fields_ > 0) {
      --overflow_fields_;
      return;
    }
    if (fields_.empty()) return;
    // A field the engine fills in shows it even when stored without a result.
    if (fields_.back() == FieldPart::CODE) {
      const std::string code = std::move(field_codes_.back());
      const int32_t form_data = field_data_.back();
      fields_.pop_back();
      field_codes_.pop_back();
      field_data_.pop_back();
      recount_hidden();
      fill_field(code, form_data, piece_grpprl);
      return;
    }
    fields_.pop_back();
    field_codes_.pop_back();
    field_data_.pop_back();
    recount_hidden();
  }
  void recount_hidden() {
    hidden_by_field_ =
        static_cast<size_t>(std::count_if(fields_.begin(), fields_.end(), [](FieldPart part) { return part != FieldPart::RESULT; }));
  }

  void append(char32_t ch, ByteSpan piece_grpprl) {
    const uint32_t start = static_cast<uint32_t>(text_.size());
    append_utf8(ch, text_);
    const uint32_t end = static_cast<uint32_t>(text_.size());
    if (!raw_.empty() && raw_.back().end == start && same_span(raw_.back().chpx, chpx_) &&
        same_span(raw_.back().piece, piece_grpprl) && !raw_.back().object()) {
      raw_.back().end = end;
    } else {
      raw_.push_back({start, end, chpx_, piece_grpprl});
    }
  }

  // The object character of an inline picture or check box, in a run of its own.
  RawRun& append_object(ByteSpan piece_grpprl) {
    const uint32_t start = static_cast<uint32_t>(text_.size());
    append_utf8(OBJECT_CHAR, text_);
    raw_.push_back({start, static_cast<uint32_t>(text_.size()), chpx_, piece_grpprl});
    return raw_.back();
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
    out_.push_back(std::move(block));
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

  SymbolFont symbol_font(const CharProps& props) const {
    const uint16_t index = props.font == 0xFFFF ? model_.defaults.font : props.font;
    return index < model_.fonts.size() ? symbol_font_of(model_.fonts[index]) : SymbolFont::NONE;
  }

  // Paragraph properties: style, then the list level's, then the paragraph's own.
  ParaProps resolve_paragraph(const FormatRun& papx, ByteSpan piece_grpprl, const ListLevel** level) const {
    ParaProps props = src_.styles.paragraph(papx.style);
    apply_para_grpprl(props, papx.grpprl);
    apply_para_grpprl(props, piece_grpprl);
    *level = src_.lists ? src_.lists->level(props.list, props.list_level) : nullptr;
    if (!*level) return props;
    ParaProps listed = src_.styles.paragraph(papx.style);
    apply_para_grpprl(listed, (*level)->papx);
    apply_para_grpprl(listed, papx.grpprl);
    apply_para_grpprl(listed, piece_grpprl);
    listed.list = props.list;
    listed.list_level = props.list_level;
    return listed;
  }

  // The list label in front of the paragraph's text, with its own run.
  void add_label(Paragraph& paragraph, const ListLevel& level) {
    const std::u16string label = src_.lists->next_label(paragraph.props.list, paragraph.props.list_level);
    if (label.empty()) return;
    CharProps props = paragraph.mark;
    apply_char_grpprl(props, paragraph.mark, level.chpx);
    props.underline = false;
    props.note = 0;
    props.picture = 0;
    std::string text;
    const SymbolFont font = symbol_font(props);
    for (char16_t ch : label) append_utf8(map_symbol_char(font, ch), text);
    if (font != SymbolFont::NONE) props.font = font_named(model_, symbol_draw_family(font));
    if (level.follow == 0) text.push_back('\t');
    if (level.follow == 1) text.push_back(' ');
    const uint32_t shift = static_cast<uint32_t>(text.size());
    paragraph.text.insert(0, text);
    for (TextRun& run : paragraph.runs) {
      run.start += shift;
      run.end += shift;
    }
    paragraph.runs.insert(paragraph.runs.begin(), {0, shift, props});
    for (uint32_t& at : breaks_) at += shift;
  }

  void finish_paragraph(uint32_t mark_fc, ByteSpan piece_grpprl, char mark) {
    const FormatRun papx = src_.pages.paragraph_run(mark_fc);
    const ListLevel* level = nullptr;
    ParaProps props = resolve_paragraph(papx, piece_grpprl, &level);
    const CharProps& style_chars = src_.styles.paragraph_chars(props.style);

    Paragraph paragraph;
    paragraph.props = std::move(props);
    paragraph.mark = resolve_chars(style_chars, chpx_, piece_grpprl);
    paragraph.has_fields = has_fields_;
    // Hidden runs, and deleted ones unless markup shows them, are dropped
    // here, now that their properties are known.
    for (const RawRun& raw : raw_) {
      CharProps chars = resolve_chars(style_chars, raw.chpx, raw.piece);
      if (chars.hidden || !revision_kept(chars, model_.revision_markup)) {
        for (uint32_t& at : breaks_) if (at > raw.start) at -= std::min(at, raw.end) - raw.start;
        continue;
      }
      show_revision(chars, model_.revision_markup);
      chars.picture = raw.picture;
      chars.note = raw.note;
      chars.check_box = raw.check_box;
      chars.box_size = raw.box_size;
      std::string piece = text_.substr(raw.start, raw.end - raw.start);
      if (const SymbolFont font = symbol_font(chars); font != SymbolFont::NONE && raw.picture == 0 && raw.check_box == 0) {
        const std::string mapped = remap_symbols(piece, font);
        if (mapped.size() != piece.size())
          for (uint32_t& at : breaks_) if (at > raw.start) at += static_cast<uint32_t>(mapped.size() - piece.size());
        piece = mapped;
        chars.font = font_named(model_, symbol_draw_family(font));
      }
      const uint32_t start = static_cast<uint32_t>(paragraph.text.size());
      paragraph.text += piece;
      const uint32_t end = static_cast<uint32_t>(paragraph.text.size());
      if (!paragraph.runs.empty() && paragraph.runs.back().props == chars)
        paragraph.runs.back().end = end;
      else
        paragraph.runs.push_back({start, end, chars});
    }
    if (level && !(paragraph.props.in_table && mark == 0x07 && paragraph.props.row_end))
      add_label(paragraph, *level);
    text_.clear();
    raw_.clear();
    has_fields_ = false;
    std::vector<uint32_t> breaks;
    breaks.swap(breaks_);
    route(std::move(paragraph), mark, breaks);
  }

  void route(Paragraph paragraph, char mark, const std::vector<uint32_t>& breaks) {
    const ParaProps& props = paragraph.props;
    if (mark == 0x07 && props.row_end) {
      flush_row(props.cell_edges, &props);
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
    if (props.page_break_before && !out_.empty()) push_page_break();
    push_split_paragraph(std::move(paragraph), breaks);
  }

  // Pushes the paragraph, cut into pieces with a page break at each manual break.
  void push_split_paragraph(Paragraph paragraph, const std::vector<uint32_t>& breaks) {
    uint32_t from = 0;
    for (uint32_t at : breaks) {
      at = std::min<uint32_t>(at, static_cast<uint32_t>(paragraph.text.size()));
      if (at > from) push_paragraph(slice_paragraph(paragraph, from, at));
      if (main_) push_page_break();
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
    part.has_fields = whole.has_fields;
    part.text = whole.text.substr(from, to - from);
    for (const TextRun& run : whole.runs) {
      const uint32_t start = std::max(run.start, from), end = std::min(run.end, to);
      if (start < end) part.runs.push_back({start - from, end - from, run.props});
    }
    return part;
  }

  // Notes and floating pictures anchored in text so far belong to the block pushed now.
  void claim_anchors() {
    for (uint32_t note : pending_footnotes_)
      if (note < model_.footnotes.size()) model_.footnotes[note].block = out_.size();
    for (uint32_t index : pending_floats_)
      if (index < model_.floats.size()) model_.floats[index].block = out_.size();
    pending_footnotes_.clear();
    pending_floats_.clear();
  }

  void push_paragraph(Paragraph paragraph) {
    if (main_) claim_anchors();
    Block block;
    block.kind = BlockKind::PARAGRAPH;
    block.section = static_cast<uint16_t>(section_);
    block.paragraph = std::move(paragraph);
    out_.push_back(std::move(block));
  }

  void flush_row(const std::vector<int16_t>& edges, const ParaProps* row_end = nullptr) {
    if (!cell_.paragraphs.empty()) {
      cells_.push_back(std::move(cell_));
      cell_ = {};
    }
    if (cells_.empty()) return;
    if (main_) claim_anchors();
    Block block;
    block.kind = BlockKind::ROW;
    block.section = static_cast<uint16_t>(section_);
    block.row.cells = std::move(cells_);
    if (edges.size() == block.row.cells.size() + 1) block.row.edges = edges;
    const size_t cells = block.row.cells.size();
    if (row_end) {
      block.row.shading = row_end->cell_shading;
      block.row.align = row_end->cell_align;
      block.row.borders = row_end->cell_borders;
      block.row.height = row_end->row_height;
      block.row.gap_half = row_end->gap_half;
      block.row.placement = row_end->row_placement;
      block.row.width_percent = row_end->width_percent;
      block.row.frame = row_end->frame;
    }
    block.row.shading.resize(cells, 0xFFFFFFFFu);
    block.row.align.resize(cells, 0);
    // Without per-cell borders the row keeps its grid, as tables without a definition always had.
    if (block.row.borders.size() != cells) block.row.borders.assign(cells, CELL_ALL_SIDES);
    // The table's own lines: its outer edges and the lines between cells.
    const uint8_t table = row_end ? row_end->table_borders : 0;
    for (size_t i = 0; i < cells; ++i) {
      uint8_t& sides = block.row.borders[i];
      if (table & (CELL_TOP | INSIDE_H)) sides |= CELL_TOP;
      if (table & (CELL_BOTTOM | INSIDE_H)) sides |= CELL_BOTTOM;
      if (table & (i == 0 ? uint8_t{CELL_LEFT} : INSIDE_V)) sides |= CELL_LEFT;
      if (table & (i + 1 == cells ? uint8_t{CELL_RIGHT} : INSIDE_V)) sides |= CELL_RIGHT;
    }
    cells_.clear();
    out_.push_back(std::move(block));
  }

  const TextSources& src_;
  DocumentModel& model_;
  std::vector<Block>& out_;
  const bool main_;  // the main document: sections, breaks, anchors
  DateFieldWriter dates_;
  Utf16Decoder utf16_;
  ByteSpan chpx_;
  uint32_t last_fc_ = 0;
  ByteSpan last_piece_;
  std::string text_;
  std::vector<RawRun> raw_;
  std::vector<uint32_t> breaks_;  // byte offsets of manual page breaks in text_
  std::vector<FieldPart> fields_;
  std::vector<std::string> field_codes_;
  std::vector<int32_t> field_data_;  // per open field: Data-stream offset of its form-field data, -1 for none
  size_t hidden_by_field_ = 0;
  size_t overflow_fields_ = 0;
  bool has_fields_ = false;
  size_t section_ = 0;
  std::string note_mark_;
  std::vector<uint32_t> pending_footnotes_, pending_floats_;
  TableCell cell_;
  std::vector<TableCell> cells_;
};

}  // namespace

void build_text(const TextSources& sources, DocumentModel& model) {
  TextBuilder builder(sources, model, model.blocks, true);
  builder.run(0, sources.text_end, {});
}

std::vector<Block> build_story(const TextSources& sources, DocumentModel& model, uint32_t cp_start,
                               uint32_t cp_end, const std::string& mark) {
  std::vector<Block> blocks;
  TextBuilder builder(sources, model, blocks, false);
  builder.run(cp_start, cp_end, mark);
  return blocks;
}

}  // namespace quire
