// Loading a metafile, sizing the picture, and walking its records onto a
// cairo context over the render target's pixels.
#include <cairo.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "metafile/byte_order.h"
#include "metafile/stream_layout.h"
#include "render/drawing_objects.h"
#include "render/fitting.h"
#include "render/playback.h"
#include "render/stroke_ledger.h"

namespace vellum {

namespace {

// Converts a loaded image in place and plays it with a fresh state.
int convert_and_play(uint8_t* data, size_t size, RenderTarget* target, uint32_t limit, PlayWatch* watch) {
  swap_stream(data, size, false);
  auto* state = static_cast<PlaybackState*>(std::calloc(1, sizeof(PlaybackState)));
  if (state == nullptr) return -1;
  state->skipped = watch->skipped;
  state->deadline = watch->deadline;
  play_records(data, size, state, target, limit);
  watch->truncated = state->truncated != 0;
  watch->cairo_failed = state->cairo_failed != 0;
  std::free(state);
  return 0;
}

// Reads the whole file into one zero-filled buffer of its exact size. A
// short read leaves the rest zero; a read error counts as unreadable.
uint8_t* read_whole_file(int fd, size_t* size_out) {
  struct stat info;
  if (fstat(fd, &info) != 0 || info.st_size <= 0) return nullptr;
  const size_t size = size_t(info.st_size);
  auto* buffer = static_cast<uint8_t*>(std::calloc(size, 1));
  if (buffer == nullptr) return nullptr;
  size_t got = 0;
  while (got < size) {
    const ssize_t n = read(fd, buffer + got, size - got);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      std::free(buffer);
      return nullptr;
    }
    got += size_t(n);
  }
  *size_out = size;
  return buffer;
}

}  // namespace

int play_file(const char* path, RenderTarget* target, uint32_t limit) {
  return play_file_counting_skips(path, target, limit, nullptr);
}

int play_memory(MemoryMetafile* metafile, RenderTarget* target, uint32_t limit) {
  return play_memory_counting_skips(metafile, target, limit, nullptr);
}

int play_file_counting_skips(const char* path, RenderTarget* target, uint32_t limit,
                             SkipTally* skipped) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  size_t size = 0;
  uint8_t* buffer = read_whole_file(fd, &size);
  close(fd);
  if (buffer == nullptr) return -1;
  PlayWatch watch;
  watch.skipped = skipped;
  const int result = convert_and_play(buffer, size, target, limit, &watch);
  std::free(buffer);
  return result;
}

int play_memory_counting_skips(MemoryMetafile* metafile, RenderTarget* target, uint32_t limit,
                               SkipTally* skipped) {
  PlayWatch watch;
  watch.skipped = skipped;
  return play_memory_watched(metafile, target, limit, &watch);
}

int play_memory_watched(MemoryMetafile* metafile, RenderTarget* target, uint32_t limit, PlayWatch* watch) {
  if (metafile == nullptr || metafile->Data == nullptr || metafile->Size <= 0) return -1;
  return convert_and_play(metafile->Data, size_t(metafile->Size), target, limit, watch);
}

void play_records(const uint8_t* buffer, size_t size, PlaybackState* state,
                  RenderTarget* target, uint32_t limit) {
  const uint8_t* buffer_end = buffer + size;
  PlaceableHeader placeable{};
  MetafileHeader header{};
  const uint32_t first = decode_header(buffer, buffer_end, &placeable, &header);
  // Without the placeable key there is no frame and nothing is drawn: the
  // previous picture goes too, so no caller takes it for this file's.
  if (placeable.key != PLACEABLE_KEY) {
    std::free(target->Pixels);
    *target = RenderTarget{nullptr, 0, 0};
    return;
  }

  const uint32_t w0 = uint32_t(int32_t{placeable.right} - int32_t{placeable.left});
  const uint32_t h0 = uint32_t(int32_t{placeable.bottom} - int32_t{placeable.top});
  state->origin_x = placeable.left;
  state->origin_y = placeable.top;
  state->frame_width = double(w0);
  state->frame_height = double(h0);
  const FittedSize fit = fit_to_limit(w0, h0, limit);
  target->Width = fit.width;
  target->Height = fit.height;

  std::free(target->Pixels);
  target->Pixels = nullptr;
  const size_t bytes = pixel_buffer_bytes(fit.width, fit.height);
  if (bytes == 0) return;
  target->Pixels = std::calloc(bytes, 1);
  if (target->Pixels == nullptr) return;

  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      static_cast<unsigned char*>(target->Pixels), CAIRO_FORMAT_ARGB32, int(fit.width),
      int(fit.height), int(fit.width * 4));
  state->cr = cairo_create(surface);
  cairo_save(state->cr);
  cairo_scale(state->cr, fit.scale, fit.scale);

  StrokeLedger ledger(double(fit.width) * fit.height);
  state->ledger = &ledger;
  if (first != 0) {
    size_t offset = first;
    for (;;) {
      if (state->deadline && state->deadline->passed()) {
        state->truncated = 1;
        break;
      }
      ledger.record_played();
      const int64_t r = dispatch_record(buffer, buffer_end, offset, state);
      if (r <= 0) break;
      offset += size_t(r);
    }
  }
  flush_pending_stroke(state->cr, state);
  state->ledger = nullptr;
  state->cairo_failed = cairo_status(state->cr) != CAIRO_STATUS_SUCCESS;

  cairo_restore(state->cr);
  cairo_destroy(state->cr);
  state->cr = nullptr;
  cairo_surface_destroy(surface);
}

}  // namespace vellum
