/* libvellum: WMF pictures rendered into ARGB32 images, for Linux programs.
   Each image is owned by the caller and released with vellum_image_free. */
#ifndef VELLUM_VELLUM_H
#define VELLUM_VELLUM_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define VELLUM_API __attribute__((visibility("default")))

/* The fitting limit the library uses when the caller has no other. */
#define VELLUM_DEFAULT_MAX_SIZE 200u

/* Results of the render calls. */
#define VELLUM_OK 0
#define VELLUM_ERROR_INPUT (-1)   /* file unreadable, or no data */
#define VELLUM_ERROR_FORMAT (-2)  /* not a placeable WMF, or an empty frame */
#define VELLUM_ERROR_MEMORY (-3)  /* no memory for the pixels */

/* One picture: height rows of stride bytes, each pixel a host-order 32-bit
   word with alpha in the top byte and colour premultiplied by alpha;
   pixels that the picture does not paint are 0 (transparent). */
typedef struct vellum_image {
  uint32_t width;
  uint32_t height;
  uint32_t stride; /* bytes per row: width * 4 */
  uint32_t* pixels;
} vellum_image;

/* Results of the render calls that take options (the calls above never
   give it: they keep their old codes). */
#define VELLUM_ERROR_SIZE (-4)    /* the picture would pass 32767 pixels a side */

/* Which player draws. GDI draws real files as Windows does (object table,
   mapping, text, bitmaps, regions), including files without the placeable
   header. EXACT is the exact player of the library module: it plays its own
   23 record types of placeable files and keeps its own fitting. */
#define VELLUM_MODE_GDI 0u
#define VELLUM_MODE_EXACT 1u

/* How to render. Set it up with vellum_options_init, then change fields:
   later versions append fields, and the size tells which ones a caller
   knows (the others keep their defaults). */
typedef struct vellum_options {
  uint32_t size;        /* sizeof(vellum_options), set by vellum_options_init */
  uint32_t mode;        /* VELLUM_MODE_GDI (the default) or VELLUM_MODE_EXACT */
  uint32_t max_width;   /* fit the picture to this width, enlarging or shrinking */
  uint32_t max_height;  /* and/or this height; with both, fit inside the box.
                           Aspect is kept. 0: no bound on that side; both 0:
                           one pixel a logical unit. Default: both 200 */
  uint32_t background;  /* 0xAARRGGBB painted under the picture, not
                           premultiplied; an alpha of 0 (the default) leaves
                           unpainted pixels transparent */
} vellum_options;

/* What a render learnt about the picture; set up with vellum_report_init. */
typedef struct vellum_report {
  uint32_t size;            /* sizeof(vellum_report), set by vellum_report_init */
  uint32_t transparent;     /* 1 when the picture painted no pixel (before the background) */
  uint32_t skipped_total;   /* records the player passed over */
  uint32_t skipped[256];    /* of them, by record type (the function number's low byte) */
} vellum_report;

VELLUM_API void vellum_options_init(vellum_options* options);
VELLUM_API void vellum_report_init(vellum_report* report);

/* Render with options (NULL: the defaults); report may be NULL. On
   VELLUM_OK *image holds the picture; otherwise it is zeroed. */
VELLUM_API int vellum_render_file_with(const char* path, const vellum_options* options, vellum_image* image,
                                       vellum_report* report);
VELLUM_API int vellum_render_memory_with(const void* data, size_t size, const vellum_options* options,
                                         vellum_image* image, vellum_report* report);

/* The largest side vellum_natural_size gives. */
#define VELLUM_NATURAL_MAX_SIZE 4096u

/* The picture's own size in pixels, found without drawing: its frame at 96
   pixels an inch when the placeable header says how many units make an
   inch, else one pixel a logical unit; shrunk, aspect kept, into
   VELLUM_NATURAL_MAX_SIZE a side. Rendering with that size as max_width and
   max_height draws the picture at it (rounding may take a pixel off one
   side). VELLUM_OK, or the error a render of the bytes would report; the
   sizes are 0 on error. */
VELLUM_API int vellum_natural_size(const void* data, size_t size, uint32_t* width, uint32_t* height);

/* The skipped records as one line, most frequent first: "3 SETROP2,
   1 ESCAPE" (empty when none). Writes at most capacity bytes including the
   terminating NUL; returns the length of the whole line. */
VELLUM_API size_t vellum_report_skipped_text(const vellum_report* report, char* text, size_t capacity);

/* The calls below are the first interface, kept as they were: they draw
   with the EXACT player and its fitting, so programs built on them get the
   same pixels as before. New programs use the calls with options above. */

/* Renders the WMF file at path, fitted so that neither edge exceeds
   max_size unless the picture is only too tall (the scale follows the
   width). On VELLUM_OK *image holds the picture; otherwise it is zeroed. */
VELLUM_API int vellum_render_file(const char* path, uint32_t max_size, vellum_image* image);

/* The same for a WMF image in memory, as stored in a file. The bytes are
   copied first, so the caller's buffer stays as it was. */
VELLUM_API int vellum_render_memory(const void* data, size_t size, uint32_t max_size, vellum_image* image);

/* Releases the pixels and zeroes the record; NULL and empty images are fine. */
VELLUM_API void vellum_image_free(vellum_image* image);

/* Writes the image as a PNG file; 0 when written, -1 otherwise. */
VELLUM_API int vellum_image_write_png(const vellum_image* image, const char* path);

/* The version of this library, "major.minor"; the major one names the soname. */
VELLUM_API const char* vellum_version(void);

#ifdef __cplusplus
}
#endif

#endif
