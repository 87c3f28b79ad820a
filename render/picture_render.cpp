#include "render/picture_render.h"

#include <cairo.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "common/byte_reader.h"
#include "metafile/stream_layout.h"
#include "render/fitting.h"
#include "render/gdi/gdi_player.h"
#include "render/playback.h"

namespace vellum {
namespace {

// The exact player's frame: the placeable header's box, sides taken as
// unsigned 32-bit values as that player takes them.
bool placeable_sides(const uint8_t* data, size_t size, uint32_t* w0, uint32_t* h0, uint32_t* inch) {
  ByteReader header(data, size, ByteOrder::little);
  const uint32_t key = header.u32();
  header.skip(2);  // handle
  const int16_t left = header.i16(), top = header.i16(), right = header.i16(), bottom = header.i16();
  *inch = header.u16();
  if (header.failed() || key != PLACEABLE_KEY) return false;
  *w0 = uint32_t(int32_t{right} - left);
  *h0 = uint32_t(int32_t{bottom} - top);
  return true;
}

PictureStatus status_of(FitStatus fit) {
  switch (fit) {
    case FitStatus::ok: return PictureStatus::ok;
    case FitStatus::empty_frame: return PictureStatus::not_a_picture;
    case FitStatus::no_units_per_inch: return PictureStatus::no_units_per_inch;
    case FitStatus::too_large: return PictureStatus::too_large;
  }
  return PictureStatus::not_a_picture;
}

PictureStatus plan_exact(const SizeRequest& request, PicturePlan* plan) {
  uint32_t w0 = 0, h0 = 0, inch = 0;
  if (!placeable_sides(plan->data, plan->size, &w0, &h0, &inch)) return PictureStatus::not_a_picture;
  uint32_t limit = request.shrink_to ? request.shrink_to : DEFAULT_FIT_LIMIT;
  if (!request.only_shrink()) {
    PixelFit wanted{};
    const PictureStatus status = status_of(fit_picture(w0, h0, inch, request, &wanted));
    if (status != PictureStatus::ok) return status;
    // The player scales by limit / width once either side passes the limit,
    // and draws one pixel a unit below it.
    limit = wanted.width < w0 ? wanted.width : std::max(w0, h0);
  }
  const FittedSize fitted = fit_to_limit(w0, h0, limit);
  plan->fit = {fitted.width, fitted.height, fitted.scale};
  if (pixel_buffer_bytes(fitted.width, fitted.height) == 0)
    return fitted.width && fitted.height ? PictureStatus::too_large : PictureStatus::not_a_picture;
  plan->exact_limit = limit;
  return PictureStatus::ok;
}

void set_colour(cairo_t* cr, uint32_t argb) {
  cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                        (argb >> 24) / 255.0);
}

bool any_ink(const uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (pixels[i] >> 24) return true;
  return false;
}

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

// The exact player converts its input in place, so it plays a copy.
PictureStatus play_exact(const PicturePlan& plan, uint32_t** pixels, DrawReport* report) {
  auto* copy = static_cast<uint8_t*>(std::malloc(plan.size));
  if (!copy) return PictureStatus::no_memory;
  std::memcpy(copy, plan.data, plan.size);
  MemoryMetafile metafile{copy, int32_t(plan.size)};
  RenderTarget target{nullptr, 0, 0};
  draw::Deadline deadline(plan.time_budget_ms);
  PlayWatch watch;
  watch.skipped = &report->skipped;
  watch.deadline = &deadline;
  const int played = play_memory_watched(&metafile, &target, plan.exact_limit, &watch);
  std::free(copy);
  *pixels = static_cast<uint32_t*>(target.Pixels);
  if (played != 0 || !target.Pixels) return PictureStatus::no_memory;
  report->truncated = watch.truncated;
  return watch.cairo_failed ? PictureStatus::drawing_failed : PictureStatus::ok;
}

// What a context's state says about the drawing made on it.
PictureStatus status_of(cairo_t* cr) {
  switch (cairo_status(cr)) {
    case CAIRO_STATUS_SUCCESS: return PictureStatus::ok;
    case CAIRO_STATUS_NO_MEMORY: return PictureStatus::no_memory;
    default: return PictureStatus::drawing_failed;
  }
}

// Plays with the GDI player onto cr, under a time budget of its own.
void play_gdi_onto(const PicturePlan& plan, cairo_t* cr, SkipTally* skipped, DrawReport* report) {
  draw::Deadline deadline(plan.time_budget_ms);
  gdi::PlayOptions options = plan.gdi_play;
  options.deadline = &deadline;
  if (gdi::play(plan.data, plan.size, cr, plan.fit.width, plan.fit.height, skipped, options) == 1)
    report->truncated = true;
}

PictureStatus play_gdi(const PicturePlan& plan, uint32_t** pixels, DrawReport* report) {
  const size_t bytes = pixel_buffer_bytes(plan.fit.width, plan.fit.height);
  *pixels = static_cast<uint32_t*>(std::calloc(bytes, 1));
  if (!*pixels) return PictureStatus::no_memory;
  Surface surface(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(*pixels),
                                                      CAIRO_FORMAT_ARGB32, int(plan.fit.width),
                                                      int(plan.fit.height), int(plan.fit.width * 4)),
                  cairo_surface_destroy);
  Context cr(cairo_create(surface.get()), cairo_destroy);
  play_gdi_onto(plan, cr.get(), &report->skipped, report);
  return status_of(cr.get());
}

}  // namespace

