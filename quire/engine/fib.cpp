#include "fib.h"

#include "open_result.h"

namespace quire {
namespace {

constexpr uint16_t kWordIdent = 0xA5EC;
constexpr uint16_t kFirstWord97Nfib = 0x00C1;
constexpr uint16_t kFlagEncrypted = 0x0100;
constexpr uint16_t kFlagWhichTable = 0x0200;

// Indices into FibRgLw97 and FibRgFcLcb97.
constexpr unsigned kLwCcpText = 3;
constexpr unsigned kLwOtherParts[] = {4, 5, 7, 8, 9, 10};  // footnotes .. header text boxes
constexpr unsigned kPairStsh = 1, kPairSed = 6, kPairBteChpx = 12, kPairBtePapx = 13,
                   kPairSttbfFfn = 15, kPairClx = 33;

}  // namespace

int parse_fib(ByteSpan word, Fib& out) {
  uint16_t ident = 0, flags = 0;
  if (!word.read_u16(0x00, ident) || ident != kWordIdent) return kOpenNotWord;
  if (!word.read_u16(0x02, out.nfib) || !word.read_u16(0x0A, flags)) return kOpenNotWord;
  // Word 6 and 95 blocks have no variable part: test the version before reading on.
  if (out.nfib < kFirstWord97Nfib) return kOpenOldWord;
  if (flags & kFlagEncrypted) return kOpenEncrypted;
  word.read_u16(0x06, out.lid);
  out.table_one = (flags & kFlagWhichTable) != 0;

  uint16_t csw = 0, cslw = 0, pair_count = 0;
  if (!word.read_u16(0x20, csw)) return kOpenDamaged;
  const uint64_t cslw_at = 0x22 + 2ull * csw;
  if (!word.read_u16(cslw_at, cslw)) return kOpenDamaged;
  const uint64_t lw_at = cslw_at + 2;
  const uint64_t pair_count_at = lw_at + 4ull * cslw;
  if (!word.read_u16(pair_count_at, pair_count)) return kOpenDamaged;
  const uint64_t pairs_at = pair_count_at + 2;
  if (!word.contains(lw_at, 4ull * cslw) || !word.contains(pairs_at, 8ull * pair_count))
    return kOpenDamaged;

  auto lw = [&](unsigned index) -> uint32_t {
    return index < cslw ? word.u32_at(static_cast<size_t>(lw_at + 4ull * index)) : 0;
  };
  auto pair = [&](unsigned index) -> FcLcb {
    if (index >= pair_count) return {};
    const size_t at = static_cast<size_t>(pairs_at + 8ull * index);
    return {word.u32_at(at), word.u32_at(at + 4)};
  };

  // Character counts are signed in the file; a negative one is damage.
  const uint32_t ccp_text = lw(kLwCcpText);
  if (ccp_text > INT32_MAX) return kOpenDamaged;
  uint64_t other = 0;
  for (unsigned index : kLwOtherParts) {
    const uint32_t count = lw(index);
    if (count > INT32_MAX) return kOpenDamaged;
    other += count;
  }
  if (other > INT32_MAX) return kOpenDamaged;
  out.ccp_text = ccp_text;
  out.ccp_other = static_cast<uint32_t>(other);

  out.stsh = pair(kPairStsh);
  out.plcf_sed = pair(kPairSed);
  out.plcf_bte_chpx = pair(kPairBteChpx);
  out.plcf_bte_papx = pair(kPairBtePapx);
  out.sttbf_ffn = pair(kPairSttbfFfn);
  out.clx = pair(kPairClx);
  // Without a piece table there is no way to find the text.
  if (out.clx.lcb == 0) return kOpenDamaged;
  return kOpenOk;
}

}  // namespace quire
