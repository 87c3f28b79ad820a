#include "parts.h"

#include <algorithm>

#include "common/byte_reader.h"
#include "number_format.h"

namespace quire {
namespace {

using vellum::ByteOrder;
using vellum::ByteReader;

constexpr size_t MAX_NOTES = 1u << 16;
constexpr size_t MAX_STORIES = 6u * 0x1000;
constexpr size_t SEPARATOR_STORIES = 6;
constexpr size_t TEXT_BOX_ENTRY = 22;  // FTXBXS: chain and reuse data we do not need
constexpr size_t MAX_TEXT_BOXES = 0xFFFF;
constexpr int32_t MIN_TAB = 36, MAX_TAB = 14400;
constexpr uint8_t PRINT_REVISION_MARKS = 0x10;  // fRMPrint, in the DOP's eighth byte

ByteReader reader_of(ByteSpan span) { return ByteReader(span.data, span.size, ByteOrder::little); }
ByteSpan table_part(ByteSpan table, const FcLcb& where) { return table.slice(where.fc, where.lcb); }

// The CPs of a PLC with `data_size` bytes per entry: n + 1 of them, ascending.
std::vector<uint32_t> plc_positions(ByteSpan plc, size_t data_size, size_t max_entries) {
  std::vector<uint32_t> cps;
  if (plc.size < 4 || (plc.size - 4) % (4 + data_size) != 0) return cps;
  const size_t count = std::min((plc.size - 4) / (4 + data_size), max_entries);
  ByteReader in = reader_of(plc);
  for (size_t i = 0; i <= count; ++i) {
    const uint32_t cp = in.u32();
    if (in.failed() || (!cps.empty() && cp < cps.back())) break;
    cps.push_back(cp);
  }
  return cps;
}

// Reads one kind of note: marks in the main text, texts in their part.
void read_anchors(ByteSpan refs, std::map<uint32_t, uint32_t>& out, size_t& count) {
  count = 0;
  if (refs.size < 4 || (refs.size - 4) % 6 != 0) return;
  const size_t n = std::min((refs.size - 4) / 6, MAX_NOTES);
  ByteReader cps = reader_of(refs);
  ByteReader frds = reader_of(refs).from(4 * ((refs.size - 4) / 6 + 1));
  for (size_t i = 0; i < n; ++i) {
    const uint32_t cp = cps.u32();
    const int16_t auto_number = frds.i16();
    if (cps.failed() || frds.failed()) break;
    if (auto_number != 0) out[cp] = static_cast<uint32_t>(i);
    count = i + 1;
  }
}

// Drops a story's last paragraph when it is empty: the guard mark that ends every story.
std::vector<Block> trimmed(std::vector<Block> blocks) {
  if (blocks.size() > 1 && blocks.back().kind == BlockKind::PARAGRAPH && blocks.back().paragraph.text.empty())
    blocks.pop_back();
  return blocks;
}

void build_notes(ByteSpan txt, uint32_t part_start, uint32_t part_size, size_t count, bool endnotes,
                 const TextSources& sources, DocumentModel& model, std::vector<Note>& notes) {
  notes.assign(count, {});
  const std::vector<uint32_t> cps = plc_positions(txt, 0, MAX_NOTES + 1);
  for (size_t i = 0; i < count && i + 1 < cps.size(); ++i) {
    const uint32_t start = std::min(cps[i], part_size), end = std::min(cps[i + 1], part_size);
    if (start >= end) continue;
    const std::string mark = format_number(static_cast<int32_t>(i + 1), endnotes ? NFC_LOWER_ROMAN : NFC_DECIMAL);
    notes[i].story.blocks = trimmed(build_story(sources, model, part_start + start, part_start + end, mark));
  }
}

}  // namespace

void read_note_anchors(ByteSpan table, const Fib& fib, size_t& footnotes, size_t& endnotes, AnchorMaps& anchors) {
  read_anchors(table_part(table, fib.fnd_ref), anchors.footnotes, footnotes);
  read_anchors(table_part(table, fib.end_ref), anchors.endnotes, endnotes);
  if (fib.ccp_ftn == 0) footnotes = 0, anchors.footnotes.clear();
  if (fib.ccp_edn == 0) endnotes = 0, anchors.endnotes.clear();
}

void build_parts(ByteSpan table, const Fib& fib, const TextSources& sources, DocumentModel& model,
                 const std::multimap<uint32_t, uint32_t>& header_floats) {
  const uint32_t ftn_start = fib.ccp_text;
  const uint32_t hdd_start = ftn_start + fib.ccp_ftn;
  const uint32_t edn_start = hdd_start + fib.ccp_hdd + fib.ccp_atn;

  build_notes(table_part(table, fib.fnd_txt), ftn_start, fib.ccp_ftn, model.footnotes.size(), false, sources,
              model, model.footnotes);
  build_notes(table_part(table, fib.end_txt), edn_start, fib.ccp_edn, model.endnotes.size(), true, sources, model,
              model.endnotes);

  // Header stories: six separators, then six per section.
  model.section_stories.assign(model.sections.size(), {});
  for (auto& kinds : model.section_stories) kinds.fill(-1);
  if (fib.ccp_hdd == 0) return;
  const std::vector<uint32_t> cps = plc_positions(table_part(table, fib.plcf_hdd), 0, MAX_STORIES);
  for (size_t s = 0; s < model.sections.size(); ++s) {
    for (size_t k = 0; k < STORY_KINDS; ++k) {
      const size_t story = SEPARATOR_STORIES + STORY_KINDS * s + k;
      int32_t index = s > 0 ? model.section_stories[s - 1][k] : -1;  // inherited when empty
      if (story + 1 < cps.size()) {
        const uint32_t start = std::min(cps[story], fib.ccp_hdd), end = std::min(cps[story + 1], fib.ccp_hdd);
        if (start < end) {
          Story built;
          built.blocks = trimmed(build_story(sources, model, hdd_start + start, hdd_start + end));
          index = static_cast<int32_t>(model.stories.size());
          model.stories.push_back(std::move(built));
          for (auto it = header_floats.lower_bound(hdd_start + start); it != header_floats.end() && it->first < hdd_start + end; ++it)
            if (it->second < model.floats.size()) model.floats[it->second].story = index;
        }
      }
      model.section_stories[s][k] = index;
    }
  }
}

void build_text_boxes(ByteSpan table, const Fib& fib, const TextSources& sources, DocumentModel& model) {
  const uint32_t main_start = fib.ccp_text + fib.ccp_ftn + fib.ccp_hdd + fib.ccp_atn + fib.ccp_edn;
  const std::vector<uint32_t> main_cps = plc_positions(table_part(table, fib.txbx_txt), TEXT_BOX_ENTRY, MAX_TEXT_BOXES);
  const std::vector<uint32_t> header_cps =
      plc_positions(table_part(table, fib.hdr_txbx_txt), TEXT_BOX_ENTRY, MAX_TEXT_BOXES);
  for (ShapeText& text : model.shape_texts) {
    const size_t story = text.text_id >> 16;  // from 1
    const std::vector<uint32_t>& cps = text.in_header ? header_cps : main_cps;
    if (story == 0 || story >= cps.size()) continue;
    const uint32_t part_start = text.in_header ? main_start + fib.ccp_txbx : main_start;
    const uint32_t part_size = text.in_header ? fib.ccp_hdr_txbx : fib.ccp_txbx;
    const uint32_t start = std::min(cps[story - 1], part_size), end = std::min(cps[story], part_size);
    if (start < end) text.blocks = trimmed(build_story(sources, model, part_start + start, part_start + end));
  }
}

void read_document_settings(ByteSpan dop, DocumentModel& model) {
  ByteReader in = reader_of(dop);
  const uint8_t flags = in.u8();
  in.skip(6);
  const uint8_t review = in.u8();
  in.skip(2);
  const uint16_t tab = in.u16();
  if (in.failed()) return;
  model.facing_pages = (flags & 1) != 0;
  model.revision_markup = (review & PRINT_REVISION_MARKS) != 0;
  if (tab >= MIN_TAB && tab <= MAX_TAB) model.default_tab = tab;
}

}  // namespace quire
