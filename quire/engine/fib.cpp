#include "fib.h"

#include "open_result.h"

namespace quire {
namespace {

constexpr uint16_t WORD_IDENT = 0xA5EC;
constexpr uint16_t FIRST_WORD97_NFIB = 0x00C1;
constexpr uint16_t FLAG_ENCRYPTED = 0x0100;
constexpr uint16_t FLAG_WHICH_TABLE = 0x0200;

// Indices into FibRgLw97 and FibRgFcLcb97.
constexpr unsigned LW_CCP_TEXT = 3;
constexpr unsigned LW_OTHER_PARTS[] = {4, 5, 7, 8, 9, 10};  // footnotes .. header text boxes
constexpr unsigned PAIR_STSH = 1, PAIR_SED = 6, PAIR_BTE_CHPX = 12, PAIR_BTE_PAPX = 13,
                   PAIR_STTBF_FFN = 15, PAIR_CLX = 33;
constexpr unsigned PAIR_FND_REF = 2, PAIR_FND_TXT = 3, PAIR_HDD = 11, PAIR_DOP = 31, PAIR_SPA_MOM = 40,
                   PAIR_SPA_HDR = 41, PAIR_END_REF = 46, PAIR_END_TXT = 47, PAIR_DGG_INFO = 50, PAIR_TXBX_TXT = 56,
                   PAIR_HDR_TXBX_TXT = 58, PAIR_PLF_LST = 73,
                   PAIR_PLF_LFO = 74;

}  // namespace

int parse_fib(ByteSpan word, Fib& out) {
  uint16_t ident = 0, flags = 0;
  if (!word.read_u16(0x00, ident) || ident != WORD_IDENT) return OPEN_NOT_WORD;
  if (!word.read_u16(0x02, out.nfib) || !word.read_u16(0x0A, flags)) return OPEN_NOT_WORD;
  // Word 6 and 95 blocks have no variable part: test the version before reading on.
  if (out.nfib < FIRST_WORD97_NFIB) return OPEN_OLD_WORD;
  if (flags & FLAG_ENCRYPTED) return OPEN_ENCRYPTED;
  word.read_u16(0x06, out.lid);
  out.table_one = (flags & FLAG_WHICH_TABLE) != 0;

  uint16_t csw = 0, cslw = 0, pair_count = 0;
  if (!word.read_u16(0x20, csw)) return OPEN_DAMAGED;
  const uint64_t cslw_at = 0x22 + 2ull * csw;
  if (!word.read_u16(cslw_at, cslw)) return OPEN_DAMAGED;
  const uint64_t lw_at = cslw_at + 2;
  const uint64_t pair_count_at = lw_at + 4ull * cslw;
  if (!word.read_u16(pair_count_at, pair_count)) return OPEN_DAMAGED;
  const uint64_t pairs_at = pair_count_at + 2;
  if (!word.contains(lw_at, 4ull * cslw) || !word.contains(pairs_at, 8ull * pair_count))
    return OPEN_DAMAGED;

  auto lw = [&](unsigned index) -> uint32_t {
    return index < cslw ? word.u32_at(static_cast<size_t>(lw_at + 4ull * index)) : 0;
  };
  auto pair = [&](unsigned index) -> FcLcb {
    if (index >= pair_count) return {};
    const size_t at = static_cast<size_t>(pairs_at + 8ull * index);
    return {word.u32_at(at), word.u32_at(at + 4)};
  };

  // Character counts are signed in the file; a negative one is damage.
  const uint32_t ccp_text = lw(LW_CCP_TEXT);
  if (ccp_text > INT32_MAX) return OPEN_DAMAGED;
  uint64_t other = 0;
  for (unsigned index : LW_OTHER_PARTS) {
    const uint32_t count = lw(index);
    if (count > INT32_MAX) return OPEN_DAMAGED;
    other += count;
  }
  if (other > INT32_MAX) return OPEN_DAMAGED;
  out.ccp_text = ccp_text;
  out.ccp_other = static_cast<uint32_t>(other);

  out.stsh = pair(PAIR_STSH);
  out.plcf_sed = pair(PAIR_SED);
  out.plcf_bte_chpx = pair(PAIR_BTE_CHPX);
  out.plcf_bte_papx = pair(PAIR_BTE_PAPX);
  out.sttbf_ffn = pair(PAIR_STTBF_FFN);
  out.clx = pair(PAIR_CLX);
  out.fnd_ref = pair(PAIR_FND_REF);
  out.fnd_txt = pair(PAIR_FND_TXT);
  out.plcf_hdd = pair(PAIR_HDD);
  out.dop = pair(PAIR_DOP);
  out.spa_mom = pair(PAIR_SPA_MOM);
  out.spa_hdr = pair(PAIR_SPA_HDR);
  out.end_ref = pair(PAIR_END_REF);
  out.end_txt = pair(PAIR_END_TXT);
  out.dgg_info = pair(PAIR_DGG_INFO);
  out.plf_lst = pair(PAIR_PLF_LST);
  out.txbx_txt = pair(PAIR_TXBX_TXT);
  out.hdr_txbx_txt = pair(PAIR_HDR_TXBX_TXT);
  out.plf_lfo = pair(PAIR_PLF_LFO);
  out.ccp_ftn = lw(4);
  out.ccp_hdd = lw(5);
  out.ccp_atn = lw(7);
  out.ccp_edn = lw(8);
  out.ccp_txbx = lw(9);
  out.ccp_hdr_txbx = lw(10);
  // Without a piece table there is no way to find the text.
  if (out.clx.lcb == 0) return OPEN_DAMAGED;
  return OPEN_OK;
}

}  // namespace quire
