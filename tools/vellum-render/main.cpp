// vellum-render: Windows Metafiles to PNG, SVG, PDF or PostScript.
//
//   vellum-render [OPTIONS] IN.wmf -o OUT
//   vellum-render [OPTIONS] -d DIR IN.wmf...
//
// A file that cannot be used is reported on one line and the others go on;
// the exit code is that of the first failure (see tools/common/exit_codes.h).
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "tools/common/exit_codes.h"
#include "tools/vellum-render/batch_outputs.h"
#include "tools/vellum-render/commit_queue.h"
#include "tools/vellum-render/convert.h"
#include "tools/vellum-render/render_options.h"

namespace {

using namespace vellum::render_tool;
using namespace vellum::tools;

// Outputs being synced at once; the file system commits them together.
constexpr unsigned COMMIT_THREADS = 8;

// Prints results as they come, with a progress line on a terminal, and the
// summary of a batch at the end.
class Reporter {
 public:
  Reporter(const Options& options, size_t total)
      : quiet_(options.quiet),
        batch_(!options.dir.empty()),
        sizes_(options.output != "-"),
        progress_(batch_ && !quiet_ && isatty(STDERR_FILENO)),
        total_(total) {}

  void note(const std::string& line) {
    if (quiet_) return;
    std::lock_guard<std::mutex> lock(mutex_);
    clear_progress();
    std::fprintf(stderr, "vellum-render: %s\n", line.c_str());
  }

  void report(const std::string& input, const Conversion& c) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++done_;
    clear_progress();
    const std::string name = input == "-" ? "standard input" : input;
    if (c.code == EXIT_OK || c.code == EXIT_SKIPPED) {
      ++rendered_;
      if (!quiet_ && sizes_) {
        if (batch_) std::printf("%s ", input.c_str());
        std::printf("%ux%u\n", c.width, c.height);
        std::fflush(stdout);
      }
      if (!c.skipped.empty()) {
        ++with_skipped_;
        if (!quiet_ || c.code == EXIT_SKIPPED)
          std::fprintf(stderr, "vellum-render: %s: %s not played\n", name.c_str(), c.skipped.c_str());
      }
      if (c.transparent && !quiet_)
        std::fprintf(stderr, "vellum-render: %s: fully transparent, nothing was drawn\n", name.c_str());
    } else {
      ++failed_;
      std::fprintf(stderr, "vellum-render: %s\n", c.error.c_str());
    }
    if (progress_) std::fprintf(stderr, "[%zu/%zu] %zu failed", done_, total_, failed_);
  }

  void finish() {
    clear_progress();
    if (batch_ && !quiet_)
      std::fprintf(stderr, "%zu rendered, %zu failed, %zu with skipped records\n", rendered_, failed_,
                   with_skipped_);
  }

 private:
  void clear_progress() {
    if (progress_) std::fputs("\r\033[K", stderr);
  }

  std::mutex mutex_;
  const bool quiet_, batch_, sizes_, progress_;
  const size_t total_;
  size_t done_ = 0, rendered_ = 0, failed_ = 0, with_skipped_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  const int early = parse_options(argc, argv, &options);
  if (early >= 0) return early;

  Reporter reporter(options, options.inputs.size());
  std::vector<std::string> outputs;
  if (options.dir.empty()) {
    outputs.push_back(options.output);
  } else {
    std::error_code error;
    std::filesystem::create_directories(options.dir, error);
    if (error) {
      std::fprintf(stderr, "vellum-render: %s: cannot make the folder: %s\n", options.dir.c_str(),
                   error.message().c_str());
      return EXIT_NOT_WRITTEN;
    }
    const std::vector<BatchOutput> planned =
        batch_outputs(options.dir, options.inputs, extension_of(*options.format));
    for (size_t i = 0; i < planned.size(); ++i) {
      outputs.push_back(planned[i].path);
      if (!planned[i].taken_by.empty())
        reporter.note(options.inputs[i] + ": its output name is taken by " + planned[i].taken_by + "; writing " +
                      planned[i].path);
    }
  }

  std::vector<int> codes(options.inputs.size(), EXIT_OK);
  {
    const size_t inputs = options.inputs.size();
    CommitQueue committing(inputs > 1 ? unsigned(std::min<size_t>(COMMIT_THREADS, inputs)) : 0);
    std::atomic<size_t> next{0};
    auto work = [&] {
      for (size_t i; (i = next++) < options.inputs.size();) {
        auto conversion = std::make_shared<Conversion>(convert(options.inputs[i], outputs[i], options));
        auto finish = [&, i, conversion](bool committed, const std::string& reason) {
          put_in_place(conversion.get(), outputs[i], committed, reason);
          codes[i] = conversion->code;
          reporter.report(options.inputs[i], *conversion);
        };
        if (conversion->written)
          committing.submit(std::move(conversion->written), finish);
        else
          finish(true, "");
      }
    };
    const unsigned threads = unsigned(std::min<size_t>(options.jobs, options.inputs.size()));
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
  }
  reporter.finish();

  int code = EXIT_OK;
  for (int c : codes) code = first_failure(code, c);
  return code;
}
