// Hostile-document benchmark: generates documents that once cost far more
// than they weigh and times what a viewer does with them. Not a test: the
// numbers depend on the machine; `make bench` prints them.
//
//   quire_stress_bench nobreak N...   one paragraph of N characters without a
//                                     space: open, page 1, the last page, and
//                                     the mean over every page
//   quire_stress_bench paragraphs N   N one-word paragraphs
//   quire_stress_bench styles N       N paragraph styles, each based on the one
//                                     before, the last one used
//   quire_stress_bench memcap KIND N MB...  opens and draws the document in a
//                                     child process limited to MB megabytes of
//                                     address space, and tells how it ended:
//                                     a result (0 opened, 7 too large...) or a signal
//   quire_stress_bench write KIND N FILE   writes the document instead
//   --first before the kind: open and page 1 only (last and mean left at 0)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <string>
#include <vector>

#include "doc_writer.h"
#include "engine/document.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int STRIDE = quire::PAGE_WIDTH * 4;

double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The process's CPU time: on a busy shared machine it tells more than the clock.
double cpu_ms() { return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// N letters without a break opportunity, as one paragraph.
quire_test::Bytes no_break_doc(size_t chars) {
  std::u16string text(chars, u'a');
  for (size_t i = 0; i < chars; ++i) text[i] = static_cast<char16_t>(u'a' + i % 26);
  return quire_test::write_doc(quire_test::plain_doc({text}));
}

// N short paragraphs in one run (one piece, one character run).
quire_test::Bytes many_paragraphs_doc(size_t count) {
  quire_test::DocPlan plan = quire_test::plain_doc({});
  std::u16string text;
  text.reserve(count * 6);
  for (size_t i = 0; i < count; ++i) text += u"word\r";
  plan.runs.push_back({text, true, {}});
  return quire_test::write_doc(plan);
}

// N paragraph styles, each based on the one before; one paragraph uses the last.
quire_test::Bytes deep_styles_doc(size_t count) {
  quire_test::DocPlan plan = quire_test::plain_doc({u"Deep style chain"});
  for (size_t i = 1; i <= count; ++i)
    plan.styles.push_back({std::u16string{u'S', static_cast<char16_t>(u'a' + i % 26)}, static_cast<uint16_t>(i - 1),
                           quire_test::sprm_u16(0x840F, 20), {}});
  plan.paragraph_styles = {static_cast<uint16_t>(count)};
  return quire_test::write_doc(plan);
}

quire_test::Bytes make(const std::string& kind, size_t n) {
  if (kind == "nobreak") return no_break_doc(n);
  if (kind == "paragraphs") return many_paragraphs_doc(n);
  if (kind == "styles") return deep_styles_doc(n);
  return {};
}

// Opens the document, draws page 1 and the last page, then every page.
int time_document(const std::string& kind, size_t n, bool every_page) {
  const quire_test::Bytes bytes = make(kind, n);
  std::vector<uint8_t> pixels(static_cast<size_t>(STRIDE) * quire::PAGE_HEIGHT);
  const auto start = Clock::now();
  const double cpu_start = cpu_ms();
  quire::Document doc;
  const int result = quire::open_document_memory(doc, bytes.data(), bytes.size());
  const double open_ms = ms_since(start);
  if (result != quire::OPEN_OK) {
    std::printf("%-11s %9zu  refused with %d\n", kind.c_str(), n, result);
    return 1;
  }
  auto draw = [&](int page) {
    const auto t = Clock::now();
    quire::render_document_page(doc, page, pixels.data(), STRIDE);
    return ms_since(t);
  };
  const double first_ms = draw(1);
  const double cpu_first = cpu_ms() - cpu_start;
  const int pages = doc.page_count();
  const double last_ms = every_page ? draw(pages) : 0;
  double mean_ms = 0;
  if (every_page) {
    double total = 0;
    for (int page = 1; page <= pages; ++page) total += draw(page);
    mean_ms = total / pages;
  }
  std::printf("%-11s %9zu %6d %10.1f %10.1f %12.1f %10.1f %10.1f %12.1f\n", kind.c_str(), n, pages, open_ms,
              first_ms, open_ms + first_ms, last_ms, mean_ms, cpu_first);
  return 0;
}

// One child per cap: the open's result is its exit code (50 + the result
// when page 1 then fails to draw).
int memory_caps(const std::string& kind, size_t n, char** caps, int count) {
  const quire_test::Bytes bytes = make(kind, n);
  int aborted = 0;
  for (int i = 0; i < count; ++i) {
    const unsigned long megabytes = std::strtoul(caps[i], nullptr, 10);
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
      // Fonts are found first, outside the cap: fontconfig's own start-up
      // does not survive running out of memory.
      const quire_test::Bytes warm = quire_test::write_doc(quire_test::plain_doc({u"warm"}));
      quire::Document warmed;
      quire::open_document_memory(warmed, warm.data(), warm.size());
      const rlimit limit{megabytes << 20, megabytes << 20};
      setrlimit(RLIMIT_AS, &limit);
      quire::Document doc;
      const int result = quire::open_document_memory(doc, bytes.data(), bytes.size());
      std::vector<uint8_t> pixels;
      try {
        pixels.resize(static_cast<size_t>(STRIDE) * quire::PAGE_HEIGHT);
      } catch (...) {
        _exit(60);
      }
      if (result == quire::OPEN_OK && quire::render_document_page(doc, 1, pixels.data(), STRIDE) != 0) _exit(50);
      _exit(result);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status))
      std::printf("%-11s %9zu  cap %5lu MB: exit %d%s\n", kind.c_str(), n, megabytes, WEXITSTATUS(status),
                  WEXITSTATUS(status) == 0   ? " (opened, page 1 drawn)"
                  : WEXITSTATUS(status) == 7 ? " (too large)"
                  : WEXITSTATUS(status) == 6 ? " (damaged)"
                                             : "");
    else {
      ++aborted;
      std::printf("%-11s %9zu  cap %5lu MB: killed by signal %d\n", kind.c_str(), n, megabytes, WTERMSIG(status));
    }
  }
  return aborted == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 5 && std::strcmp(argv[1], "memcap") == 0)
    return memory_caps(argv[2], std::strtoul(argv[3], nullptr, 10), argv + 4, argc - 4);
  if (argc >= 5 && std::strcmp(argv[1], "write") == 0) {
    const quire_test::Bytes bytes = make(argv[2], std::strtoul(argv[3], nullptr, 10));
    FILE* out = std::fopen(argv[4], "wb");
    if (bytes.empty() || !out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) return 1;
    return std::fclose(out) == 0 ? 0 : 1;
  }
  bool first_only = false;
  if (argc > 1 && std::strcmp(argv[1], "--first") == 0) {
    first_only = true;
    ++argv;
    --argc;
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: quire_stress_bench nobreak|paragraphs|styles N...\n"
                         "       quire_stress_bench write KIND N FILE\n");
    return 2;
  }
  std::printf("%-11s %9s %6s %10s %10s %12s %10s %10s %12s\n", "document", "size", "pages", "open ms",
              "page 1 ms", "open+p1 ms", "last ms", "mean ms", "open+p1 cpu");
  int failures = 0;
  for (int i = 2; i < argc; ++i)
    failures += time_document(argv[1], std::strtoul(argv[i], nullptr, 10), !first_only);
  return failures == 0 ? 0 : 1;
}
