// The reader on documents the tests write themselves: properties, text
// through the piece table, paragraphs, tables, fields, breaks, formatting.
#include <gtest/gtest.h>

#include <cstdio>

#include "doc_writer.h"
#include "engine/document.h"
#include "open_plan.h"

using namespace quire;
using namespace quire_test;

namespace {

std::vector<std::string> paragraph_texts(const Document& doc) {
  std::vector<std::string> texts;
  for (const Block& block : doc.model.blocks)
    if (block.kind == BlockKind::PARAGRAPH) texts.push_back(block.paragraph.text);
  return texts;
}

const Paragraph& first_paragraph(const Document& doc) {
  for (const Block& block : doc.model.blocks)
    if (block.kind == BlockKind::PARAGRAPH) return block.paragraph;
  static const Paragraph none;
  ADD_FAILURE() << "no paragraph";
  return none;
}

}  // namespace

TEST(QuireReader, PropertiesComeFromBothPropertySets) {
  const Document doc = open_plan(plain_doc({u"Hello"}));
  EXPECT_EQ(doc.properties.title, "Fixture title");
  EXPECT_EQ(doc.properties.subject, "Fixture subject");
  EXPECT_EQ(doc.properties.author, "Fixture author");
  EXPECT_EQ(doc.properties.company, "Fixture company");
  EXPECT_EQ(doc.properties.app_name, "Fixture writer");
  EXPECT_EQ(doc.language, "English (United States)");
}

TEST(QuireReader, MissingPropertySetsGiveEmptyTexts) {
  DocPlan plan = plain_doc({u"Hello"});
  plan.with_properties = false;
  const Document doc = open_plan(plan);
  EXPECT_EQ(doc.properties.title, "");
  EXPECT_EQ(doc.properties.company, "");
  EXPECT_EQ(paragraph_texts(doc), std::vector<std::string>{"Hello"});
}

TEST(QuireReader, LanguageFollowsNormalStyleBeforeInstallLanguage) {
  DocPlan plan = plain_doc({u"Bonjour"});
  plan.lid = 0x0809;
  EXPECT_EQ(open_plan(plan).language, "English (United Kingdom)");
  plan.styles[0].chpx = sprm_u16(0x486D, 0x080C);
  EXPECT_EQ(open_plan(plan).language, "French (Belgium)");
  plan.styles[0].chpx = sprm_u16(0x486D, 0x0400);  // "no proofing" says nothing of the language
  EXPECT_EQ(open_plan(plan).language, "English (United Kingdom)");
}

TEST(QuireReader, PiecesMixEightBitAndUtf16Text) {
  DocPlan plan;
  plan.runs = {{u"Caf\u00e9 \x93quoted\x94 ", true, {}},
               {u"\u0416\U0001F600 ", false, {}},
               {u"end\r", true, {}}};
  // Windows-1252 quotes in the 8-bit piece, Cyrillic and a surrogate pair in the UTF-16 piece.
  EXPECT_EQ(paragraph_texts(open_plan(plan)),
            std::vector<std::string>{"Caf\u00e9 \u201cquoted\u201d \u0416\U0001F600 end"});
}

TEST(QuireReader, MarksSplitParagraphsAndControlsBecomeText) {
  DocPlan plan;
  plan.runs = {{u"one\rtwo\x0bthree\tfour\rnon\x1e" u"break\x01\x08\r", true, {}}};
  EXPECT_EQ(paragraph_texts(open_plan(plan)),
            (std::vector<std::string>{"one", "two\u2028three\tfour", "non\u2011break"}));
}

TEST(QuireReader, FieldsShowResultsNotCodes) {
  DocPlan plan;
  plan.runs = {{u"A\x13 AUTHOR \\* MERGEFORMAT \x14" u"ROB\x15 B\x13 SEQ x\x15 C"
                u"\x13 IF \x13 PAGE \x14" u"1\x15 \x14outer \x13 REF today \x14" u"today\x15\x15\r", true, {}}};
  EXPECT_EQ(paragraph_texts(open_plan(plan)), std::vector<std::string>{"AROB B Couter today"});
}

