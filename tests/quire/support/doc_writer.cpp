#include "doc_writer.h"

#include <gsf/gsf.h>

#include <algorithm>
#include <stdexcept>

namespace quire_test {
namespace {

constexpr size_t FIB_SIZE = 0x384;
constexpr size_t TEXT_START = 0x400;
constexpr size_t PAGE = 512;
constexpr uint16_t PAIRS = 0x5D;
enum Pair {
  STSH = 1, FND_REF = 2, FND_TXT = 3, SED = 6, HDD = 11, BTE_CHPX = 12, BTE_PAPX = 13, FFN = 15,
  DOP = 31, CLX = 33, SPA_MOM = 40, DGG_INFO = 50, TXBX_TXT = 56, PLF_LST = 73, PLF_LFO = 74
};

void put16(Bytes& out, size_t at, uint16_t v) {
  if (out.size() < at + 2) out.resize(at + 2);
  out[at] = v & 0xFF;
  out[at + 1] = v >> 8;
}
void put32(Bytes& out, size_t at, uint32_t v) {
  put16(out, at, v & 0xFFFF);
  put16(out, at + 2, v >> 16);
}
void add16(Bytes& out, uint16_t v) { put16(out, out.size(), v); }
void add32(Bytes& out, uint32_t v) { put32(out, out.size(), v); }
void add(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }
void add_u16string(Bytes& out, const std::u16string& text) {
  for (char16_t c : text) add16(out, c);
}
void pad_to(Bytes& out, size_t multiple) { out.resize((out.size() + multiple - 1) / multiple * multiple); }

bool is_mark(char16_t c) { return c == u'\r' || c == 0x07 || c == u'\f'; }

struct Span {
  uint32_t fc_start, fc_end;
  uint16_t istd;
  Bytes grpprl;
};

// Appends formatted pages to the WordDocument stream and writes the bin
// table that finds them. `fill(page, first)` fills one page starting at
// span `first` and returns how many spans it took (at least one).
template <typename Fill>
void write_pages(Bytes& word, const std::vector<Span>& spans, Bytes& bin, Fill fill) {
  std::vector<uint32_t> fcs, pns;
  for (size_t i = 0; i < spans.size();) {
    Bytes page;
    const size_t taken = fill(page, i);
    fcs.push_back(spans[i].fc_start);
    pns.push_back(static_cast<uint32_t>(word.size() / PAGE));
    add(word, page);
    i += taken;
  }
  fcs.push_back(spans.back().fc_end);
  for (uint32_t fc : fcs) add32(bin, fc);
  for (uint32_t pn : pns) add32(bin, pn);
}

// Fills one CHPX page with as many runs from `i` as fit (at most 0x65).
size_t fill_chpx_page(Bytes& page, const std::vector<Span>& runs, size_t i) {
  page.assign(PAGE, 0);
  Bytes offsets;
  size_t n = 0, top = PAGE - 1;
  while (i + n < runs.size() && n < 0x65) {
    const Bytes& g = runs[i + n].grpprl;
    size_t at = 0, new_top = top;
    if (!g.empty()) {
      if (top < 1 + g.size()) break;
      at = (top - 1 - g.size()) & ~size_t{1};
      new_top = at;
    }
    if (4 * (n + 2) + (n + 1) > new_top) break;  // rgfc and rgb must stay below the grpprls
    if (!g.empty()) {
      page[at] = static_cast<uint8_t>(g.size());
      std::copy(g.begin(), g.end(), page.begin() + at + 1);
    }
    top = new_top;
    offsets.push_back(static_cast<uint8_t>(at / 2));
    ++n;
  }
  if (n == 0) throw std::runtime_error("character properties too large");
  for (size_t j = 0; j <= n; ++j) put32(page, 4 * j, j < n ? runs[i + j].fc_start : runs[i + n - 1].fc_end);
  std::copy(offsets.begin(), offsets.end(), page.begin() + 4 * (n + 1));
  page[PAGE - 1] = static_cast<uint8_t>(n);
  return n;
}

// The PapxInFkp bytes of a paragraph: a count of 16-bit words (or 0 and a
// second count), then the style and the modifiers.
Bytes stored_papx(const Span& p) {
  Bytes body;
  add16(body, p.istd);
  add(body, p.grpprl);
  Bytes stored;
  if (body.size() % 2 == 1) {
    stored.push_back(static_cast<uint8_t>((body.size() + 1) / 2));
  } else {
    stored.push_back(0);
    stored.push_back(static_cast<uint8_t>(body.size() / 2));
  }
  add(stored, body);
  return stored;
}

// Fills one PAPX page with paragraphs [first, first + n); identical
// properties share their bytes, as Word's pages do. False when they do not fit.
bool fill_papx_page(Bytes& page, const std::vector<Span>& paragraphs, size_t first, size_t n) {
  page.assign(PAGE, 0);
  std::vector<std::pair<Bytes, size_t>> placed;
  size_t top = PAGE - 1;
  for (size_t j = 0; j < n; ++j) {
    const Span& p = paragraphs[first + j];
    const Bytes stored = stored_papx(p);
    size_t at = 0;
    for (const auto& [bytes, where] : placed)
      if (bytes == stored) at = where;
    if (at == 0) {
      if (top < stored.size()) return false;
      at = (top - stored.size()) & ~size_t{1};
      if (at < 4 * (n + 1) + 13 * n) return false;
      std::copy(stored.begin(), stored.end(), page.begin() + static_cast<long>(at));
      placed.emplace_back(stored, at);
      top = at;
    }
    page[4 * (n + 1) + 13 * j] = static_cast<uint8_t>(at / 2);
    put32(page, 4 * j, p.fc_start);
  }
  put32(page, 4 * n, paragraphs[first + n - 1].fc_end);
  page[PAGE - 1] = static_cast<uint8_t>(n);
  return true;
}

// Fills one PAPX page with as many paragraphs from `i` as fit (at most 0x1D).
size_t fill_papx(Bytes& page, const std::vector<Span>& paragraphs, size_t i) {
  size_t n = std::min<size_t>(0x1D, paragraphs.size() - i);
  while (n > 0 && !fill_papx_page(page, paragraphs, i, n)) --n;
  if (n == 0) throw std::runtime_error("paragraph properties too large");
  return n;
}

Bytes style_sheet(const std::vector<StylePlan>& styles) {
  Bytes out;
  add16(out, 18);
  add16(out, static_cast<uint16_t>(styles.size()));
  add16(out, 10);  // cbSTDBaseInFile
  // flags, stiMaxWhenSaved, istdMaxFixedWhenSaved, nVerBuiltInNamesWhenSaved,
  // then the default fonts (ftcAsci, ftcFE, ftcOther): font 0.
  for (int i = 0; i < 7; ++i) add16(out, i == 0 ? 1 : 0);
  for (size_t istd = 0; istd < styles.size(); ++istd) {
    const StylePlan& s = styles[istd];
    Bytes std_bytes;
    add16(std_bytes, istd < 10 ? static_cast<uint16_t>(istd) : 0x0FFE);
    add16(std_bytes, static_cast<uint16_t>((s.character ? 2 : 1) | s.base << 4));
    add16(std_bytes, static_cast<uint16_t>((s.character ? 1 : 2) | istd << 4));
    add16(std_bytes, 0);
    add16(std_bytes, 0);
    add16(std_bytes, static_cast<uint16_t>(s.name.size()));
    add_u16string(std_bytes, s.name);
    add16(std_bytes, 0);
    if (!s.character) {
      add16(std_bytes, static_cast<uint16_t>(2 + s.papx.size()));
      add16(std_bytes, static_cast<uint16_t>(istd));
      add(std_bytes, s.papx);
      pad_to(std_bytes, 2);
    }
    add16(std_bytes, static_cast<uint16_t>(s.chpx.size()));
    add(std_bytes, s.chpx);
    pad_to(std_bytes, 2);
    put16(std_bytes, 6, static_cast<uint16_t>(std_bytes.size()));
    add16(out, static_cast<uint16_t>(std_bytes.size()));
    add(out, std_bytes);
  }
  return out;
}

Bytes font_table(const std::vector<std::u16string>& names) {
  Bytes out;
  add16(out, static_cast<uint16_t>(names.size()));
  add16(out, 0);
  for (const auto& name : names) {
    Bytes ffn(39, 0);
    add_u16string(ffn, name);
    add16(ffn, 0);
    out.push_back(static_cast<uint8_t>(ffn.size()));
    add(out, ffn);
  }
  return out;
}

// An LVL: fixed part, paragraph modifiers, character modifiers, template.
Bytes list_level(const ListLevelPlan& level) {
  Bytes out;
  add32(out, static_cast<uint32_t>(level.start));
  out.push_back(level.nfc);
  out.push_back(0);
  out.resize(out.size() + 9, 0);  // placeholder positions
  out.push_back(level.follow);
  out.resize(out.size() + 8, 0);
  out.push_back(static_cast<uint8_t>(level.chpx.size()));
  out.push_back(static_cast<uint8_t>(level.papx.size()));
  out.push_back(0);
  out.push_back(0);
  add(out, level.papx);
  add(out, level.chpx);
  add16(out, static_cast<uint16_t>(level.text.size()));
  add_u16string(out, level.text);
  return out;
}

// PlfLst (its LSTFs) and, after it, every list's levels.
void list_tables(const DocPlan& plan, Bytes& lst, Bytes& levels, Bytes& lfo) {
  add16(lst, static_cast<uint16_t>(plan.lists.size()));
  for (const ListPlan& list : plan.lists) {
    add32(lst, static_cast<uint32_t>(list.id));
    add32(lst, 0);
    for (int i = 0; i < 9; ++i) add16(lst, 0x0FFF);
    lst.push_back(list.levels.size() == 1 ? 1 : 0);
    lst.push_back(0);
    for (const ListLevelPlan& level : list.levels) add(levels, list_level(level));
  }
  add32(lfo, static_cast<uint32_t>(plan.overrides.size()));
  for (const OverridePlan& entry : plan.overrides) {
    add32(lfo, static_cast<uint32_t>(entry.list_id));
    add32(lfo, 0);
    add32(lfo, 0);
    lfo.push_back(entry.restart_level >= 0 ? 1 : 0);
    lfo.push_back(0);
    lfo.push_back(0);
    lfo.push_back(0);
  }
  for (const OverridePlan& entry : plan.overrides) {
    add32(lfo, 0xFFFFFFFFu);
    if (entry.restart_level < 0) continue;
    add32(lfo, static_cast<uint32_t>(entry.restart_at));
    add32(lfo, static_cast<uint32_t>(entry.restart_level) | 0x10);  // iLvl, fStartAt
  }
}

// A PLC of CPs alone (no data), or with `data_size` bytes of zeros-but-first per entry.
Bytes cp_plc(const std::vector<uint32_t>& cps, const Bytes& data = {}) {
  Bytes out;
  for (uint32_t cp : cps) add32(out, cp);
  add(out, data);
  return out;
}

void set_string(GsfDocMetaData* meta, const char* name, const std::string& text) {
  if (text.empty()) return;
  GValue* value = g_new0(GValue, 1);
  g_value_init(value, G_TYPE_STRING);
  g_value_set_string(value, text.c_str());
  gsf_doc_meta_data_insert(meta, g_strdup(name), value);
}

void write_child(GsfOutfile* ole, const char* name, const Bytes& bytes) {
  GsfOutput* child = gsf_outfile_new_child(ole, name, FALSE);
  gsf_output_write(child, bytes.size(), bytes.data());
  gsf_output_close(child);
  g_object_unref(child);
}

Bytes compound(const Bytes& word, const Bytes& table, const DocPlan* properties) {
  gsf_init();
  GsfOutput* memory = gsf_output_memory_new();
  GsfOutfile* ole = gsf_outfile_msole_new(memory);
  write_child(ole, "WordDocument", word);
  if (!table.empty()) write_child(ole, "1Table", table);
  if (properties && !properties->data.empty()) write_child(ole, "Data", properties->data);
  if (properties && properties->with_properties) {
    GsfDocMetaData* meta = gsf_doc_meta_data_new();
    set_string(meta, GSF_META_NAME_TITLE, properties->title);
    set_string(meta, GSF_META_NAME_SUBJECT, properties->subject);
    set_string(meta, GSF_META_NAME_CREATOR, properties->author);
    set_string(meta, GSF_META_NAME_GENERATOR, properties->app_name);
    set_string(meta, GSF_META_NAME_COMPANY, properties->company);
    const char* streams[] = {"\005SummaryInformation", "\005DocumentSummaryInformation"};
    for (int doc = 0; doc < 2; ++doc) {
      GsfOutput* child = gsf_outfile_new_child(ole, streams[doc], FALSE);
      gsf_doc_meta_data_write_to_msole(meta, child, doc == 1);
      gsf_output_close(child);
      g_object_unref(child);
    }
    g_object_unref(meta);
  }
  gsf_output_close(GSF_OUTPUT(ole));
  g_object_unref(ole);
  const guint8* data = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory));
  Bytes out(data, data + gsf_output_size(memory));
  g_object_unref(memory);  // closed with the compound file
  return out;
}

}  // namespace

