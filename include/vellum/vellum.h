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
