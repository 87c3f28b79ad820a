#include "word_reader.h"

#include "date_fields.h"
#include "fib.h"
#include "font_table.h"
#include "format_pages.h"
#include "lists.h"
#include "open_result.h"
#include "parts.h"
#include "pictures.h"
#include "piece_table.h"
#include "sections.h"
#include "style_sheet.h"
#include "text_builder.h"

namespace quire {
namespace {

constexpr uint16_t NO_PROOFING = 0x0400;

ByteSpan table_part(ByteSpan table, const FcLcb& where) { return table.slice(where.fc, where.lcb); }

}  // namespace

int read_word_streams(ByteSpan word, ByteSpan table0, ByteSpan table1, DocumentModel& model, ByteSpan data,
                      const std::string& file_path) {
  Fib fib;
  int result = parse_fib(word, fib);
  if (result != OPEN_OK) return result;
  const ByteSpan table = fib.table_one ? table1 : table0;
  if (table.size == 0) return OPEN_DAMAGED;
  if (fib.ccp_text > MAX_TEXT_CHARS) return OPEN_TOO_LARGE;

  std::vector<Piece> pieces;
  result = parse_piece_table(table, fib.clx.fc, fib.clx.lcb, word, pieces);
  if (result != OPEN_OK) return result;

  BinTable chpx_bins, papx_bins;
  if (!chpx_bins.parse(table_part(table, fib.plcf_bte_chpx)) ||
      !papx_bins.parse(table_part(table, fib.plcf_bte_papx)))
    return OPEN_DAMAGED;
  const FormatPages pages(word, chpx_bins, papx_bins);

  StyleSheet styles;
  styles.parse(table_part(table, fib.stsh));

  model = {};
  model.fonts = parse_font_table(table_part(table, fib.sttbf_ffn));
  model.sections = parse_sections(table_part(table, fib.plcf_sed), word);
  model.defaults = styles.defaults();
  // The text's language is best told by the Normal style; the FIB holds only
  // the language Word was installed in.
  const uint16_t normal_language = styles.paragraph_chars(0).language;
  model.language = normal_language != 0 && normal_language != NO_PROOFING ? normal_language : fib.lid;

  read_document_settings(table_part(table, fib.dop), model);

  ListTable lists;
  const uint64_t levels_at = uint64_t{fib.plf_lst.fc} + fib.plf_lst.lcb;
  lists.parse(table_part(table, fib.plf_lst),
              fib.plf_lst.lcb && levels_at < table.size ? table.slice(levels_at, table.size - levels_at) : ByteSpan{},
              table_part(table, fib.plf_lfo));
  AnchorMaps anchors;
  size_t footnotes = 0, endnotes = 0;
  read_note_anchors(table, fib, footnotes, endnotes, anchors);
  model.footnotes.resize(footnotes);
  model.endnotes.resize(endnotes);
  load_floating_pictures(table_part(table, fib.spa_mom), table_part(table, fib.dgg_info), word, model,
                         anchors.floats);

  TextSources sources{word, pieces, pages, styles, fib.ccp_text, &lists,
                      [&](uint32_t offset) { return load_inline_picture(data, offset, model); }, &anchors,
                      data, file_path, printing_moment()};
  build_text(sources, model);
  std::multimap<uint32_t, uint32_t> header_floats;
  load_floating_pictures(table_part(table, fib.spa_hdr), table_part(table, fib.dgg_info), word, model, header_floats,
                         fib.ccp_text + fib.ccp_ftn, true);
  build_parts(table, fib, sources, model, header_floats);
  build_text_boxes(table, fib, sources, model);
  return OPEN_OK;
}

}  // namespace quire
