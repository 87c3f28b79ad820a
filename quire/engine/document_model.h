// The document as the reader hands it to the layout: blocks of paragraphs,
// table rows and page breaks, each paragraph UTF-8 text with runs of
// character properties.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "properties.h"

namespace quire {

// Invariant: runs are ordered, non-empty, and cover [0, text.size()) without gaps.
struct TextRun {
  uint32_t start = 0, end = 0;  // byte offsets into Paragraph::text
  CharProps props;
};

// Characters the drawing replaces with the page's number and the page count.
constexpr char32_t PAGE_NUMBER_CHAR = 0xE000;
constexpr char32_t PAGE_COUNT_CHAR = 0xE001;
// The character standing for an inline picture (its run names the picture).
constexpr char32_t OBJECT_CHAR = 0xFFFC;

struct Paragraph {
  std::string text;
  std::vector<TextRun> runs;
  ParaProps props;
  CharProps mark;  // properties of the paragraph mark: the height of an empty line
  bool has_fields = false;  // holds page-number characters to fill in when drawn
};

struct TableCell {
  std::vector<Paragraph> paragraphs;
};

struct TableRow {
  std::vector<TableCell> cells;
  std::vector<int16_t> edges;  // cell boundaries in twips, cells + 1 of them, or empty
  std::vector<uint32_t> shading;  // per cell: 0xRRGGBB, or 0xFFFFFFFF for none
  std::vector<uint8_t> align;     // per cell: 0 top, 1 centre, 2 bottom
  std::vector<uint8_t> borders;   // per cell: CellSide bits
  int16_t height = 0;             // twips: > 0 at least, < 0 exactly, 0 as tall as its text
  int16_t gap_half = 108;         // twips between each cell's edges and its text
  RowPlacement placement = RowPlacement::LEFT;  // left: at its first cell edge; else centred or
                                                // right-aligned between the margins
  uint16_t width_percent = 0;     // 50ths of a percent of the text width, or 0: the cells' widths
  FramePosition frame;            // a positioned table's place
};

enum class BlockKind : uint8_t { PARAGRAPH, ROW, PAGE_BREAK };

struct Block {
  BlockKind kind = BlockKind::PARAGRAPH;
  uint16_t section = 0;
  Paragraph paragraph;  // for PARAGRAPH
  TableRow row;         // for ROW
};

// Page size and margins in twips (Word's defaults: Letter, portrait).
struct SectionFormat {
  uint32_t cp_end = 0;
  int32_t left = 1800, right = 1800, top = 1440, bottom = 1440;
  int32_t page_width = 12240, page_height = 15840;
  int32_t header_distance = 720, footer_distance = 720;
  bool landscape = false;
  bool title_page = false;       // a first page with its own header and footer
  bool restart_numbers = false;  // page numbers restart at `first_number`
  int32_t first_number = 1;
  uint8_t page_number_format = 0;  // nfc of PAGE fields
  uint8_t break_kind = 2;  // how the section starts: 0 continuous, 2 new page...
};

// Header and footer stories of a section, by kind, indices into
// DocumentModel::stories (-1: none, the previous section's is inherited).
enum StoryKind : uint8_t {
  EVEN_HEADER, ODD_HEADER, EVEN_FOOTER, ODD_FOOTER, FIRST_HEADER, FIRST_FOOTER, STORY_KINDS
};

// A piece of text outside the main flow: a header, a footer or a note.
struct Story {
  std::vector<Block> blocks;
};

// A decoded picture: its bytes in their own format and the size and
// cropping Word shows it at.
enum class PictureFormat : uint8_t { NONE, WMF, EMF, PICT, PNG, JPEG, DIB, TIFF };
struct Picture {
  PictureFormat format = PictureFormat::NONE;
  std::vector<uint8_t> bytes;
  double width = 0, height = 0;  // shown size, points (after scaling and cropping)
  // Cropped fractions of the full picture on each side (0..1).
  double crop_left = 0, crop_top = 0, crop_right = 0, crop_bottom = 0;
};

constexpr uint32_t NO_COLOUR = 0xFFFFFFFFu;
constexpr uint32_t NO_PICTURE = 0xFFFFFFFFu;

// One path of a drawn shape's outline. Points are fractions of the shape's
// box (0 at its left or top edge, 1 at its right or bottom edge).
enum class PathStep : uint8_t { MOVE, LINE, CURVE, CLOSE };
struct ShapePath {
  std::vector<PathStep> steps;
  std::vector<double> points;  // x, y pairs: one for MOVE and LINE, three for CURVE, none for CLOSE
  bool filled = true, stroked = true;
  double shade = 1;  // the fill colour's brightness: the far side of a band is drawn darker
};
using ShapePaths = std::vector<ShapePath>;

// What a floating shape shows other than a picture: a text box's story
// laid out inside its box, or text art stretched over it, on the box's
// fill and inside its outline; or a drawn outline (a freeform or a preset
// shape) filled and stroked in place of the box's rectangle.
struct ShapeText {
  std::vector<Block> blocks;  // a text box's paragraphs
  uint32_t text_id = 0;       // which text box story fills `blocks`: its number << 16
  bool in_header = false;     // the story is one of the headers' text boxes
  std::string art, art_font;  // text art: its text (UTF-8, lines split by \n) and font family
  bool art_bold = false, art_italic = false;
  uint32_t fill = NO_COLOUR, line = NO_COLOUR;  // 0xRRGGBB; text art's letters take the fill
  double line_width = 0.75;   // points
  double inset[4] = {0, 0, 0, 0};  // text margins, left top right bottom, points
  std::shared_ptr<const ShapePaths> paths;  // a drawn outline, shared by every anchor of one shape
  double rotation = 0;        // of the outline about the box's centre, degrees clockwise
  bool flip_h = false, flip_v = false;
};

// A picture or shape that floats over the text, anchored in a paragraph.
struct FloatingPicture {
  uint32_t picture = 0;       // index into DocumentModel::pictures, or NO_PICTURE
  uint32_t text = NO_PICTURE; // index into DocumentModel::shape_texts, or NO_PICTURE
  size_t block = SIZE_MAX;    // the block holding its anchor (main text)
  int32_t story = -1;         // or the header or footer story holding it
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // twips, from the frame `bx`/`by` name
  uint8_t bx = 0, by = 0;     // horizontal: 0 margin, 1 page, 2 column; vertical: 0 margin, 1 page, 2 paragraph
  bool behind = false;
};

// A footnote or endnote: its text, and the block whose paragraph refers to it.
struct Note {
  Story story;
  size_t block = SIZE_MAX;
};

struct DocumentModel {
  std::vector<Block> blocks;
  std::vector<SectionFormat> sections;
  std::vector<Story> stories;  // headers and footers
  std::vector<std::array<int32_t, STORY_KINDS>> section_stories;  // per section
  bool facing_pages = false;   // different odd and even headers
  bool revision_markup = false;  // tracked changes print with markup (else deleted text is hidden)
  int32_t default_tab = 720;   // twips between default tab stops
  std::vector<Note> footnotes, endnotes;
  std::vector<Picture> pictures;
  std::vector<FloatingPicture> floats;
  std::vector<ShapeText> shape_texts;
  uint32_t skipped_emf = 0;    // EMF pictures shown as a grey box
  std::vector<std::string> fonts;
  CharProps defaults;
  uint16_t language = 0;  // language id of the text
};

}  // namespace quire
