// libvellum: the engine's playback driver behind a plain C interface; what
// C++ may throw inside (std::bad_alloc) comes out as VELLUM_ERROR_MEMORY. It
// calls the engine directly, without the library module or the host.
#include <vellum/vellum.h>

#include <cairo.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <common/no_throw.h>
#include <render/picture_render.h>
#include <render/playback.h>
#include <tools/common/exit_codes.h>
#include <tools/common/input_file.h>

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

// The options a caller's struct holds: fields past its size keep their defaults.
vellum_options options_from(const vellum_options* given) {
  vellum_options options;
  vellum_options_init(&options);
  if (given) std::memcpy(&options, given, std::min<size_t>(given->size, sizeof options));
  options.size = sizeof options;
  return options;
}

int result_of(vellum::PictureStatus status) {
  switch (status) {
    case vellum::PictureStatus::ok: return VELLUM_OK;
    case vellum::PictureStatus::not_a_picture:
    case vellum::PictureStatus::no_units_per_inch: return VELLUM_ERROR_FORMAT;
    case vellum::PictureStatus::too_large: return VELLUM_ERROR_SIZE;
    case vellum::PictureStatus::no_memory: return VELLUM_ERROR_MEMORY;
  }
  return VELLUM_ERROR_FORMAT;
}

void fill_report(const vellum::DrawReport& drawn, vellum_report* report) {
  if (!report || report->size < offsetof(vellum_report, skipped) + sizeof report->skipped) return;
  report->transparent = drawn.transparent;
  report->skipped_total = drawn.skipped.total();
  for (int type = 0; type < 256; ++type) report->skipped[type] = drawn.skipped.count(uint8_t(type));
}

int render_with(const uint8_t* data, size_t size, const vellum_options* given, vellum_image* image,
                vellum_report* report) {
  const vellum_options options = options_from(given);
  vellum::SizeRequest request;
  request.width = options.max_width;
  request.height = options.max_height;
  const vellum::Player player = options.mode == VELLUM_MODE_EXACT ? vellum::Player::exact : vellum::Player::gdi;
  vellum::PicturePlan plan;
  vellum::PictureStatus status = vellum::plan_picture(data, size, player, request, &plan);
  if (status != vellum::PictureStatus::ok) return result_of(status);
  vellum::DrawReport drawn;
  uint32_t* pixels = nullptr;
  status = vellum::render_pixels(plan, options.background, &pixels, &drawn);
  if (status != vellum::PictureStatus::ok) return result_of(status);
  *image = {plan.fit.width, plan.fit.height, plan.fit.width * 4, pixels};
  fill_report(drawn, report);
  return VELLUM_OK;
}

// Sets up the caller's records before any render: no image, nothing learnt.
bool start(vellum_image* image, vellum_report* report) {
  if (!image) return false;
  *image = vellum_image{};
  if (report && report->size >= sizeof(vellum_report)) {
    const uint32_t size = report->size;
    vellum_report_init(report);
    report->size = size;
  }
  return true;
}

}  // namespace

extern "C" void vellum_options_init(vellum_options* options) {
  if (!options) return;
  *options = vellum_options{sizeof(vellum_options), VELLUM_MODE_GDI, VELLUM_DEFAULT_MAX_SIZE,
                            VELLUM_DEFAULT_MAX_SIZE, 0};
}

extern "C" void vellum_report_init(vellum_report* report) {
  if (!report) return;
  std::memset(report, 0, sizeof *report);
  report->size = sizeof *report;
}

extern "C" int vellum_render_file_with(const char* path, const vellum_options* options, vellum_image* image,
                                       vellum_report* report) {
  return vellum::without_exceptions(int(VELLUM_ERROR_MEMORY), [&]() -> int {
    if (!start(image, report) || !path) return VELLUM_ERROR_INPUT;
    std::vector<uint8_t> bytes;
    const vellum::tools::InputRead read = vellum::tools::read_input(path, size_t(INT32_MAX), &bytes);
    if (read.code == vellum::tools::EXIT_TOO_LARGE) return VELLUM_ERROR_SIZE;
    if (read.code != vellum::tools::EXIT_OK || bytes.empty()) return VELLUM_ERROR_INPUT;
    return render_with(bytes.data(), bytes.size(), options, image, report);
  });
}

extern "C" int vellum_render_memory_with(const void* data, size_t size, const vellum_options* options,
                                         vellum_image* image, vellum_report* report) {
  return vellum::without_exceptions(int(VELLUM_ERROR_MEMORY), [&]() -> int {
    if (!start(image, report) || !data || size == 0) return VELLUM_ERROR_INPUT;
    return render_with(static_cast<const uint8_t*>(data), size, options, image, report);
  });
}

extern "C" int vellum_natural_size(const void* data, size_t size, uint32_t* width, uint32_t* height) {
  if (width) *width = 0;
  if (height) *height = 0;
  if (!data || size == 0 || !width || !height) return VELLUM_ERROR_INPUT;
  if (size > size_t(INT32_MAX)) return VELLUM_ERROR_FORMAT;
  vellum::gdi::Frame frame{};
  if (!vellum::gdi::find_frame(static_cast<const uint8_t*>(data), size, &frame)) return VELLUM_ERROR_FORMAT;
  vellum::SizeRequest request;
  if (frame.units_per_inch) request.dpi = 96;
  request.shrink_to = VELLUM_NATURAL_MAX_SIZE;
  vellum::PixelFit fit{};
  switch (vellum::fit_picture(frame.width(), frame.height(), frame.units_per_inch, request, &fit)) {
    case vellum::FitStatus::ok: break;
    case vellum::FitStatus::too_large: return VELLUM_ERROR_SIZE;
    default: return VELLUM_ERROR_FORMAT;
  }
  *width = fit.width;
  *height = fit.height;
  return VELLUM_OK;
}

extern "C" size_t vellum_report_skipped_text(const vellum_report* report, char* text, size_t capacity) {
  return vellum::without_exceptions(size_t(0), [&]() -> size_t {
    vellum::SkipTally tally;
    if (report)
      for (int type = 0; type < 256; ++type)
        tally.add(uint8_t(type), report->skipped[type]);
    const std::string line = tally.summary();
    if (text && capacity) {
      const size_t kept = std::min(line.size(), capacity - 1);
      std::memcpy(text, line.data(), kept);
      text[kept] = '\0';
    }
    return line.size();
  });
}

extern "C" int vellum_render_file(const char* path, uint32_t max_size, vellum_image* image) {
  return vellum::without_exceptions(int(VELLUM_ERROR_MEMORY), [&]() -> int {
    if (!image) return VELLUM_ERROR_INPUT;
    *image = vellum_image{};
    if (!path) return VELLUM_ERROR_INPUT;
    vellum::RenderTarget target{nullptr, 0, 0};
    return finish(vellum::play_file(path, &target, max_size), target, image);
  });
}

extern "C" int vellum_render_memory(const void* data, size_t size, uint32_t max_size, vellum_image* image) {
  return vellum::without_exceptions(int(VELLUM_ERROR_MEMORY), [&]() -> int {
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
  });
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
