#include "style_sheet.h"

namespace quire {
namespace {

constexpr uint16_t NO_STYLE = 0xFFF;
constexpr size_t MAX_STYLES = 4096;
constexpr int MAX_CHAIN_DEPTH = 16;
constexpr uint8_t PARAGRAPH_STYLE = 1, CHARACTER_STYLE = 2;

// Reads the property groups (UPXs) that follow a style's name.
void read_upxs(ByteSpan std_bytes, size_t offset, unsigned count, ByteSpan* upx, unsigned max) {
  for (unsigned i = 0; i < count && i < max; ++i) {
    uint16_t size = 0;
    if (!std_bytes.read_u16(offset, size) || !std_bytes.contains(offset + 2, size)) return;
    upx[i] = std_bytes.slice(offset + 2, size);
    offset += 2u + size + (size & 1u);
  }
}

}  // namespace

void StyleSheet::parse(ByteSpan stsh) {
  styles_.clear();
  uint16_t header_size = 0, count = 0, base_size = 0, default_font = 0;
  if (!stsh.read_u16(0, header_size) || !stsh.read_u16(2, count) || !stsh.read_u16(4, base_size))
    return;
  if (header_size >= 14 && stsh.read_u16(14, default_font)) defaults_.font = default_font;
  if (count > MAX_STYLES || base_size < 10) count = 0;

  styles_.resize(count);
  size_t offset = 2u + header_size;
  for (size_t istd = 0; istd < count; ++istd) {
    uint16_t size = 0;
    if (!stsh.read_u16(offset, size)) break;
    const ByteSpan bytes = stsh.slice(offset + 2, size);
    offset += 2u + size;
    if (size == 0 || bytes.size != size || !bytes.contains(0, base_size)) continue;
    Style& style = styles_[istd];
    style.kind = bytes.data[2] & 0x0F;
    style.base = bytes.u16_at(2) >> 4;
    const unsigned upx_count = bytes.data[4] & 0x0F;
    uint16_t name_length = 0;
    if (!bytes.read_u16(base_size, name_length)) continue;
    ByteSpan upx[2];
    read_upxs(bytes, base_size + 2u + 2u * name_length + 2u, upx_count, upx, 2);
    if (style.kind == PARAGRAPH_STYLE) {
      style.papx = upx[0].size >= 2 ? upx[0].slice(2, upx[0].size - 2) : ByteSpan{};
      style.chpx = upx[1];
    } else if (style.kind == CHARACTER_STYLE) {
      style.chpx = upx[0];
    }
  }
  resolved_.assign(count, {para_defaults_, defaults_});
  state_.assign(count, 0);
  for (size_t istd = 0; istd < count; ++istd) resolve(istd, 0);
}

void StyleSheet::resolve(size_t istd, int depth) {
  if (state_[istd] != 0) return;  // resolved, or a cycle: keep what is there
  state_[istd] = 1;
  const Style& style = styles_[istd];
  Resolved result{para_defaults_, defaults_};
  if (style.base != NO_STYLE && style.base < styles_.size() && depth < MAX_CHAIN_DEPTH &&
      styles_[style.base].kind == style.kind) {
    resolve(style.base, depth + 1);
    result = resolved_[style.base];
  }
  if (style.kind == PARAGRAPH_STYLE) {
    apply_para_grpprl(result.para, style.papx);
    const CharProps base = result.chars;
    apply_char_grpprl(result.chars, base, style.chpx);
  }
  result.para.style = static_cast<uint16_t>(istd);
  result.para.cell_edges.clear();
  resolved_[istd] = result;
  state_[istd] = 2;
}

const ParaProps& StyleSheet::paragraph(uint16_t istd) const {
  return istd < resolved_.size() ? resolved_[istd].para : para_defaults_;
}

const CharProps& StyleSheet::paragraph_chars(uint16_t istd) const {
  return istd < resolved_.size() ? resolved_[istd].chars : defaults_;
}

void StyleSheet::apply_char_style(CharProps& props, uint16_t istd) const {
  apply_char_chain(props, istd, 0);
}

void StyleSheet::apply_char_chain(CharProps& props, uint16_t istd, int depth) const {
  if (istd >= styles_.size() || depth >= MAX_CHAIN_DEPTH) return;
  const Style& style = styles_[istd];
  if (style.kind != CHARACTER_STYLE) return;
  if (style.base != NO_STYLE) apply_char_chain(props, style.base, depth + 1);
  const CharProps base = props;
  apply_char_grpprl(props, base, style.chpx);
}

}  // namespace quire
