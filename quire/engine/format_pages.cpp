#include "format_pages.h"

#include <algorithm>

namespace quire {
namespace {

constexpr size_t PAGE_SIZE = 512;
constexpr size_t COUNT_BYTE = 511;     // last byte of a page: number of entries
constexpr unsigned MAX_CHAR_RUNS = 0x65;
constexpr unsigned MAX_PARAGRAPHS = 0x1D;
constexpr size_t BX_PAP_SIZE = 13;
constexpr uint32_t PAGE_NUMBER_MASK = 0x3FFFFF;

// Finds entry j with rgfc[j] <= fc < rgfc[j+1] among the page's `count`
// runs; false when fc lies outside them.
bool find_entry(ByteSpan page, unsigned count, uint32_t fc, unsigned& entry, uint32_t& end) {
  for (unsigned j = 0; j < count; ++j) {
    const uint32_t start = page.u32_at(4 * j), next = page.u32_at(4 * (j + 1));
    if (start <= fc && fc < next) {
      entry = j;
      end = next;
      return true;
    }
  }
  return false;
}

}  // namespace

bool BinTable::parse(ByteSpan plc) {
  fcs.clear();
  pages.clear();
  if (plc.size < 4 || (plc.size - 4) % 8 != 0) return plc.size == 0;
  const size_t count = (plc.size - 4) / 8;
  fcs.resize(count + 1);
  pages.resize(count);
  for (size_t i = 0; i <= count; ++i) fcs[i] = plc.u32_at(4 * i);
  for (size_t i = 0; i < count; ++i) pages[i] = plc.u32_at(4 * (count + 1) + 4 * i) & PAGE_NUMBER_MASK;
  return true;
}

ByteSpan FormatPages::page_for(const BinTable& bins, uint32_t fc) const {
  if (bins.pages.empty()) return {};
  // Largest i with fcs[i] <= fc.
  const auto after = std::upper_bound(bins.fcs.begin(), bins.fcs.end() - 1, fc);
  if (after == bins.fcs.begin()) return {};
  const size_t i = static_cast<size_t>(after - bins.fcs.begin()) - 1;
  return word_.slice(uint64_t{bins.pages[i]} * PAGE_SIZE, PAGE_SIZE);
}

// Finds the entry serving `fc` on its page: the run's end goes into `run`,
// the stored offset (in 16-bit words, 0 for none) of its properties is the
// result, with `page` set. 0 when there is no usable entry.
size_t FormatPages::locate(const BinTable& bins, uint32_t fc, unsigned max_entries, size_t entry_size,
                           FormatRun& run, ByteSpan& page) const {
  page = page_for(bins, fc);
  if (page.size != PAGE_SIZE) return 0;
  const unsigned count = page.data[COUNT_BYTE];
  if (count == 0 || count > max_entries) return 0;
  unsigned entry = 0;
  if (!find_entry(page, count, fc, entry, run.end)) return 0;
  const size_t at = 2u * page.data[4 * (count + 1) + entry_size * entry];
  return at < COUNT_BYTE ? at : 0;
}

FormatRun FormatPages::character_run(uint32_t fc) const {
  FormatRun run{{}, 0, fc + 1};
  ByteSpan page;
  const size_t at = locate(chpx_, fc, MAX_CHAR_RUNS, 1, run, page);
  if (at == 0) return run;
  const uint8_t size = page.data[at];
  if (at + 1 + size <= COUNT_BYTE) run.grpprl = page.slice(at + 1, size);
  return run;
}

FormatRun FormatPages::paragraph_run(uint32_t fc) const {
  FormatRun run{{}, 0, fc + 1};
  ByteSpan page;
  const size_t at = locate(papx_, fc, MAX_PARAGRAPHS, BX_PAP_SIZE, run, page);
  if (at == 0) return run;
  // PapxInFkp: a count of 16-bit words, or 0 and then a count of the rest.
  size_t start = at + 1, size = 0;
  if (page.data[at] != 0) {
    size = 2u * page.data[at] - 1;
  } else {
    if (at + 1 >= COUNT_BYTE) return run;
    start = at + 2;
    size = 2u * page.data[at + 1];
  }
  if (size < 2 || start + size > COUNT_BYTE) return run;
  run.style = page.u16_at(start);
  run.grpprl = page.slice(start + 2, size - 2);
  return run;
}

}  // namespace quire