TEST(QuireReader, FileNameFieldsShowTheOpenedFilesNameElseTheirStoredResult) {
  DocPlan plan;
  plan.runs = {{u"\x13 FILENAME \x14" u"Document1\x15\r\x13 filename \\p \x14" u"C:\\Document1\x15\r"
                u"\x13 FILENAMES \x14kept\x15\r\x13 FILENAME \x15\r", true, {}}};
  EXPECT_EQ(paragraph_texts(open_plan(plan)), (std::vector<std::string>{"Document1", "C:\\Document1", "kept", ""}));
  const std::string path = ::testing::TempDir() + "quire-named-\u00e9.doc";
  const Bytes bytes = write_doc(plan);
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
  std::fclose(file);
  Document doc;
  ASSERT_EQ(open_document(doc, path.c_str()), OPEN_OK);
  std::remove(path.c_str());
  EXPECT_EQ(paragraph_texts(doc),
            (std::vector<std::string>{"quire-named-\u00e9.doc", path, "kept", "quire-named-\u00e9.doc"}));
}

// Form-field data of a drop-down offering `entries`, `chosen` picked.
Bytes dropdown_data(const std::vector<std::u16string>& entries, uint8_t chosen) {
  Bytes field;
  auto u16 = [&](uint16_t v) { field.insert(field.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)}); };
  u16(0xFFFF), u16(0xFFFF);           // version
  u16(static_cast<uint16_t>(2 | chosen << 2));  // a drop-down, its chosen entry
  u16(0), u16(0);                     // cch, hps
  u16(0), u16(0);                     // no name
  u16(0);                             // default entry
  for (int i = 0; i < 5; ++i) u16(0), u16(0);  // no format, help, status or macros
  u16(0xFFFF), u16(static_cast<uint16_t>(entries.size())), u16(0);
  for (const std::u16string& entry : entries) {
    u16(static_cast<uint16_t>(entry.size()));
    for (char16_t ch : entry) u16(ch);
  }
  return form_field_data(field);
}

TEST(QuireReader, DropDownFieldsShowTheirChosenEntry) {
  DocPlan plan;
  plan.data = dropdown_data({u"Choose from list", u"Co-applicant"}, 1);
  const Bytes second = dropdown_data({u"First", u"Second"}, 7);  // chosen past the list: the first shows
  const uint32_t second_at = static_cast<uint32_t>(plan.data.size());
  plan.data.insert(plan.data.end(), second.begin(), second.end());
  plan.runs = {{u"A \x13 FORMDROPDOWN ", true, {}}, {u"\x01", true, form_field_run(0)},
               {u"\x14\u2002\u2002\x15 B\r\x13 FORMDROPDOWN ", false, {}}, {u"\x01", true, form_field_run(second_at)},
               {u"\x15\r\x13 FORMDROPDOWN ", true, {}}, {u"\x01", true, picture_run(0)},  // no form data
               {u"\x14kept\x15\r", true, {}}};
  EXPECT_EQ(paragraph_texts(open_plan(plan)), (std::vector<std::string>{"A Co-applicant B", "First", "kept"}));
}

TEST(QuireReader, UnbalancedFieldMarksDoNotLoseLaterParagraphs) {
  DocPlan plan;
  plan.runs = {{u"x\x15\x14y\r\x13 open code\rafter\r", true, {}}};
  const auto texts = paragraph_texts(open_plan(plan));
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], "xy");
  EXPECT_EQ(texts[2], "");  // still inside the unclosed field code
}

