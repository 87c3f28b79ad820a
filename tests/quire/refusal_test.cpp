// Files that are not readable Word 97-2003 documents are refused with their
// own result code, and leave the document empty.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "doc_writer.h"
#include "engine/document.h"

using namespace quire;
using namespace quire_test;

namespace {

int open_bytes(const Bytes& bytes) {
  Document doc;
  const int result = open_document_memory(doc, bytes.data(), bytes.size());
  if (result != OPEN_OK) {
    EXPECT_EQ(doc.page_count(), 0);
    EXPECT_EQ(doc.properties.title, "");
  }
  return result;
}

void put32(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

TEST(QuireRefusal, ForeignBytesAreNotACompoundFile) {
  const std::string text = "{\\rtf1 this is not a Word 97 document}";
  EXPECT_EQ(open_bytes(Bytes(text.begin(), text.end())), OPEN_NOT_COMPOUND);
  EXPECT_EQ(open_bytes(Bytes{}), OPEN_NOT_COMPOUND);
  Document doc;
  EXPECT_EQ(open_document(doc, "/nonexistent/file.doc"), OPEN_UNREADABLE);
}

TEST(QuireRefusal, TruncatedCompoundFileIsRefused) {
  const Bytes whole = write_doc(plain_doc({u"Some text"}));
  for (size_t cut : {whole.size() / 2, size_t{600}, size_t{100}}) {
    const Bytes part(whole.begin(), whole.begin() + static_cast<long>(cut));
    EXPECT_NE(open_bytes(part), OPEN_OK) << "cut at " << cut;
  }
}

TEST(QuireRefusal, CompoundFileWithoutWordStream) {
  Bytes word, table;
  build_streams(plain_doc({u"x"}), word, table);
  word[0] = 0;  // not the Word signature
  EXPECT_EQ(open_bytes(write_compound(word, table)), OPEN_NOT_WORD);
}

TEST(QuireRefusal, OlderWordVersionsAndEncryptionAreRefused) {
  DocPlan plan = plain_doc({u"x"});
  plan.nfib = 0x0065;  // Word 6
  EXPECT_EQ(open_bytes(write_doc(plan)), OPEN_OLD_WORD);
  plan.nfib = 0x0068;  // Word 95
  EXPECT_EQ(open_bytes(write_doc(plan)), OPEN_OLD_WORD);
  plan.nfib = 0x00C1;
  plan.flags |= 0x0100;
  EXPECT_EQ(open_bytes(write_doc(plan)), OPEN_ENCRYPTED);
  plan.flags |= 0x8000;  // obfuscated: still unreadable
  EXPECT_EQ(open_bytes(write_doc(plan)), OPEN_ENCRYPTED);
}

TEST(QuireRefusal, DamagedStructuresAreRefused) {
  Bytes word, table;
  build_streams(plain_doc({u"Some text"}), word, table);

  Bytes no_table_stream = write_compound(word, {});
  EXPECT_EQ(open_bytes(no_table_stream), OPEN_DAMAGED);

  Bytes short_fib(word.begin(), word.begin() + 0x30);
  EXPECT_EQ(open_bytes(write_compound(short_fib, table)), OPEN_DAMAGED);

  Bytes clx_outside = word;
  put32(clx_outside, FIB_CLX_PAIR, static_cast<uint32_t>(table.size()));
  EXPECT_EQ(open_bytes(write_compound(clx_outside, table)), OPEN_DAMAGED);

  Bytes no_clx = word;
  put32(no_clx, FIB_CLX_PAIR + 4, 0);
  EXPECT_EQ(open_bytes(write_compound(no_clx, table)), OPEN_DAMAGED);

  // The piece's text offset is moved past the end of the WordDocument stream.
  uint32_t clx_at = 0;
  for (int i = 0; i < 4; ++i) clx_at |= uint32_t{word[FIB_CLX_PAIR + i]} << (8 * i);
  Bytes piece_outside = table;
  put32(piece_outside, clx_at + 5 + 8 + 2, 0x40000000u | static_cast<uint32_t>(word.size() * 2));
  EXPECT_EQ(open_bytes(write_compound(word, piece_outside)), OPEN_DAMAGED);
}

TEST(QuireRefusal, AFailedOpenClearsThePreviousDocument) {
  Document doc;
  const Bytes good = write_doc(plain_doc({u"text"}));
  ASSERT_EQ(open_document_memory(doc, good.data(), good.size()), OPEN_OK);
  ASSERT_EQ(doc.page_count(), 1);
  const Bytes bad(100, 0xAB);
  EXPECT_NE(open_document_memory(doc, bad.data(), bad.size()), OPEN_OK);
  EXPECT_EQ(doc.page_count(), 0);
  EXPECT_EQ(doc.properties.title, "");
}

// Only a regular file reaches the reader: anything else is refused at once
// (a FIFO without a writer would block a reading open forever, /dev/zero
// never ends), and a file over the size limit is refused before a byte of
// it is read.
TEST(QuireRefusal, OnlyRegularFilesOfBoundedSizeAreRead) {
  Document doc;
  EXPECT_EQ(open_document(doc, "/dev/zero"), OPEN_UNREADABLE);
  EXPECT_EQ(open_document(doc, "/dev/null"), OPEN_UNREADABLE);
  const std::string dir = testing::TempDir() + "quire_refusal_dir";
  ::mkdir(dir.c_str(), 0700);
  EXPECT_EQ(open_document(doc, dir.c_str()), OPEN_UNREADABLE);
  const std::string fifo = dir + "/fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(open_document(doc, fifo.c_str()), OPEN_UNREADABLE);
  ::unlink(fifo.c_str());
  // A sparse file just over the limit: refused as too large, without reading it.
  const std::string big = dir + "/big.doc";
  const int fd = ::open(big.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(MAX_FILE_BYTES + 1)), 0);
  ::close(fd);
  EXPECT_EQ(open_document(doc, big.c_str()), OPEN_TOO_LARGE);
  ::unlink(big.c_str());
  ::rmdir(dir.c_str());
  EXPECT_EQ(doc.page_count(), 0);
}
