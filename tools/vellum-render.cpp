// vellum-render: WMF pictures to PNG files through the playback renderer.
//
//   vellum-render IN.wmf -o OUT.png [--mode gdi|spec] [--max-size N]
//   vellum-render -d DIR [-j N] [--mode gdi|spec] [--max-size N] IN.wmf...
//
// Prints WIDTHxHEIGHT for every picture written. A file that cannot be
// used is reported on one line and the others go on; the exit code is that
// of the first failure (see ExitCode).
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "render/fitting.h"
#include "render/gdi/gdi_image.h"
#include "render/playback.h"

namespace {

enum ExitCode : int {
  EXIT_OK = 0,
  EXIT_USAGE = 1,
  EXIT_UNREADABLE = 2,    // the file cannot be read
  EXIT_NOT_PLACEABLE = 3, // no placeable header: nothing is drawn
  EXIT_TOO_LARGE = 4,     // the picture's pixels cannot be allocated
  EXIT_WRITE_FAILED = 5,  // the PNG cannot be written
};

const char USAGE[] =
    "usage: vellum-render IN.wmf -o OUT.png [--mode gdi|spec] [--max-size N]\n"
    "       vellum-render -d DIR [-j N] [--mode gdi|spec] [--max-size N] IN.wmf...\n"
    "\n"
    "Renders Windows Metafiles to PNG images.\n"
    "  --mode gdi      play as Windows' GDI does (default)\n"
    "  --mode spec     the exact player of placeable files\n"
    "  --background C  white or transparent (default), gdi mode\n"
    "  --caller-viewport  gdi mode: ignore the file's viewport and map mode\n"
    "  -o OUT.png      output file for a single input\n"
    "  -d DIR          write DIR/NAME.png for every NAME.wmf given\n"
    "  -j N            render with N threads (default 1)\n"
    "  --max-size N    fit pictures to at most N pixels wide (default 200,\n"
    "                  at most 32767)\n"
    "  --help          show this text\n"
    "\n"
    "Exit codes: 0 done, 1 usage, 2 unreadable file, 3 no placeable header,\n"
    "4 picture too large to allocate, 5 PNG not written; with several\n"
    "inputs, the code of the first that failed.\n";

struct Options {
  std::vector<std::string> inputs;
  std::string output;  // -o
  std::string dir;     // -d
  uint32_t max_size = vellum::DEFAULT_FIT_LIMIT;
  unsigned jobs = 1;
  bool gdi = true;                // --mode
  bool white = false;             // --background white
  bool caller_viewport = false;
};

bool parse_count(const char* text, uint32_t low, uint32_t high, uint32_t* out) {
  char* end = nullptr;
  errno = 0;
  const unsigned long v = std::strtoul(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || v < low || v > high) return false;
  *out = uint32_t(v);
  return true;
}

// Returns -1 when the options are usable, else the exit code to leave with.
int parse_options(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--help" || arg == "-h") {
      std::fputs(USAGE, stdout);
      return EXIT_OK;
    } else if (arg == "-o" && has_value) {
      o->output = argv[++i];
    } else if (arg == "-d" && has_value) {
      o->dir = argv[++i];
    } else if (arg == "-j" && has_value) {
      uint32_t jobs = 0;
      if (!parse_count(argv[++i], 1, 256, &jobs)) {
        std::fprintf(stderr, "vellum-render: -j wants a count from 1 to 256\n");
        return EXIT_USAGE;
      }
      o->jobs = jobs;
    } else if (arg == "--max-size" && has_value) {
      if (!parse_count(argv[++i], 1, vellum::MAX_IMAGE_SIDE, &o->max_size)) {
        std::fprintf(stderr, "vellum-render: --max-size wants a size from 1 to %u\n",
                     vellum::MAX_IMAGE_SIDE);
        return EXIT_USAGE;
      }
    } else if (arg == "--mode" && has_value) {
      const std::string mode = argv[++i];
      if (mode != "gdi" && mode != "spec") {
        std::fprintf(stderr, "vellum-render: --mode wants gdi or spec\n");
        return EXIT_USAGE;
      }
      o->gdi = mode == "gdi";
    } else if (arg == "--background" && has_value) {
      const std::string bg = argv[++i];
      if (bg != "white" && bg != "transparent") {
        std::fprintf(stderr, "vellum-render: --background wants white or transparent\n");
        return EXIT_USAGE;
      }
      o->white = bg == "white";
    } else if (arg == "--caller-viewport") {
      o->caller_viewport = true;
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      std::fprintf(stderr, "vellum-render: unknown or incomplete option %s\n%s", arg.c_str(),
                   USAGE);
      return EXIT_USAGE;
    } else {
      o->inputs.push_back(arg);
    }
  }
  const bool single = !o->output.empty() && o->dir.empty() && o->inputs.size() == 1;
  const bool batch = o->output.empty() && !o->dir.empty() && !o->inputs.empty();
  if (!single && !batch) {
    std::fputs(USAGE, stderr);
    return EXIT_USAGE;
  }
  return -1;
}

