/* cybergraphics: direct-colour pixel formats. */
#ifndef CYBERGRAPHX_CYBERGRAPHICS_H
#define CYBERGRAPHX_CYBERGRAPHICS_H

#include <exec/types.h>

/* Pixel formats of ReadPixelArray and WritePixelArray. */
#define RECTFMT_RGB 0
#define RECTFMT_RGBA 1
#define RECTFMT_ARGB 2
#define RECTFMT_LUT8 3
#define RECTFMT_GREY8 4

#endif
