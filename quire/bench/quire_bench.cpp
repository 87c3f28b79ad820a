// Times what a viewer does first with a document: open it (read and lay
// out every page) and draw page 1. Each document is run once to warm the
// font caches, then `runs` times; the median and the fastest are shown.
// Wall time and the process's CPU time are both shown: on a busy shared
// machine the CPU time tells more about the code than the clock does.
// Usage: quire_bench [--runs N] FILE...
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/document.h"

namespace {

constexpr int STRIDE = quire::PAGE_WIDTH * 4;

struct Timing {
  double wall_ms = -1, cpu_ms = -1;  // -1 when the file is refused
};

// One open + render of page 1.
Timing time_once(const char* path, std::vector<uint8_t>& pixels, int& pages) {
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t cpu_start = std::clock();
  quire::Document doc;
  if (quire::open_document(doc, path) != quire::OPEN_OK) return {};
  quire::render_document_page(doc, 1, pixels.data(), STRIDE);
  const std::clock_t cpu_end = std::clock();
  const auto end = std::chrono::steady_clock::now();
  pages = doc.page_count();
  return {std::chrono::duration<double, std::milli>(end - start).count(),
          1000.0 * static_cast<double>(cpu_end - cpu_start) / CLOCKS_PER_SEC};
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 20, first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--runs") == 0) {
    runs = std::max(1, std::atoi(argv[2]));
    first = 3;
  }
  if (first >= argc) {
    std::fprintf(stderr, "usage: quire_bench [--runs N] FILE...\n");
    return 2;
  }
  std::vector<uint8_t> pixels(static_cast<size_t>(STRIDE) * quire::PAGE_HEIGHT);
  std::printf("%-28s %6s %10s %10s %10s   (open + lay out + render page 1, %d runs)\n", "document", "pages",
              "median ms", "best ms", "cpu ms", runs);
  int over_target = 0;
  for (int i = first; i < argc; ++i) {
    const char* name = std::strrchr(argv[i], '/') ? std::strrchr(argv[i], '/') + 1 : argv[i];
    int pages = 0;
    if (time_once(argv[i], pixels, pages).wall_ms < 0) {
      std::printf("%-28s refused\n", name);
      continue;
    }
    std::vector<double> wall, cpu;
    for (int r = 0; r < runs; ++r) {
      const Timing timing = time_once(argv[i], pixels, pages);
      wall.push_back(timing.wall_ms);
      cpu.push_back(timing.cpu_ms);
    }
    const double wall_median = median(wall);
    std::printf("%-28s %6d %10.2f %10.2f %10.2f\n", name, pages, wall_median,
                *std::min_element(wall.begin(), wall.end()), median(cpu));
    if (pages <= 50 && wall_median >= 100.0) ++over_target;
  }
  std::printf("documents of up to 50 pages over the 100 ms target: %d\n", over_target);
  return 0;
}
