// Shared by the viewer tests: Word documents written for the test, the
// widgets of a window found by type, and attribute reads.
#pragma once

#include <QApplication>
#include <QWidget>
#include <string>

#include <proto/intuition.h>

namespace viewer_test {

// A folder of this test program's own files.
std::string scratch_folder();

// A Word document of `pages` pages (page n reads "Page n"), with the
// given title and author in its properties; its path.
std::string write_document(const std::string& name, int pages, const std::string& title = "A title",
                           const std::string& author = "An author");

inline IPTR get(Object* obj, ULONG attr) {
  IPTR value = 0;
  GetAttr(attr, obj, &value);
  return value;
}

inline std::string get_text(Object* obj, ULONG attr) {
  IPTR value = get(obj, attr);
  return value ? reinterpret_cast<const char*>(value) : "";
}

// The first widget of type T among the visible top-level widgets' children.
template <typename T>
T* find_widget() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible()) continue;
    if (auto* found = top->findChild<T*>()) return found;
  }
  return nullptr;
}

}  // namespace viewer_test
