#include "piece_table.h"

#include "open_result.h"

namespace quire {
namespace {

constexpr uint8_t CLX_PRC = 0x01;
constexpr uint8_t CLX_PCDT = 0x02;
constexpr uint32_t FC_COMPRESSED_FLAG = 0x40000000u;
constexpr uint32_t FC_MASK = 0x3FFFFFFFu;
constexpr size_t PCD_SIZE = 8;
constexpr size_t MAX_PRC_ENTRIES = 0x10000;

}  // namespace

int parse_piece_table(ByteSpan table, uint32_t fc_clx, uint32_t lcb_clx, ByteSpan word,
                      std::vector<Piece>& out) {
  const ByteSpan clx = table.slice(fc_clx, lcb_clx);
  if (clx.size == 0) return OPEN_DAMAGED;

  // RgPrc: property groups that Prm1 entries of pieces refer to by index.
  std::vector<ByteSpan> prcs;
  size_t offset = 0;
  uint8_t kind = 0;
  while (clx.read_u8(offset, kind) && kind == CLX_PRC) {
    uint16_t count = 0;
    if (!clx.read_u16(offset + 1, count) || count > 0x3FA2 || !clx.contains(offset + 3, count))
      return OPEN_DAMAGED;
    if (prcs.size() >= MAX_PRC_ENTRIES) return OPEN_TOO_LARGE;
    prcs.push_back(clx.slice(offset + 3, count));
    offset += 3u + count;
  }
  uint32_t lcb = 0;
  if (kind != CLX_PCDT || !clx.read_u32(offset + 1, lcb)) return OPEN_DAMAGED;
  const ByteSpan plc = clx.slice(offset + 5, lcb);
  if (plc.size != lcb || lcb < 4 || (lcb - 4) % (4 + PCD_SIZE) != 0) return OPEN_DAMAGED;
  const size_t count = (lcb - 4) / (4 + PCD_SIZE);
  if (count == 0) return OPEN_DAMAGED;
  const size_t pcds_at = 4 * (count + 1);

  out.clear();
  out.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    Piece piece;
    piece.cp_start = plc.u32_at(4 * i);
    piece.cp_end = plc.u32_at(4 * (i + 1));
    if (piece.cp_end <= piece.cp_start) return OPEN_DAMAGED;
    const size_t pcd = pcds_at + PCD_SIZE * i;
    const uint32_t fc_field = plc.u32_at(pcd + 2);
    const uint16_t prm = plc.u16_at(pcd + 6);
    piece.compressed = (fc_field & FC_COMPRESSED_FLAG) != 0;
    piece.fc = fc_field & FC_MASK;
    if (piece.compressed) piece.fc /= 2;
    // Every character of the piece must lie inside the WordDocument stream.
    const uint64_t bytes = uint64_t{piece.cp_end - piece.cp_start} * piece.bytes_per_char();
    if (!word.contains(piece.fc, bytes)) return OPEN_DAMAGED;
    // Prm1 names a property group; the one-sprm Prm0 form is not applied.
    if ((prm & 1) != 0 && (prm >> 1) < prcs.size()) piece.grpprl = prcs[prm >> 1];
    out.push_back(piece);
  }
  return OPEN_OK;
}

}  // namespace quire
