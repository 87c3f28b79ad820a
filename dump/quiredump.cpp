// quiredump INPUT PAGENUMBER: opens a Word document through quire.library,
// prints its page count and properties, and writes one page to
// "ram:test.png". Standard output carries exactly the tool's lines; trouble
// with the document, the page number, the page or the PNG file is told in
// one line on standard error. The exit code is 0 in every case.
#include <host/path.h>
#include <proto/dos.h>
#include <proto/exec.h>
#include <proto/quire.h>

#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "page_png.h"

struct Library* QuireBase = nullptr;

namespace {

constexpr const char TEMPLATE[] = "INPUT/A,PAGENUMBER/A";
constexpr const char OUTPUT[] = "ram:test.png";
enum { ARG_INPUT, ARG_PAGE_NUMBER, ARG_COUNT };

// The page number, or false when the text is not a whole decimal number.
bool parse_page_number(CONST_STRPTR text, LONG& page) {
  const LONG used = StrToLong(text, &page);
  return used > 0 && text[used] == '\0';
}

// Prints the property lines; returns the page count.
LONG print_properties() {
  const LONG pages = QuireGetPageCount();
  std::printf("Number of pages: %ld\n", static_cast<long>(pages));
  std::printf("Title: %s\n", QuireGetTitle());
  std::printf("Subject: %s\n", QuireGetSubject());
  std::printf("Author: %s\n", QuireGetAuthor());
  std::printf("Company: %s\n", QuireGetCompany());
  std::printf("Appname: %s\n", QuireGetAppName());
  std::printf("Language: %s\n", QuireGetLanguage());
  return pages;
}

// Why quire.library refused a document, in words.
const char* open_problem(LONG result) {
  switch (result) {
    case QUIRE_ERR_UNREADABLE: return "it is not a readable file";
    case QUIRE_ERR_NOT_COMPOUND: return "it is not a Word document (no compound file)";
    case QUIRE_ERR_NOT_WORD: return "it holds no Word document";
    case QUIRE_ERR_OLD_WORD: return "it is a Word 6 or Word 95 document";
    case QUIRE_ERR_ENCRYPTED: return "it is encrypted";
    case QUIRE_ERR_DAMAGED: return "it is damaged";
    case QUIRE_ERR_TOO_LARGE: return "it is too large";
    default: return "quire.library refused it";
  }
}

void write_page(LONG page, LONG pages) {
  APTR pixels = QuireRenderPage(page);
  if (!pixels) {
    if (page < 1 || page > pages)
      std::fprintf(stderr, "quiredump: page %ld does not exist (the document has %ld); no page written\n",
                   static_cast<long>(page), static_cast<long>(pages));
    else
      std::fprintf(stderr, "quiredump: page %ld could not be drawn; no page written\n", static_cast<long>(page));
    return;
  }
  cairo_surface_t* surface =
      cairo_image_surface_create_for_data(static_cast<unsigned char*>(pixels), CAIRO_FORMAT_ARGB32,
                                          QUIRE_PAGE_WIDTH, QUIRE_PAGE_HEIGHT, QUIRE_PAGE_STRIDE);
  const std::string path = host_path_of(OUTPUT);
  const std::string problem =
      path.empty() ? "the RAM: folder is unknown" : quiredump::write_png_replacing(surface, path);
  if (!problem.empty()) std::fprintf(stderr, "quiredump: %s not written: %s\n", OUTPUT, problem.c_str());
  cairo_surface_destroy(surface);
  FreeVec(pixels);
}

// Steps 4 to 11 of a run that got past QuireInit.
void run_document(CONST_STRPTR input, CONST_STRPTR page_text) {
  std::printf("Quire initialisiert...\n");
  const LONG opened = QuireOpen(input);
  if (opened != 0) {
    std::fflush(stdout);
    std::fprintf(stderr, "quiredump: \"%s\" cannot be opened: %s\n", input, open_problem(opened));
  } else {
    LONG page = 0;
    const bool page_ok = parse_page_number(page_text, page);
    std::printf("Open quire...!\n");
    const LONG pages = print_properties();
    std::fflush(stdout);
    if (!page_ok) {
      std::fprintf(stderr, "quiredump: PAGENUMBER \"%s\" is not a decimal number; no page written\n", page_text);
    } else if (struct Library* cairo = OpenLibrary("cairo.library", 5)) {
      write_page(page, pages);
      CloseLibrary(cairo);
    }
  }
  std::printf("Quire ready\n");
}

}  // namespace

int main() {
  QuireBase = OpenLibrary(QUIRENAME, 0);
  if (!QuireBase) {
    std::printf("Error: Couldn't open quire.library\n");
    return 0;
  }
  IPTR args[ARG_COUNT] = {};
  struct RDArgs* rdargs = ReadArgs(TEMPLATE, args, nullptr);
  if (!rdargs) {
    std::printf("No Argument...\n");
    CloseLibrary(QuireBase);
    return 0;
  }
  const LONG ready = QuireInit();
  if (ready == 1) {
    run_document(reinterpret_cast<CONST_STRPTR>(args[ARG_INPUT]), reinterpret_cast<CONST_STRPTR>(args[ARG_PAGE_NUMBER]));
    QuireExit(ready);
  }
  FreeArgs(rdargs);
  CloseLibrary(QuireBase);
  return 0;
}