Bytes sprm_u8(uint16_t sprm, uint8_t value) { return {uint8_t(sprm & 0xFF), uint8_t(sprm >> 8), value}; }
Bytes sprm_u16(uint16_t sprm, uint16_t value) {
  return {uint8_t(sprm & 0xFF), uint8_t(sprm >> 8), uint8_t(value & 0xFF), uint8_t(value >> 8)};
}
Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) add(out, part);
  return out;
}

DocPlan plain_doc(const std::vector<std::u16string>& paragraphs) {
  DocPlan plan;
  for (const auto& text : paragraphs) plan.runs.push_back({text + u"\r", true, {}});
  plan.title = "Fixture title";
  plan.subject = "Fixture subject";
  plan.author = "Fixture author";
  plan.company = "Fixture company";
  plan.app_name = "Fixture writer";
  return plan;
}

void build_streams(const DocPlan& plan, Bytes& word, Bytes& table) {
  word.assign(TEXT_START, 0);
  table.clear();

  // Text, one piece per run.
  std::vector<uint32_t> cps{0};
  std::vector<uint32_t> piece_fcs;
  std::vector<Span> runs, paragraphs;
  uint32_t cp = 0, paragraph_start = static_cast<uint32_t>(TEXT_START);
  // The main text, then the footnotes, the header stories and the text
  // boxes, then (when there are any) the guard mark that ends the last part.
  std::vector<RunPlan> all = plan.runs;
  uint32_t main_size = 0, notes_size = 0, headers_size = 0, boxes_size = 0;
  for (const RunPlan& run : plan.runs) main_size += static_cast<uint32_t>(run.text.size());
  std::vector<uint32_t> note_cps{0}, story_cps{0}, ref_cps;
  for (const auto& note : plan.footnotes) {
    all.push_back({note, true, {}});
    notes_size += static_cast<uint32_t>(note.size());
    note_cps.push_back(notes_size);
  }
  for (const auto& story : plan.header_stories) {
    if (!story.empty()) all.push_back({story, true, {}});
    headers_size += static_cast<uint32_t>(story.size());
    story_cps.push_back(headers_size);
  }
  std::vector<uint32_t> box_cps{0}, shape_cps;
  for (const auto& story : plan.text_boxes) {
    all.push_back({story, true, {}});
    boxes_size += static_cast<uint32_t>(story.size());
    box_cps.push_back(boxes_size);
  }
  if (notes_size + headers_size + boxes_size > 0) all.push_back({u"\r", true, {}});
  {
    uint32_t at = 0;
    for (const RunPlan& run : plan.runs)
      for (char16_t c : run.text) {
        if (c == 0x02) ref_cps.push_back(at);
        if (c == 0x08 && shape_cps.size() < plan.shapes.size()) shape_cps.push_back(at);
        ++at;
      }
  }
  for (const RunPlan& run : all) {
    const uint32_t fc = static_cast<uint32_t>(word.size());
    piece_fcs.push_back(run.compressed ? (fc * 2) | 0x40000000u : fc);
    for (char16_t c : run.text) {
      if (run.compressed) word.push_back(static_cast<uint8_t>(c));
      else add16(word, c);
      if (is_mark(c)) {
        const size_t index = paragraphs.size();
        paragraphs.push_back({paragraph_start, static_cast<uint32_t>(word.size()),
                              index < plan.paragraph_styles.size() ? plan.paragraph_styles[index] : uint16_t{0},
                              index < plan.paragraphs.size() ? plan.paragraphs[index] : Bytes{}});
        paragraph_start = static_cast<uint32_t>(word.size());
      }
    }
    cp += static_cast<uint32_t>(run.text.size());
    cps.push_back(cp);
    runs.push_back({fc, static_cast<uint32_t>(word.size()), 0, run.chpx});
  }
  const uint32_t ccp_text = main_size;
  if (paragraph_start < word.size())  // text after the last mark still needs properties
    paragraphs.push_back({paragraph_start, static_cast<uint32_t>(word.size()), 0, {}});
  pad_to(word, PAGE);

  Bytes chpx_bin, papx_bin;
  write_pages(word, runs, chpx_bin, [&](Bytes& page, size_t i) { return fill_chpx_page(page, runs, i); });
  write_pages(word, paragraphs, papx_bin, [&](Bytes& page, size_t i) { return fill_papx(page, paragraphs, i); });

  // Every section is A4 with one-inch margins unless the plan's own
  // modifiers (written after these, so they win) say otherwise.
  const Bytes section = concat({sprm_u16(0xB01F, 11900), sprm_u16(0xB020, 16840), sprm_u16(0xB021, 1440),
                                sprm_u16(0xB022, 1440), sprm_u16(0x9023, 1440), sprm_u16(0x9024, 1440), plan.section});
  const uint32_t fc_sepx = static_cast<uint32_t>(word.size());
  add16(word, static_cast<uint16_t>(section.size()));
  add(word, section);

  // Table stream.
  auto place = [&](const Bytes& part, int pair) {
    put32(word, 0x9A + 8 * pair, static_cast<uint32_t>(table.size()));
    put32(word, 0x9A + 8 * pair + 4, static_cast<uint32_t>(part.size()));
    add(table, part);
  };
  place(style_sheet(plan.styles), STSH);
  place(font_table(plan.fonts), FFN);
  if (!plan.footnotes.empty()) {
    Bytes frds;
    for (size_t i = 0; i < ref_cps.size(); ++i) add16(frds, static_cast<uint16_t>(i + 1));
    std::vector<uint32_t> refs = ref_cps;
    refs.push_back(ccp_text);
    place(cp_plc(refs, frds), FND_REF);
    note_cps.push_back(notes_size + 1);
    place(cp_plc(note_cps), FND_TXT);
  }
  if (!plan.header_stories.empty()) {
    story_cps.push_back(headers_size + 1);
    place(cp_plc(story_cps), HDD);
  }
  if (!plan.text_boxes.empty()) {
    box_cps.push_back(boxes_size + 1);  // a last entry, as Word writes
    place(cp_plc(box_cps, Bytes(22 * (box_cps.size() - 1), 0)), TXBX_TXT);
  }
  if (!shape_cps.empty()) {
    place(shape_anchors(plan.shapes, shape_cps, ccp_text), SPA_MOM);
    place(drawing_layer(plan.shapes), DGG_INFO);
  }
  if (!plan.lists.empty()) {
    Bytes lst, levels, lfo;
    list_tables(plan, lst, levels, lfo);
    place(lst, PLF_LST);
    add(table, levels);
    place(lfo, PLF_LFO);
  }
  Bytes dop(64, 0);
  dop[0] = plan.facing_pages ? 1 : 0;
  dop[7] = plan.revision_markup ? 0x10 : 0;
  put16(dop, 10, 720);
  place(dop, DOP);
  Bytes sed;
  add32(sed, 0);
  add32(sed, ccp_text + 1);
  add16(sed, 0);
  add32(sed, fc_sepx);
  add16(sed, 0);
  add32(sed, 0);
  place(sed, SED);
  place(chpx_bin, BTE_CHPX);
  place(papx_bin, BTE_PAPX);
  Bytes plc;
  for (uint32_t c : cps) add32(plc, c);
  for (uint32_t fc : piece_fcs) {
    add16(plc, 0);
    add32(plc, fc);
    add16(plc, 0);
  }
  Bytes clx{0x02};
  add32(clx, static_cast<uint32_t>(plc.size()));
  add(clx, plc);
  place(clx, CLX);

  // FIB.
  put16(word, 0x00, 0xA5EC);
  put16(word, 0x02, plan.nfib);
  put16(word, 0x06, plan.lid);
  put16(word, 0x0A, plan.flags);
  put16(word, 0x0C, 0x00BF);
  put16(word, 0x20, 14);
  put16(word, 0x3E, 22);
  put32(word, 0x40, static_cast<uint32_t>(word.size()));  // cbMac
  put32(word, 0x4C, ccp_text);
  put32(word, 0x50, notes_size);
  put32(word, 0x54, headers_size);
  put32(word, 0x64, boxes_size);
  put16(word, 0x98, PAIRS);
  put16(word, FIB_SIZE - 2, 0);
}

