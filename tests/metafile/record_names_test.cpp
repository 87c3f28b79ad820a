#include <gtest/gtest.h>

#include <set>
#include <string>

#include "metafile/record_names.h"

namespace vellum::test {
namespace {

TEST(RecordNames, NamedAndUnnamedTypes) {
  EXPECT_STREQ(record_type_name(0x00), "U_WMR_EOF");
  EXPECT_STREQ(record_type_name(0x0C), "U_WMR_SETWINDOWEXT");
  EXPECT_STREQ(record_type_name(0x2F), "U_WMR_DRAWTEXT");
  EXPECT_STREQ(record_type_name(0x38), "U_WMR_POLYPOLYGON");
  EXPECT_STREQ(record_type_name(0x42), "U_WMR_DIBCREATEPATTERNBRUSH");
  EXPECT_STREQ(record_type_name(0xF8), "U_WMR_CREATEBRUSH");
  EXPECT_STREQ(record_type_name(0xFA), "U_WMR_CREATEPENINDIRECT");
  EXPECT_STREQ(record_type_name(0xFF), "U_WMR_CREATEREGION");
  EXPECT_STREQ(record_type_name(0x3A), "U_WMR_3A");
  EXPECT_STREQ(record_type_name(0x49), "U_WMR_49");
  EXPECT_STREQ(record_type_name(0xF1), "U_WMR_F1");
}

TEST(RecordNames, EveryValueHasItsOwnName) {
  std::set<std::string> names;
  int unnamed = 0;
  for (int type = 0; type < 256; ++type) {
    const std::string name = record_type_name(static_cast<uint8_t>(type));
    EXPECT_EQ(name.rfind("U_WMR_", 0), 0u) << name;
    names.insert(name);
    unnamed += name.size() == 8;
  }
  EXPECT_EQ(names.size(), 256u);
  // 0x3A-0x3F, 0x44-0x47, 0x49-0xEF, 0xF1-0xF6 have no record name.
  EXPECT_EQ(unnamed, 6 + 4 + 167 + 6);
}

}  // namespace
}  // namespace vellum::test
