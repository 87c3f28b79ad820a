#include "piece_table.h"

#include "open_result.h"

namespace quire {
namespace {

constexpr uint8_t kClxPrc = 0x01;
constexpr uint8_t kClxPcdt = 0x02;
constexpr uint32_t kFcCompressedFlag = 0x40000000u;
constexpr uint32_t kFcMask = 0x3FFFFFFFu;
constexpr size_t kPcdSize = 8;
constexpr size_t kMaxPrcEntries = 0x10000;

}  // namespace

int parse_piece_table(ByteSpan table, uint32_t fc_clx, uint32_t lcb_clx, ByteSpan word,
                      std::vector<Piece>& out) {
  const ByteSpan clx = table.slice(fc_clx, lcb_clx);
  if (clx.size == 0) return kOpenDamaged;

  // RgPrc: property groups that Prm1 entries of pieces refer to by index.
  std::vector<ByteSpan> prcs;
  size_t offset = 0;
  uint8_t kind = 0;
  while (clx.read_u8(offset, kind) && kind == kClxPrc) {
    uint16_t count = 0;
    if (!clx.read_u16(offset + 1, count) || count > 0x3FA2 || !clx.contains(offset + 3, count))
      return kOpenDamaged;
    if (prcs.size() >= kMaxPrcEntries) return kOpenTooLarge;
    prcs.push_back(clx.slice(offset + 3, count));
    offset += 3u + count;
  }
  uint32_t lcb = 0;
  if (kind != kClxPcdt || !clx.read_u32(offset + 1, lcb)) return kOpenDamaged;
  const ByteSpan plc = clx.slice(offset + 5, lcb);
  if (plc.size != lcb || lcb < 4 || (lcb - 4) % (4 + kPcdSize) != 0) return kOpenDamaged;
  const size_t count = (lcb - 4) / (4 + kPcdSize);
  if (count == 0) return kOpenDamaged;
  const size_t pcds_at = 4 * (count + 1);

  out.clear();
  out.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    Piece piece;
    piece.cp_start = plc.u32_at(4 * i);
    piece.cp_end = plc.u32_at(4 * (i + 1));
    if (piece.cp_end <= piece.cp_start) return kOpenDamaged;
    const size_t pcd = pcds_at + kPcdSize * i;
    const uint32_t fc_field = plc.u32_at(pcd + 2);
    const uint16_t prm = plc.u16_at(pcd + 6);
    piece.compressed = (fc_field & kFcCompressedFlag) != 0;
    piece.fc = fc_field & kFcMask;
    if (piece.compressed) piece.fc /= 2;
    // Every character of the piece must lie inside the WordDocument stream.
    const uint64_t bytes = uint64_t{piece.cp_end - piece.cp_start} * piece.bytes_per_char();
    if (!word.contains(piece.fc, bytes)) return kOpenDamaged;
    // Prm1 names a property group; the one-sprm Prm0 form is not applied.
    if ((prm & 1) != 0 && (prm >> 1) < prcs.size()) piece.grpprl = prcs[prm >> 1];
    out.push_back(piece);
  }
  return kOpenOk;
}

}  // namespace quire
