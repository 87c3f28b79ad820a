// quire-export: Word 97-2003 documents to PDF (real text, fonts embedded)
// or PNG pages, and their properties on request.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include <host/path.h>

#include "document_info.h"
#include "engine/document.h"
#include "options.h"
#include "page_export.h"
#include "tools/common/exit_codes.h"
#include "tools/common/input_file.h"

namespace {

using namespace quire_export;
namespace tools = vellum::tools;

constexpr size_t MAX_DOCUMENT_BYTES = size_t(256) << 20;

const char USAGE[] =
    "Usage: quire-export DOCUMENT -o OUT.pdf [--pages LIST]\n"
    "       quire-export DOCUMENT -o page-%d.png [--pages LIST] [--dpi N]\n"
    "       quire-export DOCUMENT --info [--json]\n"
    "Exports the pages of a Word 97-2003 document (.doc): into one PDF with\n"
    "selectable text, or one PNG per page. DOCUMENT - reads standard input.\n"
    "\n"
    "  -o, --output NAME   where the pages go; the format follows the name's\n"
    "                      ending (.pdf, .png). In a PNG name %d is the page\n"
    "                      number and %% a percent sign; - is standard output\n"
    "  -f, --format FMT    pdf or png, whatever the name\n"
    "  --pages LIST        pages to export, such as 1-3,7 or 5- (to the end)\n"
    "  --dpi N             PNG pixels per inch, 1 to 2400 (96)\n"
    "  --info              print title, subject, author, company, application,\n"
    "                      language and page count\n"
    "  --json              with --info: one JSON object instead of lines\n"
    "  -q, --quiet         no progress line\n"
    "  -h, --help          this text\n"
    "  --version           the program's version\n"
    "\n"
    "Outputs replace existing files whole, only once complete.\n"
    "\n";

int usage_error(const std::string& reason) {
  std::fprintf(stderr, "quire-export: %s\nTry 'quire-export --help'.\n", reason.c_str());
  return tools::EXIT_USAGE;
}

int fail(int code, const std::string& message) {
  std::fprintf(stderr, "quire-export: %s\n", message.c_str());
  return code;
}

// Why the engine refused a document, and the exit code that goes with it.
int refuse(const std::string& name, int result) {
  switch (result) {
    case quire::OPEN_NOT_COMPOUND:
      return fail(tools::EXIT_NOT_USABLE, name + ": not a Word document (no compound-file header, or a broken one)");
    case quire::OPEN_NOT_WORD:
      return fail(tools::EXIT_NOT_USABLE, name + ": a compound file, but not a Word document");
    case quire::OPEN_OLD_WORD:
      return fail(tools::EXIT_NOT_USABLE, name + ": a Word 6 or Word 95 document; only Word 97-2003 documents are read");
    case quire::OPEN_ENCRYPTED:
      return fail(tools::EXIT_NOT_USABLE, name + ": encrypted (password-protected); it cannot be read");
    case quire::OPEN_TOO_LARGE:
      return fail(tools::EXIT_TOO_LARGE, name + ": beyond the sizes this reader accepts");
    case quire::OPEN_UNREADABLE:
      return fail(tools::EXIT_UNREADABLE, name + ": cannot be read");
    default:
      return fail(tools::EXIT_NOT_USABLE, name + ": a damaged Word document");
  }
}

// A progress line that keeps its place, on a terminal only.
class ProgressLine {
 public:
  explicit ProgressLine(bool shown) : shown_(shown) {}
  void tell(int done, int total) {
    if (!shown_) return;
    std::fprintf(stderr, "\rquire-export: page %d of %d", done, total);
    std::fflush(stderr);
    if (done == total) std::fputc('\n', stderr);
  }

 private:
  bool shown_;
};

int export_pages(const quire::Document& doc, const Options& options) {
  std::vector<int> pages;
  std::string reason;
  if (!select_pages(options.pages, doc.page_count(), &pages, &reason)) return usage_error(reason);
  const bool png = options.format == Format::PNG;
  if (png && pages.size() > 1 && !names_each_page(options.output))
    return usage_error(std::to_string(pages.size()) + " pages chosen: put %d in the PNG name (page-%d.png)");
  ProgressLine line(!options.quiet && isatty(STDERR_FILENO) && options.output != "-");
  const Progress progress = [&line](int done, int total) { line.tell(done, total); };
  const ExportResult result = png ? write_pngs(doc, pages, options.output, options.dpi, progress)
                                  : write_pdf(doc, pages, options.output, progress);
  if (result.code != tools::EXIT_OK) return fail(result.code, result.reason);
  return tools::EXIT_OK;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string reason;
  if (!parse_options(argc, argv, &options, &reason)) return usage_error(reason);
  if (options.help) {
    std::fputs(USAGE, stdout);
    std::fputs(tools::EXIT_CODES_HELP, stdout);
    return tools::EXIT_OK;
  }
  if (options.version) {
    std::printf("quire-export %s\n", VELLUM_VERSION);
    return tools::EXIT_OK;
  }
  const std::string name = options.input == "-" ? "standard input" : options.input;
  std::vector<uint8_t> bytes;
  const tools::InputRead read = tools::read_input(tool_path_of(options.input.c_str()), MAX_DOCUMENT_BYTES, &bytes);
  if (read.code != tools::EXIT_OK) return fail(read.code, name + ": " + read.reason);
  if (bytes.empty()) return fail(tools::EXIT_NOT_USABLE, name + ": an empty file, not a Word document");

  quire::Document doc;
  const char* file_path = options.input == "-" ? nullptr : options.input.c_str();
  const int opened = quire::open_document_memory(doc, bytes.data(), bytes.size(), file_path);
  if (opened != quire::OPEN_OK) return refuse(name, opened);
  bytes = {};

  if (options.info) {
    std::fputs((options.json ? info_json(doc) : info_lines(doc)).c_str(), stdout);
    if (std::fflush(stdout) != 0) return fail(tools::EXIT_NOT_WRITTEN, "standard output: not written");
  }
  return options.output.empty() ? tools::EXIT_OK : export_pages(doc, options);
}
