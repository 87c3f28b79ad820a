#include "viewer_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "doc_writer.h"

namespace viewer_test {

std::string scratch_folder() {
  std::string folder = "/tmp/quire-viewer-test-" + std::to_string(getpid());
  mkdir(folder.c_str(), 0700);
  return folder;
}

std::string write_document(const std::string& name, int pages, const std::string& title,
                           const std::string& author) {
  std::vector<std::u16string> paragraphs;
  for (int page = 1; page <= pages; page++) {
    std::string text = "Page " + std::to_string(page);
    std::u16string paragraph(text.begin(), text.end());
    if (page < pages) paragraph += u'\f';  // a page break ends every page but the last
    paragraphs.push_back(paragraph);
  }
  quire_test::DocPlan plan = quire_test::plain_doc(paragraphs);
  plan.title = title;
  plan.author = author;
  quire_test::Bytes bytes = quire_test::write_doc(plan);
  std::string path = scratch_folder() + "/" + name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path;
}

}  // namespace viewer_test
