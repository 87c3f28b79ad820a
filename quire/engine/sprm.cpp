#include "sprm.h"

namespace quire {
namespace {

constexpr uint16_t SPRM_T_DEF_TABLE = 0xD608;
constexpr uint16_t SPRM_T_DEF_TABLE10 = 0xD606;
constexpr uint16_t SPRM_P_CHG_TABS = 0xC615;

}  // namespace

bool sprm_operand_extent(ByteSpan grpprl, uint16_t sprm, size_t offset, size_t& header, size_t& size) {
  header = 0;
  switch (sprm >> 13) {  // spra: the operand's size class
    case 0: case 1: size = 1; break;
    case 2: case 4: case 5: size = 2; break;
    case 3: size = 4; break;
    case 7: size = 3; break;
    default: {
      if (sprm == SPRM_T_DEF_TABLE || sprm == SPRM_T_DEF_TABLE10) {
        // A 16-bit size that counts itself minus one byte.
        uint16_t count = 0;
        if (!grpprl.read_u16(offset, count) || count == 0) return false;
        header = 2;
        size = count - 1u;
        break;
      }
      uint8_t count = 0;
      if (!grpprl.read_u8(offset, count)) return false;
      // A tab change with size 255 computes its size from its contents; no
      // property the reader uses follows it reliably, so the walk ends there.
      if (sprm == SPRM_P_CHG_TABS && count == 255) return false;
      header = 1;
      size = count;
      break;
    }
  }
  return grpprl.contains(offset, static_cast<uint64_t>(header) + size);
}

}  // namespace quire
