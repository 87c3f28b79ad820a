// quire_pages DOC PREFIX [SCALE]: a developer's look at the engine's pages.
// Opens DOC, prints its page count and each page's size, and writes every
// page as PREFIX-N.png (SCALE pixels per point, default 1.5) and all of
// them as PREFIX.pdf.
#include <cairo-pdf.h>
#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/document.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: quire_pages DOC PREFIX [SCALE]\n");
    return 2;
  }
  const double scale = argc > 3 ? std::atof(argv[3]) : 1.5;
  quire::Document doc;
  const int result = quire::open_document(doc, argv[1]);
  if (result != 0) {
    std::printf("open failed: %d\n", result);
    return 1;
  }
  std::printf("pages %d pictures %zu floats %zu footnotes %zu endnotes %zu stories %zu emf %u\n", doc.page_count(),
              doc.model.pictures.size(), doc.model.floats.size(), doc.model.footnotes.size(),
              doc.model.endnotes.size(), doc.model.stories.size(), doc.model.skipped_emf);
  if (std::getenv("QUIRE_DUMP")) {
    auto dump = [](const quire::Paragraph& p, const char* where) {
      std::printf("%s [list %u/%u ind %d/%d tabs %zu] %s\n", where, p.props.list, p.props.list_level,
                  p.props.left_indent, p.props.first_indent, p.props.tabs.size(), p.text.c_str());
    };
    for (const quire::Block& block : doc.model.blocks) {
      if (block.kind == quire::BlockKind::PARAGRAPH) dump(block.paragraph, "P");
      for (const quire::TableCell& cell : block.row.cells)
        for (const quire::Paragraph& p : cell.paragraphs) dump(p, "  C");
      if (block.kind == quire::BlockKind::PAGE_BREAK) std::printf("--- break (section %u)\n", block.section);
    }
    for (const quire::Story& story : doc.model.stories)
      for (const quire::Block& block : story.blocks)
        if (block.kind == quire::BlockKind::PARAGRAPH) dump(block.paragraph, "S");
    for (const quire::Note& note : doc.model.footnotes)
      for (const quire::Block& block : note.story.blocks)
        if (block.kind == quire::BlockKind::PARAGRAPH) dump(block.paragraph, "F");
  }
  const std::string prefix = argv[2];
  cairo_surface_t* pdf = cairo_pdf_surface_create((prefix + ".pdf").c_str(), 595, 842);
  for (int i = 0; i < doc.page_count(); ++i) {
    const quire::Page& page = doc.layout.pages[static_cast<size_t>(i)];
    std::printf("page %d: %.1f x %.1f\n", i + 1, page.width, page.height);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(page.width * scale),
                                                        static_cast<int>(page.height * scale));
    cairo_t* cr = cairo_create(image);
    cairo_scale(cr, scale, scale);
    quire::draw_page(cr, doc.model, doc.layout, static_cast<size_t>(i));
    cairo_destroy(cr);
    cairo_surface_write_to_png(image, (prefix + "-" + std::to_string(i + 1) + ".png").c_str());
    cairo_surface_destroy(image);
    cairo_pdf_surface_set_size(pdf, page.width, page.height);
    cairo_t* pcr = cairo_create(pdf);
    quire::draw_page(pcr, doc.model, doc.layout, static_cast<size_t>(i));
    cairo_show_page(pcr);
    cairo_destroy(pcr);
  }
  cairo_surface_destroy(pdf);
  return 0;
}