TEST(QuireReader, TableCellsAndRowsFromCellMarks) {
  DocPlan plan;
  plan.runs = {{u"before\rA1\aB1 line\rB1 more\a\aA2\aB2\a\aafter\r", true, {}}};
  const Bytes in_table = sprm_u8(0x2416, 1);
  Bytes row_end = concat({in_table, sprm_u8(0x2417, 1)});
  // Table definition: two cells with edges 0, 2880 and 7200 twips.
  row_end.insert(row_end.end(), {0x08, 0xD6, 8, 0, 2, 0, 0, 0x40, 0x0B, 0x20, 0x1C});
  plan.paragraphs = {{}, in_table, in_table, in_table, row_end, in_table, in_table, row_end, {}};
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.model.blocks.size(), 4u);
  EXPECT_EQ(doc.model.blocks[0].paragraph.text, "before");
  const TableRow& first = doc.model.blocks[1].row;
  ASSERT_EQ(first.cells.size(), 2u);
  EXPECT_EQ(first.cells[0].paragraphs[0].text, "A1");
  ASSERT_EQ(first.cells[1].paragraphs.size(), 2u);
  EXPECT_EQ(first.cells[1].paragraphs[1].text, "B1 more");
  EXPECT_EQ(first.edges, (std::vector<int16_t>{0, 2880, 7200}));
  EXPECT_EQ(doc.model.blocks[2].row.cells[1].paragraphs[0].text, "B2");
  EXPECT_EQ(doc.model.blocks[3].paragraph.text, "after");
}

TEST(QuireReader, ManualPageBreakSplitsParagraph) {
  DocPlan plan;
  plan.runs = {{u"first\fsecond\r\fthird\r", true, {}}};
  const Document doc = open_plan(plan);
  std::vector<BlockKind> kinds;
  for (const Block& block : doc.model.blocks) kinds.push_back(block.kind);
  EXPECT_EQ(kinds, (std::vector<BlockKind>{BlockKind::PARAGRAPH, BlockKind::PAGE_BREAK, BlockKind::PARAGRAPH,
                                           BlockKind::PAGE_BREAK, BlockKind::PARAGRAPH}));
  EXPECT_EQ(paragraph_texts(doc), (std::vector<std::string>{"first", "second", "third"}));
  EXPECT_EQ(doc.page_count(), 3);
}

TEST(QuireReader, CharacterRunsCarryBoldItalicSizeAndColour) {
  DocPlan plan;
  plan.runs = {{u"plain ", true, {}},
               {u"bold ", true, sprm_u8(0x0835, 1)},
               {u"big italic red", true, concat({sprm_u8(0x0836, 1), sprm_u16(0x4A43, 48), sprm_u8(0x2A42, 6)})},
               {u"\r", true, {}}};
  const Document doc = open_plan(plan);
  const Paragraph& p = first_paragraph(doc);
  ASSERT_EQ(p.runs.size(), 3u);  // the paragraph mark is not text
  EXPECT_FALSE(p.runs[0].props.bold);
  EXPECT_EQ(p.text.substr(p.runs[1].start, p.runs[1].end - p.runs[1].start), "bold ");
  EXPECT_TRUE(p.runs[1].props.bold);
  EXPECT_TRUE(p.runs[2].props.italic);
  EXPECT_EQ(p.runs[2].props.half_points, 48);
  EXPECT_FALSE(p.runs[2].props.auto_colour);
  EXPECT_EQ(p.runs[2].props.colour, 0xFF0000u);
  EXPECT_EQ(p.runs[0].props.half_points, 20);  // Word's 10 pt default
}

TEST(QuireReader, StylesGiveBaseFormattingAndTogglesFlipIt) {
  DocPlan plan;
  plan.styles.push_back({u"Heading", 0, {}, concat({sprm_u8(0x0835, 1), sprm_u16(0x4A43, 32)})});
  plan.styles[0].chpx = sprm_u16(0x4A43, 24);
  plan.runs = {{u"normal\r", true, {}}, {u"heading ", true, {}}, {u"unbolded\r", true, sprm_u8(0x0835, 0x81)}};
  plan.paragraph_styles = {0, 1};
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.model.blocks.size(), 2u);
  const Paragraph& normal = doc.model.blocks[0].paragraph;
  const Paragraph& heading = doc.model.blocks[1].paragraph;
  EXPECT_EQ(normal.runs[0].props.half_points, 24);
  EXPECT_FALSE(normal.runs[0].props.bold);
  ASSERT_EQ(heading.runs.size(), 2u);
  EXPECT_TRUE(heading.runs[0].props.bold);
  EXPECT_EQ(heading.runs[0].props.half_points, 32);
  EXPECT_FALSE(heading.runs[1].props.bold);  // 0x81: the opposite of the bold style
}

