// Symbol-encoded fonts (Symbol, Wingdings, Zapf Dingbats / Monotype Sorts): Word stores their characters as
// byte codes (often in the U+F020-U+F0FF private range) that mean a glyph of
// that font, not a Unicode character. They are mapped to the Unicode
// character each glyph shows, and drawn in a font that has it.
#pragma once

#include <string>

namespace quire {

enum class SymbolFont { NONE, SYMBOL, WINGDINGS, DINGBATS };

// Which symbol encoding a font name uses.
SymbolFont symbol_font_of(const std::string& name);

// The Unicode character for `ch` in `font`; characters outside the font's
// byte range are returned as they are. Wingdings codes without a known
// Unicode match become a bullet.
char32_t map_symbol_char(SymbolFont font, char32_t ch);

// The family that draws mapped characters of `font`: "Standard Symbols PS"
// (URW's metric match of Adobe Symbol) for Symbol, "D050000L" (URW's Zapf
// Dingbats) for Monotype Sorts and Zapf Dingbats, DejaVu Sans for Wingdings.
const char* symbol_draw_family(SymbolFont font);

}  // namespace quire
