/* vellum.mcc: a MUI area that shows one WMF picture, rendered once when
   the object is made. */
#ifndef MUI_VELLUM_MCC_H
#define MUI_VELLUM_MCC_H

#include <intuition/classusr.h>

#define MUIC_Vellum "vellum.mcc"

/* Attributes of the class: plain numbers below TAG_USER. */
#define MUIA_Vellum_File 0x0000FF1CUL   /* I S G  STRPTR, at most 151 characters */
#define MUIA_Vellum_Target 0x0000FF1DUL /* I      Object*, told the picture's size and pixels */
#define MUIA_Vellum_Width 0x0000FF1EUL  /*     G  ULONG picture width in pixels */
#define MUIA_Vellum_Height 0x0000FF1FUL /*     G  ULONG picture height in pixels */

/* What the partner object is told, in this order, while the object is made:
   two attributes by SetAttrsA, then a method with the pixel pointer. */
#define MUIA_Vellum_TargetWidth 0x0000FEEFUL
#define MUIA_Vellum_TargetHeight 0x0000FEF0UL
#define MUIM_Vellum_TargetPixels 0x0000FEF8UL

struct MUIP_Vellum_TargetPixels {
  STACKED ULONG MethodID;
  STACKED APTR Pixels; /* premultiplied ARGB32, Width x Height, owned by the object */
};

#endif
