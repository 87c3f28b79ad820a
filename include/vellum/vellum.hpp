// libvellum for C++: an owning image type over the C interface.
//
//   vellum_options options = vellum::default_options();
//   options.max_width = 400;
//   vellum::Image picture = vellum::render_file("chart.wmf", options);
//   if (picture) picture.write_png("chart.png");
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include <vellum/vellum.h>

namespace vellum {

class Image {
 public:
  Image() = default;
  ~Image() { vellum_image_free(&image_); }
  Image(Image&& other) noexcept : image_(std::exchange(other.image_, vellum_image{})) {}
  Image& operator=(Image&& other) noexcept {
    if (this != &other) {
      vellum_image_free(&image_);
      image_ = std::exchange(other.image_, vellum_image{});
    }
    return *this;
  }
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  explicit operator bool() const { return image_.pixels != nullptr; }
  uint32_t width() const { return image_.width; }
  uint32_t height() const { return image_.height; }
  uint32_t stride() const { return image_.stride; }
  const uint32_t* pixels() const { return image_.pixels; }
  // The ARGB32 word at (x, y); the caller keeps x and y inside the image.
  uint32_t pixel(uint32_t x, uint32_t y) const { return image_.pixels[size_t(y) * (image_.stride / 4) + x]; }
  bool write_png(const std::string& path) const { return vellum_image_write_png(&image_, path.c_str()) == 0; }

 private:
  friend Image render_file(const std::string&, uint32_t, int*);
  friend Image render_memory(const void*, size_t, uint32_t, int*);
  friend Image render_file(const std::string&, const vellum_options&, int*, vellum_report*);
  friend Image render_memory(const void*, size_t, const vellum_options&, int*, vellum_report*);
  vellum_image image_{};
};

// The defaults: the GDI player, fitted inside 200 x 200, transparent.
inline vellum_options default_options() {
  vellum_options options;
  vellum_options_init(&options);
  return options;
}

// An empty Image on failure; *status, when given, gets the VELLUM_ result;
// *report, when given (set up with vellum_report_init), what was skipped.
inline Image render_file(const std::string& path, const vellum_options& options, int* status = nullptr,
                         vellum_report* report = nullptr) {
  Image image;
  int result = vellum_render_file_with(path.c_str(), &options, &image.image_, report);
  if (status) *status = result;
  return image;
}

inline Image render_memory(const void* data, size_t size, const vellum_options& options, int* status = nullptr,
                           vellum_report* report = nullptr) {
  Image image;
  int result = vellum_render_memory_with(data, size, &options, &image.image_, report);
  if (status) *status = result;
  return image;
}

// "3 SETROP2, 1 ESCAPE": the records a render skipped; empty when none.
inline std::string skipped_text(const vellum_report& report) {
  std::string text(vellum_report_skipped_text(&report, nullptr, 0), '\0');
  vellum_report_skipped_text(&report, text.data(), text.size() + 1);
  return text;
}

// The first interface, which draws with the EXACT player and its fitting.
// An empty Image on failure; *status, when given, gets the VELLUM_ result.
inline Image render_file(const std::string& path, uint32_t max_size = VELLUM_DEFAULT_MAX_SIZE,
                         int* status = nullptr) {
  Image image;
  int result = vellum_render_file(path.c_str(), max_size, &image.image_);
  if (status) *status = result;
  return image;
}

inline Image render_memory(const void* data, size_t size, uint32_t max_size = VELLUM_DEFAULT_MAX_SIZE,
                           int* status = nullptr) {
  Image image;
  int result = vellum_render_memory(data, size, max_size, &image.image_);
  if (status) *status = result;
  return image;
}

}  // namespace vellum
