// In-process rendering speed over a folder of WMF files, and the long line
// run that once took quadratic time.
//
//   render_bench corpus DIR [SECONDS]   files/s and megapixels/s at limits
//                                       200 and 2000, split into loading
//                                       with conversion, and drawing
//   render_bench gdi-corpus DIR [SECONDS]
//                                       the same for the GDI player (files
//                                       read once; drawing only), on one
//                                       thread and on every core
//   render_bench write-lines FILE N     writes a picture of N LINETO records
//   render_bench file FILE LIMIT        renders one file repeatedly, prints
//                                       the time of one render
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "metafile/byte_order.h"
#include "render/gdi/gdi_image.h"
#include "render/playback.h"
#include "tests/support/wmf_builder.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Reads a file the way play_file does: one zero-filled buffer, one read loop.
std::vector<uint8_t> read_file(const std::string& path) {
  std::vector<uint8_t> bytes;
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return bytes;
  struct stat info;
  if (fstat(fd, &info) == 0 && info.st_size > 0) {
    bytes.resize(size_t(info.st_size));
    size_t got = 0;
    while (got < bytes.size()) {
      const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
      if (n <= 0) break;
      got += size_t(n);
    }
  }
  close(fd);
  return bytes;
}

struct Totals {
  double load = 0, draw = 0, megapixels = 0;
  size_t files = 0;
};

// One pass over the files: load and convert, then play, each timed.
void render_pass(const std::vector<std::string>& files, uint32_t limit, Totals* t) {
  vellum::RenderTarget target{nullptr, 0, 0};
  for (const std::string& path : files) {
    const Clock::time_point load_start = Clock::now();
    std::vector<uint8_t> bytes = read_file(path);
    vellum::swap_stream(bytes.data(), bytes.size(), false);
    const Clock::time_point draw_start = Clock::now();
    t->load += std::chrono::duration<double>(draw_start - load_start).count();
    vellum::PlaybackState state{};
    vellum::play_records(bytes.data(), bytes.size(), &state, &target, limit);
    t->draw += seconds_since(draw_start);
    if (target.Pixels) t->megapixels += double(target.Width) * target.Height / 1e6;
    ++t->files;
  }
  std::free(target.Pixels);
}

int bench_corpus(const std::string& dir, double min_seconds) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.path().extension() == ".wmf") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    std::fprintf(stderr, "render_bench: no .wmf files in %s\n", dir.c_str());
    return 1;
  }
  std::printf("in-process, %zu files, passes for at least %.1f s per limit\n", files.size(),
              min_seconds);
  std::printf("%6s %10s %12s %10s %10s %8s\n", "limit", "files/s", "megapixel/s", "load+conv",
              "drawing", "us/file");
  for (uint32_t limit : {200u, 2000u}) {
    Totals t;
    render_pass(files, limit, &t);  // warm the page cache and fontconfig
    t = Totals{};
    while (t.load + t.draw < min_seconds) render_pass(files, limit, &t);
    const double total = t.load + t.draw;
    std::printf("%6u %10.0f %12.1f %9.1f%% %9.1f%% %8.1f\n", limit, t.files / total,
                t.megapixels / total, 100 * t.load / total, 100 * t.draw / total,
                1e6 * total / t.files);
  }
  return 0;
}

// The GDI player over files held in memory: fonts and glyphs stay cached
// across pictures, as in any long-running host. Run on one thread, then on
// every core with the files dealt out, to show the caches scale.
struct GdiPass {
  size_t files = 0;
  double megapixels = 0;
};

GdiPass gdi_pass(const std::vector<std::vector<uint8_t>>& files, uint32_t limit, size_t first,
                 size_t step, double min_seconds) {
  GdiPass done;
  vellum::RenderTarget target{nullptr, 0, 0};
  const Clock::time_point start = Clock::now();
  do {
    for (size_t i = first; i < files.size(); i += step) {
      vellum::gdi::render_image(files[i].data(), files[i].size(), limit, &target, nullptr, {});
      done.megapixels += double(target.Width) * target.Height / 1e6;
      ++done.files;
    }
  } while (seconds_since(start) < min_seconds);
  std::free(target.Pixels);
  return done;
}

