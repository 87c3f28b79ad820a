// Names of the record types by the value of the type byte: U_WMR_ and the
// record name, or U_WMR_ and two hex digits for values without a name.
#pragma once

#include <cstdint>

namespace vellum {

const char* record_type_name(uint8_t type);

// Record type values the system plays or names in code.
enum RecordType : uint8_t {
  U_WMR_EOF = 0x00, U_WMR_SETBKCOLOR = 0x01, U_WMR_SETMAPMODE = 0x03,
  U_WMR_SETPOLYFILLMODE = 0x06, U_WMR_SETTEXTCOLOR = 0x09, U_WMR_SETWINDOWEXT = 0x0C,
  U_WMR_LINETO = 0x13, U_WMR_MOVETO = 0x14, U_WMR_INTERSECTCLIPRECT = 0x16,
  U_WMR_ELLIPSE = 0x18, U_WMR_RECTANGLE = 0x1B, U_WMR_ROUNDRECT = 0x1C,
  U_WMR_PATBLT = 0x1D, U_WMR_TEXTOUT = 0x21, U_WMR_BITBLT = 0x22,
  U_WMR_STRETCHBLT = 0x23, U_WMR_POLYGON = 0x24, U_WMR_POLYLINE = 0x25,
  U_WMR_ESCAPE = 0x26, U_WMR_SETTEXTALIGN = 0x2E, U_WMR_POLYPOLYGON = 0x38,
  U_WMR_CREATEPENINDIRECT = 0xFA, U_WMR_CREATEFONTINDIRECT = 0xFB,
  U_WMR_CREATEBRUSHINDIRECT = 0xFC,
};

}  // namespace vellum