Bytes png_picture_descriptor(const Bytes& png, int16_t width, int16_t height, int16_t crop_left) {
  // The blip (PNG, one UID, a tag byte), inside a blip store entry, after an empty shape.
  Bytes blip;
  add16(blip, 0x6E00);
  add16(blip, 0xF01E);
  add32(blip, static_cast<uint32_t>(17 + png.size()));
  blip.resize(blip.size() + 17, 0);
  add(blip, png);
  Bytes bse;
  add16(bse, 0x0062);
  add16(bse, 0xF007);
  add32(bse, static_cast<uint32_t>(36 + blip.size()));
  bse.push_back(6);
  bse.push_back(6);
  bse.resize(bse.size() + 16 + 2, 0);
  add32(bse, static_cast<uint32_t>(blip.size()));
  add32(bse, 1);
  add32(bse, 0);
  bse.resize(bse.size() + 4, 0);
  add(bse, blip);
  Bytes shape;
  add16(shape, 0x000F);
  add16(shape, 0xF004);
  add32(shape, 0);

  Bytes out(0x44, 0);
  put32(out, 0, static_cast<uint32_t>(0x44 + shape.size() + bse.size()));
  put16(out, 4, 0x44);
  put16(out, 6, 0x64);  // the picture is an OfficeArt shape
  put16(out, 28, static_cast<uint16_t>(width));
  put16(out, 30, static_cast<uint16_t>(height));
  put16(out, 32, 1000);
  put16(out, 34, 1000);
  put16(out, 36, static_cast<uint16_t>(crop_left));
  add(out, shape);
  add(out, bse);
  return out;
}

Bytes picture_run(uint32_t at) {
  Bytes out{0x03, 0x6A};
  add32(out, at);
  add(out, sprm_u8(0x0855, 1));
  return out;
}

Bytes form_field_data(const Bytes& ffdata) {
  Bytes out(0x44, 0);
  put32(out, 0, static_cast<uint32_t>(out.size() + ffdata.size()));
  put16(out, 4, 0x44);
  add(out, ffdata);
  return out;
}

Bytes form_field_run(uint32_t at) { return concat({picture_run(at), sprm_u8(0x0806, 1)}); }

Bytes write_doc(const DocPlan& plan) {
  Bytes word, table;
  build_streams(plan, word, table);
  return compound(word, table, &plan);
}

Bytes write_compound(const Bytes& word, const Bytes& table) { return compound(word, table, nullptr); }

}  // namespace quire_test
