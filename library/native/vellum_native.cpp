// libvellum: the engine's playback driver behind a plain C interface. It
// calls the engine directly, without the library module or the host.
#include <vellum/vellum.h>

#include <cairo.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include <render/playback.h>

namespace {

// Turns a playback's outcome and target into the caller's image.
int finish(int played, vellum::RenderTarget& target, vellum_image* image) {
  if (played != 0) {
    std::free(target.Pixels);
    return VELLUM_ERROR_INPUT;
  }
  if (!target.Pixels) return target.Width && target.Height ? VELLUM_ERROR_MEMORY : VELLUM_ERROR_FORMAT;
  if (target.Width == 0 || target.Height == 0) {
    std::free(target.Pixels);
    return VELLUM_ERROR_FORMAT;
  }
  image->width = target.Width;
  image->height = target.Height;
  image->stride = target.Width * 4;
  image->pixels = static_cast<uint32_t*>(target.Pixels);
  return VELLUM_OK;
}

}  // namespace

extern "C" int vellum_render_file(const char* path, uint32_t max_size, vellum_image* image) {
  if (!image) return VELLUM_ERROR_INPUT;
  *image = vellum_image{};
  if (!path) return VELLUM_ERROR_INPUT;
  vellum::RenderTarget target{nullptr, 0, 0};
  return finish(vellum::play_file(path, &target, max_size), target, image);
}

extern "C" int vellum_render_memory(const void* data, size_t size, uint32_t max_size, vellum_image* image) {
  if (!image) return VELLUM_ERROR_INPUT;
  *image = vellum_image{};
  if (!data || size == 0 || size > size_t(INT32_MAX)) return VELLUM_ERROR_INPUT;
  // The driver converts its input in place; it gets a copy.
  auto* copy = static_cast<uint8_t*>(std::malloc(size));
  if (!copy) return VELLUM_ERROR_MEMORY;
  std::memcpy(copy, data, size);
  vellum::MemoryMetafile metafile{copy, int32_t(size)};
  vellum::RenderTarget target{nullptr, 0, 0};
  int played = vellum::play_memory(&metafile, &target, max_size);
  std::free(copy);
  return finish(played, target, image);
}

extern "C" void vellum_image_free(vellum_image* image) {
  if (!image) return;
  std::free(image->pixels);
  *image = vellum_image{};
}

extern "C" int vellum_image_write_png(const vellum_image* image, const char* path) {
  if (!image || !image->pixels || !path || image->width == 0 || image->height == 0 ||
      image->width > INT_MAX / 4 || image->height > INT_MAX)
    return -1;
  int stride = int(image->stride);
  if (stride != cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, int(image->width))) return -1;
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(image->pixels), CAIRO_FORMAT_ARGB32, int(image->width), int(image->height),
      stride);
  cairo_status_t status = cairo_surface_status(surface);
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_write_to_png(surface, path);
  cairo_surface_destroy(surface);
  return status == CAIRO_STATUS_SUCCESS ? 0 : -1;
}

extern "C" const char* vellum_version(void) { return VELLUM_VERSION; }
