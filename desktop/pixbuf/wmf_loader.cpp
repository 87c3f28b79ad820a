// The gdk-pixbuf loader: every program that reads images through GdkPixbuf
// (GTK image viewers, file choosers, thumbnailers) opens WMF pictures with
// libvellum's GDI player. The bytes are gathered as they come and drawn once
// the stream ends, at the size the program asks for once it has heard the
// picture's natural size: a vector picture is drawn at that size, never
// scaled afterwards.
#define GDK_PIXBUF_ENABLE_BACKEND
#include <gdk-pixbuf/gdk-pixbuf-io.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <vellum/vellum.h>

#include <algorithm>

namespace {

struct Load {
  GdkPixbufModuleSizeFunc size_func;
  GdkPixbufModulePreparedFunc prepared_func;
  GdkPixbufModuleUpdatedFunc updated_func;
  gpointer user_data;
  GByteArray* bytes;
};

// libvellum's premultiplied host-order ARGB words into the pixbuf's
// straight-alpha R, G, B, A bytes.
void copy_pixels(const vellum_image& image, GdkPixbuf* pixbuf) {
  guchar* row = gdk_pixbuf_get_pixels(pixbuf);
  const size_t stride = size_t(gdk_pixbuf_get_rowstride(pixbuf));
  for (uint32_t y = 0; y < image.height; ++y, row += stride) {
    const uint32_t* source = image.pixels + size_t(y) * image.width;
    for (uint32_t x = 0; x < image.width; ++x) {
      const uint32_t argb = source[x], alpha = argb >> 24;
      guchar* out = row + 4 * size_t(x);
      for (int channel = 0; channel < 3; ++channel) {
        const uint32_t premultiplied = (argb >> (16 - 8 * channel)) & 0xFF;
        out[channel] = alpha ? guchar(std::min(255u, (premultiplied * 255 + alpha / 2) / alpha)) : 0;
      }
      out[3] = guchar(alpha);
    }
  }
}

void fail(GError** error, GdkPixbufError code, const char* reason) {
  g_set_error_literal(error, GDK_PIXBUF_ERROR, code, reason);
}

// Says why libvellum refused the picture, in the terms GdkPixbuf callers know.
void fail_with(GError** error, int result) {
  switch (result) {
    case VELLUM_ERROR_MEMORY:
      fail(error, GDK_PIXBUF_ERROR_INSUFFICIENT_MEMORY, "Not enough memory to draw the WMF picture");
      break;
    case VELLUM_ERROR_SIZE:
      fail(error, GDK_PIXBUF_ERROR_CORRUPT_IMAGE, "The WMF picture would pass 32767 pixels a side");
      break;
    case VELLUM_ERROR_INPUT:
      fail(error, GDK_PIXBUF_ERROR_CORRUPT_IMAGE, "The WMF file is empty");
      break;
    default:
      fail(error, GDK_PIXBUF_ERROR_CORRUPT_IMAGE, "Not a WMF picture, or its frame is empty");
      break;
  }
}

gpointer begin_load(GdkPixbufModuleSizeFunc size_func, GdkPixbufModulePreparedFunc prepared_func,
                    GdkPixbufModuleUpdatedFunc updated_func, gpointer user_data, GError** /*error*/) {
  Load* load = g_new0(Load, 1);
  *load = {size_func, prepared_func, updated_func, user_data, g_byte_array_new()};
  return load;
}

gboolean load_increment(gpointer context, const guchar* data, guint size, GError** /*error*/) {
  auto* load = static_cast<Load*>(context);
  g_byte_array_append(load->bytes, data, size);
  return TRUE;
}

// Asks the program for its size, draws the picture at it and hands the
// pixbuf over.
gboolean deliver(Load* load, GError** error) {
  uint32_t natural_width = 0, natural_height = 0;
  int result = vellum_natural_size(load->bytes->data, load->bytes->len, &natural_width, &natural_height);
  if (result != VELLUM_OK) {
    fail_with(error, result);
    return FALSE;
  }
  gint width = gint(natural_width), height = gint(natural_height);
  if (load->size_func) load->size_func(&width, &height, load->user_data);
  // A size of 0 means the program only wanted to know the size.
  if (width <= 0 || height <= 0) {
    fail(error, GDK_PIXBUF_ERROR_FAILED, "No pixels were asked for");
    return FALSE;
  }

  vellum_options options;
  vellum_options_init(&options);
  options.max_width = uint32_t(width);
  options.max_height = uint32_t(height);
  vellum_image image;
  result = vellum_render_memory_with(load->bytes->data, load->bytes->len, &options, &image, nullptr);
  if (result != VELLUM_OK) {
    fail_with(error, result);
    return FALSE;
  }

  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, int(image.width), int(image.height));
  if (!pixbuf) {
    vellum_image_free(&image);
    fail_with(error, VELLUM_ERROR_MEMORY);
    return FALSE;
  }
  copy_pixels(image, pixbuf);
  vellum_image_free(&image);
  if (load->prepared_func) load->prepared_func(pixbuf, nullptr, load->user_data);
  if (load->updated_func)
    load->updated_func(pixbuf, 0, 0, gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf), load->user_data);
  g_object_unref(pixbuf);
  return TRUE;
}

gboolean stop_load(gpointer context, GError** error) {
  auto* load = static_cast<Load*>(context);
  const gboolean delivered = deliver(load, error);
  g_byte_array_unref(load->bytes);
  g_free(load);
  return delivered;
}

}  // namespace

extern "C" G_MODULE_EXPORT void fill_vtable(GdkPixbufModule* module) {
  module->begin_load = begin_load;
  module->load_increment = load_increment;
  module->stop_load = stop_load;
}

extern "C" G_MODULE_EXPORT void fill_info(GdkPixbufFormat* info) {
  // The placeable header's key, and the metafile header of files without
  // one (type 1 or 2, nine words, version 3.0); an x byte stands for a zero
  // the mask asks for.
  static GdkPixbufModulePattern signature[] = {
      {const_cast<char*>("\xd7\xcd\xc6\x9a"), nullptr, 100},
      {const_cast<char*>("\x01x\x09xx\x03"), const_cast<char*>(" z zz "), 80},
      {const_cast<char*>("\x02x\x09xx\x03"), const_cast<char*>(" z zz "), 80},
      {nullptr, nullptr, 0}};
  static const char* mime_types[] = {"image/wmf", "image/x-wmf", "application/x-msmetafile", nullptr};
  static const char* extensions[] = {"wmf", nullptr};
  info->name = const_cast<char*>("wmf");
  info->signature = signature;
  info->description = const_cast<char*>("Windows Metafile");
  info->mime_types = const_cast<char**>(mime_types);
  info->extensions = const_cast<char**>(extensions);
  info->flags = GDK_PIXBUF_FORMAT_SCALABLE | GDK_PIXBUF_FORMAT_THREADSAFE;
  info->license = const_cast<char*>("Other");
}