int bench_gdi_corpus(const std::string& dir, double min_seconds) {
  std::vector<std::vector<uint8_t>> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.path().extension() == ".wmf") files.push_back(read_file(entry.path().string()));
  if (files.empty()) {
    std::fprintf(stderr, "render_bench: no .wmf files in %s\n", dir.c_str());
    return 1;
  }
  const size_t cores = std::max(1u, std::thread::hardware_concurrency());
  std::printf("gdi player in-process, %zu files\n", files.size());
  std::printf("%6s %8s %10s %12s %8s\n", "limit", "threads", "files/s", "megapixel/s", "us/file");
  for (uint32_t limit : {200u, 2000u}) {
    gdi_pass(files, limit, 0, 1, 0);  // warm fontconfig and the face cache
    for (size_t threads : {size_t(1), cores}) {
      std::vector<GdiPass> parts(threads);
      std::vector<std::thread> workers;
      const Clock::time_point start = Clock::now();
      for (size_t t = 0; t < threads; ++t)
        workers.emplace_back([&, t] { parts[t] = gdi_pass(files, limit, t, threads, min_seconds); });
      for (std::thread& worker : workers) worker.join();
      const double total = seconds_since(start);
      GdiPass sum;
      for (const GdiPass& part : parts) {
        sum.files += part.files;
        sum.megapixels += part.megapixels;
      }
      std::printf("%6u %8zu %10.0f %12.1f %8.1f\n", limit, threads, sum.files / total,
                  sum.megapixels / total, 1e6 * total / sum.files);
      if (cores == 1) break;
    }
  }
  return 0;
}

// A 1000 x 1000 picture: a 1-unit pen, one MOVETO and n LINETO records in a
// zigzag, and no fill anywhere, so every stroke re-strokes the whole path.
int write_lines(const std::string& path, uint32_t n) {
  vellum::test::WmfBuilder wmf;
  wmf.placeable(0, 0, 1000, 1000).set_window_ext(1000, 1000).create_pen(0, 1, 0, 0, 0)
      .move_to(0, 500);
  for (uint32_t i = 0; i < n; ++i) wmf.line_to(i % 2 ? 100 : 900, int(100 + (i * 37) % 800));
  return wmf.write_to(path) ? 0 : 1;
}

int bench_file(const std::string& path, uint32_t limit) {
  vellum::RenderTarget target{nullptr, 0, 0};
  int runs = 0;
  const Clock::time_point start = Clock::now();
  const std::clock_t cpu_start = std::clock();
  do {
    if (vellum::play_file(path.c_str(), &target, limit) != 0) return 1;
    ++runs;
  } while (seconds_since(start) < 1.0 && runs < 1000);
  const double each = seconds_since(start) / runs;
  const double cpu_each = double(std::clock() - cpu_start) / CLOCKS_PER_SEC / runs;
  std::printf("%s at limit %u: %ux%u, %.3f s per render, %.3f s of CPU (%d runs)\n",
              path.c_str(), limit, target.Width, target.Height, each, cpu_each, runs);
  std::free(target.Pixels);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "corpus" && argc >= 3) return bench_corpus(argv[2], argc > 3 ? std::atof(argv[3]) : 2.0);
  if (mode == "gdi-corpus" && argc >= 3)
    return bench_gdi_corpus(argv[2], argc > 3 ? std::atof(argv[3]) : 2.0);
  if (mode == "write-lines" && argc == 4) return write_lines(argv[2], uint32_t(std::atol(argv[3])));
  if (mode == "file" && argc == 4) return bench_file(argv[2], uint32_t(std::atol(argv[3])));
  std::fprintf(stderr,
               "usage: render_bench corpus DIR [SECONDS] | gdi-corpus DIR [SECONDS] |\n"
               "       write-lines FILE N | file FILE LIMIT\n");
  return 1;
}