// A field shows its stored result as the result itself is formatted: a plain
// code does not unbold it, and its toggle flips the paragraph's plain style.
TEST(QuireReader, AFieldResultKeepsItsOwnFormattingNotItsCodes) {
  DocPlan plan;
  plan.runs = {{u"\x13 DOCPROPERTY \"Logic\" \\* MERGEFORMAT \x14", true, {}},
               {u"Insert logic here.", true, sprm_u8(0x0835, 0x81)},
               {u"\x15.\r", true, {}}};
  const Document doc = open_plan(plan);
  const Paragraph& p = first_paragraph(doc);
  ASSERT_EQ(p.runs.size(), 2u);
  EXPECT_EQ(p.text.substr(p.runs[0].start, p.runs[0].end - p.runs[0].start), "Insert logic here.");
  EXPECT_TRUE(p.runs[0].props.bold);
  EXPECT_FALSE(p.runs[1].props.bold);
}

TEST(QuireReader, HiddenAndDeletedTextIsDropped) {
  DocPlan plan;
  plan.runs = {{u"shown ", true, {}}, {u"hidden ", true, sprm_u8(0x083C, 1)},
               {u"deleted ", true, sprm_u8(0x0800, 1)}, {u"again\r", true, {}}};
  EXPECT_EQ(paragraph_texts(open_plan(plan)), std::vector<std::string>{"shown again"});
}

TEST(QuireReader, ParagraphPropertiesFromPapx) {
  DocPlan plan = plain_doc({u"centred", u"indented"});
  plan.paragraphs = {sprm_u8(0x2461, 1), concat({sprm_u16(0x845E, 720), sprm_u16(0xA413, 240)})};
  const Document doc = open_plan(plan);
  EXPECT_EQ(doc.model.blocks[0].paragraph.props.alignment, Alignment::CENTRE);
  EXPECT_EQ(doc.model.blocks[1].paragraph.props.left_indent, 720);
  EXPECT_EQ(doc.model.blocks[1].paragraph.props.space_before, 240);
}

TEST(QuireReader, SectionMarginsAreRead) {
  DocPlan plan = plain_doc({u"x"});
  plan.section = concat({sprm_u16(0xB021, 2880), sprm_u16(0xB022, 720), sprm_u16(0x9023, 0xFA60 /* -1440 */)});
  const Document doc = open_plan(plan);
  ASSERT_FALSE(doc.model.sections.empty());
  EXPECT_EQ(doc.model.sections[0].left, 2880);
  EXPECT_EQ(doc.model.sections[0].right, 720);
  EXPECT_EQ(doc.model.sections[0].top, 1440);
}

TEST(QuireReader, ManyParagraphsSpanSeveralFormattingPages) {
  std::vector<std::u16string> texts;
  for (int i = 0; i < 200; ++i) texts.push_back(u"Paragraph " + std::u16string(1, u'A' + i % 26));
  DocPlan plan = plain_doc(texts);
  for (int i = 0; i < 200; ++i) plan.paragraphs.push_back(i % 2 ? sprm_u8(0x2461, 2) : Bytes{});
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.model.blocks.size(), 200u);
  EXPECT_EQ(doc.model.blocks[199].paragraph.text, "Paragraph R");
  EXPECT_EQ(doc.model.blocks[199].paragraph.props.alignment, Alignment::RIGHT);
  EXPECT_EQ(doc.model.blocks[198].paragraph.props.alignment, Alignment::LEFT);
}
