#include "font_table.h"

#include "text_decode.h"

namespace quire {
namespace {

constexpr size_t NAME_OFFSET = 39;  // the FFN's name follows its fixed fields
constexpr uint16_t EXTENDED_MARK = 0xFFFF;

}  // namespace

std::vector<std::string> parse_font_table(ByteSpan sttbf) {
  std::vector<std::string> names;
  uint16_t count = 0;
  size_t offset = 0;
  if (!sttbf.read_u16(offset, count)) return names;
  if (count == EXTENDED_MARK && !sttbf.read_u16(offset += 2, count)) return names;
  offset += 4;  // the count and cbExtra
  for (unsigned i = 0; i < count; ++i) {
    uint8_t size = 0;
    if (!sttbf.read_u8(offset, size)) break;
    const ByteSpan ffn = sttbf.slice(offset + 1, size);
    offset += 1u + size;
    if (ffn.size != size) break;
    std::string name;
    Utf16Decoder decoder;
    for (size_t at = NAME_OFFSET; at + 1 < ffn.size; at += 2) {
      const uint16_t unit = ffn.u16_at(at);
      if (unit == 0) break;
      decoder.push(unit, name);
    }
    decoder.finish(name);
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace quire
