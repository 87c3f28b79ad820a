// Drawing into the area: the inner box is fixed at the picture's size, and
// a whole-object draw blends the rendered pixels into it.
#include <algorithm>

#include <proto/cybergraphics.h>
#include <proto/intuition.h>

#include "vellum_class.h"

namespace vellum_mcc {

namespace {

constexpr ULONG FULL_OPACITY = 0xFFFFFFFF;

// field + extra, kept within what a MUI size can be.
WORD add_size(WORD field, uint32_t extra) {
  int32_t sum = int32_t(field) + int32_t(std::min<uint32_t>(extra, MUI_MAXMAX));
  return WORD(std::min<int32_t>(sum, MUI_MAXMAX));
}

}  // namespace

IPTR vellum_ask_min_max(struct IClass* cl, Object* obj, struct MUIP_AskMinMax* msg) {
  DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  const VellumData* data = static_cast<VellumData*>(INST_DATA(cl, obj));
  if (!data->Picture.Pixels) return 0;  // no picture: no inner space
  struct MUI_MinMax* minMax = msg->MinMaxInfo;
  uint32_t width = data->Picture.Width, height = data->Picture.Height;
  minMax->MinWidth = add_size(minMax->MinWidth, width);
  minMax->DefWidth = add_size(minMax->DefWidth, width);
  minMax->MaxWidth = add_size(minMax->MaxWidth, width);
  minMax->MinHeight = add_size(minMax->MinHeight, height);
  minMax->DefHeight = add_size(minMax->DefHeight, height);
  minMax->MaxHeight = add_size(minMax->MaxHeight, height);
  return 0;
}

IPTR vellum_draw(struct IClass* cl, Object* obj, struct MUIP_Draw* msg) {
  DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  if (!(msg->flags & MADF_DRAWOBJECT)) return 0;
  const VellumData* data = static_cast<VellumData*>(INST_DATA(cl, obj));
  if (!data->Picture.Pixels || !globals.CyberGfxBase || !muiRenderInfo(obj) || !_rp(obj)) return 0;
  // The copy never reaches past the picture, whatever size the box has.
  int32_t width = std::min<int32_t>(_mwidth(obj), int32_t(data->Picture.Width));
  int32_t height = std::min<int32_t>(_mheight(obj), int32_t(std::min<uint32_t>(data->Picture.Height, 0x7FFF)));
  if (width <= 0 || height <= 0) return 0;
  WritePixelArrayAlpha(data->Picture.Pixels, 0, 0, UWORD(data->Picture.Width * 4), _rp(obj),
                       UWORD(_mleft(obj)), UWORD(_mtop(obj)), UWORD(width), UWORD(height), FULL_OPACITY);
  return 0;
}

}  // namespace vellum_mcc