PictureStatus plan_picture(const uint8_t* data, size_t size, Player player, const SizeRequest& request,
                           PicturePlan* plan) {
  *plan = {data, size, player, {}, 0, {}, 0};
  if (!data || size == 0 || size > size_t(INT32_MAX)) return PictureStatus::not_a_picture;
  PictureStatus status = PictureStatus::not_a_picture;
  if (player == Player::exact) {
    status = plan_exact(request, plan);
  } else {
    gdi::Frame frame{};
    if (gdi::find_frame(data, size, &frame))
      status = status_of(fit_picture(frame.width(), frame.height(), frame.units_per_inch, request, &plan->fit));
  }
  const uint64_t pixels = uint64_t(plan->fit.width) * plan->fit.height;
  if (status == PictureStatus::ok && request.max_pixels && pixels > request.max_pixels)
    return PictureStatus::too_large;
  return status;
}

PictureStatus render_pixels(const PicturePlan& plan, uint32_t background, uint32_t** pixels, DrawReport* report) {
  *pixels = nullptr;
  const PictureStatus status =
      plan.player == Player::exact ? play_exact(plan, pixels, report) : play_gdi(plan, pixels, report);
  if (status != PictureStatus::ok) {
    std::free(*pixels);
    *pixels = nullptr;
    return status;
  }
  report->transparent = !any_ink(*pixels, size_t(plan.fit.width) * plan.fit.height);
  if (background >> 24) {
    Surface surface(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(*pixels),
                                                        CAIRO_FORMAT_ARGB32, int(plan.fit.width),
                                                        int(plan.fit.height), int(plan.fit.width * 4)),
                    cairo_surface_destroy);
    Context cr(cairo_create(surface.get()), cairo_destroy);
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_DEST_OVER);
    set_colour(cr.get(), background);
    cairo_paint(cr.get());
  }
  return PictureStatus::ok;
}

PictureStatus draw_picture(const PicturePlan& plan, cairo_t* cr, uint32_t background, DrawReport* report) {
  const double width = plan.fit.width, height = plan.fit.height;
  if (background >> 24) {
    cairo_save(cr);
    set_colour(cr, background);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  if (plan.player == Player::exact) {
    uint32_t* pixels = nullptr;
    const PictureStatus status = render_pixels(plan, 0, &pixels, report);
    if (status != PictureStatus::ok) return status;
    Surface image(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels),
                                                      CAIRO_FORMAT_ARGB32, int(plan.fit.width),
                                                      int(plan.fit.height), int(plan.fit.width * 4)),
                  cairo_surface_destroy);
    cairo_save(cr);
    cairo_set_source_surface(cr, image.get(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    image.reset();
    std::free(pixels);
    return status_of(cr);
  }
  // Whether anything is painted comes from a recording of its own: a
  // recording replayed onto an SVG surface would stay referenced by it.
  const cairo_rectangle_t extents{0, 0, width, height};
  {
    Surface recording(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents), cairo_surface_destroy);
    Context rec(cairo_create(recording.get()), cairo_destroy);
    DrawReport ink;
    play_gdi_onto(plan, rec.get(), nullptr, &ink);
    double x, y, ink_width, ink_height;
    cairo_recording_surface_ink_extents(recording.get(), &x, &y, &ink_width, &ink_height);
    report->transparent = ink_width <= 0 || ink_height <= 0;
  }
  cairo_save(cr);
  play_gdi_onto(plan, cr, &report->skipped, report);
  cairo_restore(cr);
  return status_of(cr);
}

}  // namespace vellum
