// Lists: labels from the list tables in front of each listed paragraph,
// numbered in reading order, formatted per level, restarted by overrides,
// and placed on the hanging indent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_writer.h"
#include "engine/document.h"
#include "engine/number_format.h"
#include "open_plan.h"

using namespace quire;
using namespace quire_test;

namespace {

std::vector<std::string> texts(const Document& doc) {
  std::vector<std::string> out;
  for (const Block& block : doc.model.blocks)
    if (block.kind == BlockKind::PARAGRAPH) out.push_back(block.paragraph.text);
  return out;
}

Bytes listed(uint16_t ilfo, uint8_t ilvl) { return concat({sprm_u16(0x460B, ilfo), sprm_u8(0x260A, ilvl)}); }

// A nine-level list: level 0 "%1.", level 1 "%1.%2)" in lower letters, the rest decimal.
ListPlan outline(int32_t id) {
  ListPlan list{id, {}};
  list.levels.push_back({NFC_DECIMAL, {0, u'.'}, 1, 0, {}, {}});
  list.levels.push_back({NFC_LOWER_LETTER, {0, u'.', 1, u')'}, 1, 1, {}, {}});
  for (int i = 2; i < 9; ++i) list.levels.push_back({NFC_DECIMAL, std::u16string(1, char16_t(i)), 1, 2, {}, {}});
  return list;
}

}  // namespace

TEST(QuireNumbers, FormatsAsWordWritesThem) {
  EXPECT_EQ(format_number(1994, NFC_UPPER_ROMAN), "MCMXCIV");
  EXPECT_EQ(format_number(4, NFC_LOWER_ROMAN), "iv");
  EXPECT_EQ(format_number(1, NFC_UPPER_LETTER), "A");
  EXPECT_EQ(format_number(28, NFC_LOWER_LETTER), "bb");  // past z the letter doubles
  EXPECT_EQ(format_number(11, NFC_ORDINAL), "11th");
  EXPECT_EQ(format_number(22, NFC_ORDINAL), "22nd");
  EXPECT_EQ(format_number(7, NFC_DECIMAL_ZERO), "07");
  EXPECT_EQ(format_number(0, NFC_UPPER_ROMAN), "0");  // no roman zero: decimal
  EXPECT_EQ(format_number(5, NFC_NONE), "");
}

TEST(QuireLists, LevelsNumberInOrderWithTheirTemplates) {
  DocPlan plan = plain_doc({u"One", u"Sub a", u"Sub b", u"Two", u"Sub again", u"Plain"});
  plan.lists = {outline(7)};
  plan.overrides = {{7}};
  plan.paragraphs = {listed(1, 0), listed(1, 1), listed(1, 1), listed(1, 0), listed(1, 1)};
  EXPECT_EQ(texts(open_plan(plan)), (std::vector<std::string>{"1.\tOne", "1.a) Sub a", "1.b) Sub b", "2.\tTwo",
                                                               "2.a) Sub again", "Plain"}));
}

TEST(QuireLists, OverridesShareTheListCountUnlessTheyRestart) {
  DocPlan plan = plain_doc({u"A", u"B", u"C", u"D"});
  plan.lists = {outline(3)};
  plan.overrides = {{3}, {3}, {3, 0, 10}};
  plan.paragraphs = {listed(1, 0), listed(1, 0), listed(2, 0), listed(3, 0)};
  EXPECT_EQ(texts(open_plan(plan)), (std::vector<std::string>{"1.\tA", "2.\tB", "3.\tC", "10.\tD"}));
}

TEST(QuireLists, SymbolBulletsBecomeUnicodeInASymbolFont) {
  DocPlan plan = plain_doc({u"Bulleted"});
  // A simple list whose one level shows Symbol's 0xB7 (a bullet) in font 2, "Symbol".
  plan.lists = {{9, {{NFC_BULLET, u"\xF0B7", 1, 0, sprm_u16(0x4A4F, 2), {}}}}};
  plan.overrides = {{9}};
  plan.paragraphs = {listed(1, 0)};
  const Document doc = open_plan(plan);
  const Paragraph& p = doc.model.blocks.at(0).paragraph;
  EXPECT_EQ(p.text, "\u2022\tBulleted");
  ASSERT_GE(p.runs.size(), 2u);
  ASSERT_LT(p.runs[0].props.font, doc.model.fonts.size());
  EXPECT_EQ(doc.model.fonts[p.runs[0].props.font], "Standard Symbols PS");
  EXPECT_EQ(p.runs[0].end, 4u);  // the bullet and its tab
}

TEST(QuireLists, NoListOrAMissingListLeavesTheParagraphAlone) {
  DocPlan plan = plain_doc({u"Unknown override", u"Removed"});
  plan.lists = {outline(1)};
  plan.overrides = {{1}};
  plan.paragraphs = {listed(5, 0), listed(0xF801, 0)};
  EXPECT_EQ(texts(open_plan(plan)), (std::vector<std::string>{"Unknown override", "Removed"}));
}

TEST(QuireLists, TheLevelsIndentsApplyAndTheParagraphsOwnWin) {
  DocPlan plan = plain_doc({u"From the level", u"Own indent"});
  ListPlan list{4, {{NFC_DECIMAL, {0, u'.'}, 1, 0, {}, concat({sprm_u16(0x840F, 720), sprm_u16(0x8411, 0xFE98)})}}};
  plan.lists = {list};
  plan.overrides = {{4}};
  plan.paragraphs = {listed(1, 0), concat({listed(1, 0), sprm_u16(0x840F, 1440)})};
  const Document doc = open_plan(plan);
  EXPECT_EQ(doc.model.blocks.at(0).paragraph.props.left_indent, 720);
  EXPECT_EQ(doc.model.blocks.at(0).paragraph.props.first_indent, -360);
  EXPECT_EQ(doc.model.blocks.at(1).paragraph.props.left_indent, 1440);
}

TEST(QuireLists, DamagedListTablesOpenWithoutLabels) {
  DocPlan plan = plain_doc({u"Text"});
  plan.lists = {outline(2)};
  plan.overrides = {{2}};
  plan.paragraphs = {listed(1, 0)};
  Bytes word, table;
  build_streams(plan, word, table);
  // Cut the table stream inside the list levels: the reader must stop there.
  const uint32_t lst_at = word[0x9A + 8 * 73] | word[0x9A + 8 * 73 + 1] << 8;
  table.resize(lst_at + 40);
  const Bytes bytes = write_compound(word, table);
  Document doc;
  const int result = open_document_memory(doc, bytes.data(), bytes.size());
  EXPECT_TRUE(result == OPEN_OK || result == OPEN_DAMAGED);
}
