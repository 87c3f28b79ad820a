// The style sheet (STSH): paragraph and character styles with their base
// styles, resolved into the properties a paragraph or run starts from.
#pragma once

#include <cstdint>
#include <vector>

#include "byte_span.h"
#include "properties.h"

namespace quire {

class StyleSheet {
 public:
  // Reads the style sheet; a missing or damaged one leaves only defaults.
  void parse(ByteSpan stsh);

  // Properties of paragraph style `istd` after its whole base chain;
  // unknown styles give the defaults.
  const ParaProps& paragraph(uint16_t istd) const;
  const CharProps& paragraph_chars(uint16_t istd) const;

  // Applies character style `istd` (and its bases) on top of `props`.
  void apply_char_style(CharProps& props, uint16_t istd) const;

  const CharProps& defaults() const { return defaults_; }

 private:
  struct Style {
    uint16_t base = 0xFFF;
    uint8_t kind = 0;  // 1 paragraph, 2 character
    ByteSpan papx, chpx;
  };
  struct Resolved {
    ParaProps para;
    CharProps chars;
  };
  void resolve(size_t istd, int depth);
  void apply_char_chain(CharProps& props, uint16_t istd, int depth) const;

  std::vector<Style> styles_;
  std::vector<Resolved> resolved_;
  std::vector<uint8_t> state_;  // 0 unresolved, 1 resolving, 2 resolved
  CharProps defaults_;
  ParaProps para_defaults_;
};

}  // namespace quire
