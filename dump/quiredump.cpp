// quiredump INPUT PAGENUMBER: opens a Word document through quire.library,
// prints its page count and properties, and writes one page to
// "ram:test.png". Standard output carries exactly the tool's lines; trouble
// with the page number or the PNG file is told on standard error. The exit
// code is 0 in every case.
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

void print_properties() {
  std::printf("Number of pages: %ld\n", static_cast<long>(QuireGetPageCount()));
  std::printf("Title: %s\n", QuireGetTitle());
  std::printf("Subject: %s\n", QuireGetSubject());
  std::printf("Author: %s\n", QuireGetAuthor());
  std::printf("Company: %s\n", QuireGetCompany());
  std::printf("Appname: %s\n", QuireGetAppName());
  std::printf("Language: %s\n", QuireGetLanguage());
}

void write_page(LONG page) {
  APTR pixels = QuireRenderPage(page);
  if (!pixels) return;
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
  if (QuireOpen(input) == 0) {
    LONG page = 0;
    const bool page_ok = parse_page_number(page_text, page);
    std::printf("Open quire...!\n");
    print_properties();
    std::fflush(stdout);
    if (!page_ok) {
      std::fprintf(stderr, "quiredump: PAGENUMBER \"%s\" is not a decimal number; no page written\n", page_text);
    } else if (struct Library* cairo = OpenLibrary("cairo.library", 5)) {
      write_page(page);
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