// DIR/NAME.png for NAME.wmf (any case of the suffix; other names keep theirs).
std::string output_in_dir(const std::string& dir, const std::string& input) {
  std::string name = std::filesystem::path(input).filename().string();
  if (name.size() > 4) {
    std::string suffix = name.substr(name.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(), ::tolower);
    if (suffix == ".wmf") name.resize(name.size() - 4);
  }
  return (std::filesystem::path(dir) / (name + ".png")).string();
}

bool write_png(const vellum::RenderTarget& target, const std::string& path) {
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      static_cast<unsigned char*>(target.Pixels), CAIRO_FORMAT_ARGB32, int(target.Width),
      int(target.Height), int(target.Width * 4));
  const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  return status == CAIRO_STATUS_SUCCESS;
}

struct Outcome {
  int code;
  std::string message;  // the WxH line, or the error
};

Outcome render_gdi(const std::string& input, const std::string& output, const Options& o) {
  std::ifstream in(input, std::ios::binary);
  if (!in) return {EXIT_UNREADABLE, input + ": cannot read the file"};
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  if (in.bad()) return {EXIT_UNREADABLE, input + ": cannot read the file"};
  vellum::gdi::ImageOptions options;
  options.play.caller_viewport = o.caller_viewport;
  options.opaque_background = o.white;
  vellum::RenderTarget target{nullptr, 0, 0};
  const auto result = vellum::gdi::render_image(bytes.data(), bytes.size(), o.max_size, &target,
                                                nullptr, options);
  if (result == vellum::gdi::ImageResult::not_metafile || result == vellum::gdi::ImageResult::no_frame)
    return {EXIT_NOT_PLACEABLE, input + ": no placeable header and no window, nothing drawn"};
  const std::string size = std::to_string(target.Width) + "x" + std::to_string(target.Height);
  if (result == vellum::gdi::ImageResult::too_large)
    return {EXIT_TOO_LARGE, input + ": picture of " + size + " pixels cannot be allocated"};
  const bool written = write_png(target, output);
  std::free(target.Pixels);
  if (!written) return {EXIT_WRITE_FAILED, output + ": cannot write the PNG"};
  return {EXIT_OK, size};
}

Outcome render_one(const std::string& input, const std::string& output, uint32_t limit) {
  // Width stays at this mark when playback never reached the picture's frame.
  constexpr uint32_t UNTOUCHED = UINT32_MAX;
  vellum::RenderTarget target{nullptr, UNTOUCHED, UNTOUCHED};
  if (vellum::play_file(input.c_str(), &target, limit) != 0)
    return {EXIT_UNREADABLE, input + ": cannot read the file"};
  if (target.Width == UNTOUCHED)
    return {EXIT_NOT_PLACEABLE, input + ": no placeable header, nothing drawn"};
  const std::string size = std::to_string(target.Width) + "x" + std::to_string(target.Height);
  if (target.Pixels == nullptr)
    return {EXIT_TOO_LARGE, input + ": picture of " + size + " pixels cannot be allocated"};
  const bool written = write_png(target, output);
  std::free(target.Pixels);
  if (!written) return {EXIT_WRITE_FAILED, output + ": cannot write the PNG"};
  return {EXIT_OK, size};
}

// Prints results as they come, with a progress line on a terminal.
class Reporter {
 public:
  Reporter(size_t total, bool batch)
      : total_(total), batch_(batch), progress_(batch && isatty(STDERR_FILENO)) {}

  void report(const std::string& input, const Outcome& outcome) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++done_;
    if (progress_) std::fputs("\r\033[K", stderr);
    if (outcome.code == EXIT_OK) {
      if (batch_) std::printf("%s %s\n", input.c_str(), outcome.message.c_str());
      else std::printf("%s\n", outcome.message.c_str());
      std::fflush(stdout);
    } else {
      std::fprintf(stderr, "vellum-render: %s\n", outcome.message.c_str());
      ++failed_;
    }
    if (progress_)
      std::fprintf(stderr, "[%zu/%zu] %zu failed", done_, total_, failed_);
  }

  void finish() {
    if (progress_) std::fputs("\r\033[K", stderr);
  }

 private:
  std::mutex mutex_;
  size_t total_, done_ = 0, failed_ = 0;
  bool batch_, progress_;
};

}  // namespace

int main(int argc, char** argv) {
  Options o;
  const int early = parse_options(argc, argv, &o);
  if (early >= 0) return early;
  const bool batch = !o.dir.empty();
  if (batch && !std::filesystem::is_directory(o.dir)) {
    std::fprintf(stderr, "vellum-render: %s is not a folder\n", o.dir.c_str());
    return EXIT_USAGE;
  }

  std::vector<int> codes(o.inputs.size(), EXIT_OK);
  Reporter reporter(o.inputs.size(), batch);
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i; (i = next++) < o.inputs.size();) {
      const std::string& input = o.inputs[i];
      const std::string output = batch ? output_in_dir(o.dir, input) : o.output;
      const Outcome outcome =
          o.gdi ? render_gdi(input, output, o) : render_one(input, output, o.max_size);
      codes[i] = outcome.code;
      reporter.report(input, outcome);
    }
  };
  const unsigned threads = std::min<size_t>(o.jobs, o.inputs.size());
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
  reporter.finish();

  for (int code : codes)
    if (code != EXIT_OK) return code;
  return EXIT_OK;
}
