// Writes chosen pages of an open document: all into one PDF with real
// text (fonts embedded by cairo), or each into a PNG of its own. Every
// file is replaced whole or not at all.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/document.h"

namespace quire_export {

struct ExportResult {
  int code = 0;        // a shared tool exit code
  std::string reason;  // what went wrong, naming the file; empty on success
};

// Told after each page: how many are done, of how many.
using Progress = std::function<void(int done, int total)>;

ExportResult write_pdf(const quire::Document& doc, const std::vector<int>& pages, const std::string& output,
                       const Progress& progress);

// `pattern` names each file through name_for_page(); `dpi` sets the scale.
ExportResult write_pngs(const quire::Document& doc, const std::vector<int>& pages, const std::string& pattern,
                        double dpi, const Progress& progress);

}  // namespace quire_export
