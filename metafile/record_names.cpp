#include "metafile/record_names.h"

#include <array>
#include <string_view>
#include <utility>

namespace vellum {
namespace {

constexpr size_t NAME_CAPACITY = 32;  // "U_WMR_DIBCREATEPATTERNBRUSH" and its NUL fit
using Name = std::array<char, NAME_CAPACITY>;

constexpr std::pair<uint8_t, std::string_view> NAMED[] = {
    {0x00, "EOF"}, {0x01, "SETBKCOLOR"}, {0x02, "SETBKMODE"}, {0x03, "SETMAPMODE"},
    {0x04, "SETROP2"}, {0x05, "SETRELABS"}, {0x06, "SETPOLYFILLMODE"},
    {0x07, "SETSTRETCHBLTMODE"}, {0x08, "SETTEXTCHAREXTRA"}, {0x09, "SETTEXTCOLOR"},
    {0x0A, "SETTEXTJUSTIFICATION"}, {0x0B, "SETWINDOWORG"}, {0x0C, "SETWINDOWEXT"},
    {0x0D, "SETVIEWPORTORG"}, {0x0E, "SETVIEWPORTEXT"}, {0x0F, "OFFSETWINDOWORG"},
    {0x10, "SCALEWINDOWEXT"}, {0x11, "OFFSETVIEWPORTORG"}, {0x12, "SCALEVIEWPORTEXT"},
    {0x13, "LINETO"}, {0x14, "MOVETO"}, {0x15, "EXCLUDECLIPRECT"},
    {0x16, "INTERSECTCLIPRECT"}, {0x17, "ARC"}, {0x18, "ELLIPSE"}, {0x19, "FLOODFILL"},
    {0x1A, "PIE"}, {0x1B, "RECTANGLE"}, {0x1C, "ROUNDRECT"}, {0x1D, "PATBLT"},
    {0x1E, "SAVEDC"}, {0x1F, "SETPIXEL"}, {0x20, "OFFSETCLIPRGN"}, {0x21, "TEXTOUT"},
    {0x22, "BITBLT"}, {0x23, "STRETCHBLT"}, {0x24, "POLYGON"}, {0x25, "POLYLINE"},
    {0x26, "ESCAPE"}, {0x27, "RESTOREDC"}, {0x28, "FILLREGION"}, {0x29, "FRAMEREGION"},
    {0x2A, "INVERTREGION"}, {0x2B, "PAINTREGION"}, {0x2C, "SELECTCLIPREGION"},
    {0x2D, "SELECTOBJECT"}, {0x2E, "SETTEXTALIGN"}, {0x2F, "DRAWTEXT"}, {0x30, "CHORD"},
    {0x31, "SETMAPPERFLAGS"}, {0x32, "EXTTEXTOUT"}, {0x33, "SETDIBTODEV"},
    {0x34, "SELECTPALETTE"}, {0x35, "REALIZEPALETTE"}, {0x36, "ANIMATEPALETTE"},
    {0x37, "SETPALENTRIES"}, {0x38, "POLYPOLYGON"}, {0x39, "RESIZEPALETTE"},
    {0x40, "DIBBITBLT"}, {0x41, "DIBSTRETCHBLT"}, {0x42, "DIBCREATEPATTERNBRUSH"},
    {0x43, "STRETCHDIB"}, {0x48, "EXTFLOODFILL"}, {0xF0, "DELETEOBJECT"},
    {0xF7, "CREATEPALETTE"}, {0xF8, "CREATEBRUSH"}, {0xF9, "CREATEPATTERNBRUSH"},
    {0xFA, "CREATEPENINDIRECT"}, {0xFB, "CREATEFONTINDIRECT"}, {0xFC, "CREATEBRUSHINDIRECT"},
    {0xFD, "CREATEBITMAPINDIRECT"}, {0xFE, "CREATEBITMAP"}, {0xFF, "CREATEREGION"},
};

constexpr Name make_name(std::string_view suffix) {
  Name name{};
  constexpr std::string_view prefix = "U_WMR_";
  size_t n = 0;
  for (char c : prefix) name[n++] = c;
  for (char c : suffix) name[n++] = c;
  return name;
}

// Every value gets a name: the record's, or its two hexadecimal digits.
constexpr std::array<Name, 256> make_names() {
  std::array<Name, 256> names{};
  constexpr char hex[] = "0123456789ABCDEF";
  for (size_t type = 0; type < 256; ++type) {
    const char digits[2] = {hex[type >> 4], hex[type & 15]};
    names[type] = make_name(std::string_view(digits, 2));
  }
  for (const auto& [type, suffix] : NAMED) names[type] = make_name(suffix);
  return names;
}

constexpr std::array<Name, 256> NAMES = make_names();

}  // namespace

const char* record_type_name(uint8_t type) { return NAMES[type].data(); }

}  // namespace vellum
