// Writes WMF streams field by field, in file order (little-endian) on any
// host, so test fixtures and sample pictures read like the records they
// hold. Points are given x, y; the builder stores them y first where the
// record does, and rectangles bottom, right, top, left.
//
//   WmfBuilder wmf;
//   wmf.placeable(0, 0, 100, 50).set_window_ext(100, 50).rectangle(10, 10, 90, 40);
//   std::vector<uint8_t> bytes = wmf.finish();
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vellum::test {

class WmfBuilder;

// One record under construction: parameters are appended in file order.
// The size is computed by finish() unless size_words() forces a wrong one.
class RecordWriter {
 public:
  RecordWriter& word(int value);  // 16 bits; negative values as two's complement
  RecordWriter& words(std::initializer_list<int> values);
  RecordWriter& dword(uint32_t value);
  RecordWriter& bytes(const std::vector<uint8_t>& data);
  RecordWriter& text(std::string_view s);  // the bytes, padded to an even length
  RecordWriter& colour(uint8_t red, uint8_t green, uint8_t blue, uint8_t reserved = 0);
  RecordWriter& size_words(uint32_t declared);
  WmfBuilder& end() { return owner_; }

 private:
  friend class WmfBuilder;
  RecordWriter(WmfBuilder& owner, size_t index) : owner_(owner), index_(index) {}
  std::vector<uint8_t>& data();
  WmfBuilder& owner_;
  size_t index_;
};

struct Bitmap16 {
  int width = 0, height = 0, bytes_per_row = 0;
  uint8_t planes = 1, bits_per_pixel = 24;
  std::vector<uint8_t> pixels;  // rows in file order, padding included
};

struct Font {
  int height = 12, width = 0, escapement = 0, orientation = 0, weight = 400;
  uint8_t italic = 0, underline = 0, strike_out = 0, charset = 0;
  uint8_t out_precision = 0, clip_precision = 0, quality = 0, pitch_and_family = 0;
  std::string face = "Sans";
};

class WmfBuilder {
 public:
  // Headers. Without placeable() the stream starts with the metafile header.
  WmfBuilder& placeable(int left, int top, int right, int bottom, int inch = 1440);
  WmfBuilder& placeable_checksum(uint16_t checksum);   // replaces the computed one
  WmfBuilder& header_size_words(uint16_t words);       // default 9; the header is padded
  WmfBuilder& file_size_words(uint32_t words);         // replaces the computed size
  WmfBuilder& without_eof();
  WmfBuilder& trailing(const std::vector<uint8_t>& garbage);  // after the end-of-file record
  WmfBuilder& object_count(uint16_t count);  // replaces the count of create records

  // Any record: type byte and parameter-count byte, then its parameters.
  RecordWriter record(uint8_t type, uint8_t parameter_count);

  // The records the player draws, in their usual argument order.
  WmfBuilder& set_bk_color(uint8_t red, uint8_t green, uint8_t blue);
  WmfBuilder& set_map_mode(int mode);
  WmfBuilder& set_polyfill_mode(int mode);
  WmfBuilder& set_text_color(uint8_t red, uint8_t green, uint8_t blue);
  WmfBuilder& set_window_ext(int x, int y);
  WmfBuilder& line_to(int x, int y);
  WmfBuilder& move_to(int x, int y);
  WmfBuilder& intersect_clip_rect(int left, int top, int right, int bottom);
  WmfBuilder& ellipse(int left, int top, int right, int bottom);
  WmfBuilder& rectangle(int left, int top, int right, int bottom);
  WmfBuilder& round_rect(int left, int top, int right, int bottom, int corner_width,
                         int corner_height);
  WmfBuilder& pat_blt(int x, int y, int width, int height, uint32_t rop);
  WmfBuilder& text_out(int x, int y, std::string_view text);
  WmfBuilder& bit_blt(int dest_x, int dest_y, int width, int height, int src_x, int src_y,
                      uint32_t rop);
  WmfBuilder& bit_blt(int dest_x, int dest_y, int width, int height, int src_x, int src_y,
                      uint32_t rop, const Bitmap16& bitmap);
  WmfBuilder& stretch_blt(int dest_x, int dest_y, int dest_width, int dest_height, int src_x,
                          int src_y, int src_width, int src_height, uint32_t rop);
  WmfBuilder& stretch_blt(int dest_x, int dest_y, int dest_width, int dest_height, int src_x,
                          int src_y, int src_width, int src_height, uint32_t rop,
                          const Bitmap16& bitmap);
  WmfBuilder& polygon(const std::vector<std::pair<int, int>>& points);
  WmfBuilder& polyline(const std::vector<std::pair<int, int>>& points);
  WmfBuilder& escape(int function, const std::vector<uint8_t>& data);
  WmfBuilder& set_text_align(int flags);
  WmfBuilder& poly_polygon(const std::vector<std::vector<std::pair<int, int>>>& polygons);
  WmfBuilder& create_pen(int style, int width, uint8_t red, uint8_t green, uint8_t blue);
  WmfBuilder& create_font(const Font& font);
  WmfBuilder& create_brush(int style, uint8_t red, uint8_t green, uint8_t blue, int hatch = 0);

  // Records the player skips.
  WmfBuilder& select_object(int index);
  WmfBuilder& delete_object(int index);
  // SELECTOBJECT of the object the last create record made.
  WmfBuilder& select_created();
  WmfBuilder& set_bk_mode(int mode);
  WmfBuilder& set_window_org(int x, int y);
  WmfBuilder& save_dc();
  WmfBuilder& restore_dc(int which);
  WmfBuilder& ext_text_out(int x, int y, std::string_view text, int options = 0,
                           std::optional<std::vector<int>> spacing = std::nullopt);

  // Records for the GDI player (mapping, ROP2, curves, palettes, text state).
  WmfBuilder& set_rop2(int mode);
  WmfBuilder& set_viewport_org(int x, int y);
  WmfBuilder& set_viewport_ext(int x, int y);
  WmfBuilder& offset_window_org(int dx, int dy);
  WmfBuilder& offset_viewport_org(int dx, int dy);
  WmfBuilder& scale_window_ext(int x_num, int x_den, int y_num, int y_den);
  WmfBuilder& scale_viewport_ext(int x_num, int x_den, int y_num, int y_den);
  WmfBuilder& arc(int left, int top, int right, int bottom, int x_start, int y_start, int x_end,
                  int y_end);
  WmfBuilder& pie(int left, int top, int right, int bottom, int x_start, int y_start, int x_end,
                  int y_end);
  WmfBuilder& chord(int left, int top, int right, int bottom, int x_start, int y_start,
                    int x_end, int y_end);
  WmfBuilder& set_pixel(int x, int y, uint8_t red, uint8_t green, uint8_t blue);
  WmfBuilder& create_palette(const std::vector<std::vector<uint8_t>>& rgb_entries);
  WmfBuilder& select_palette(int index);
  WmfBuilder& set_text_char_extra(int extra);
  WmfBuilder& set_text_justification(int break_count, int break_extra);
  // EXTTEXTOUT with its rectangle (left, top, right, bottom) written whenever
  // options has ETO_OPAQUE or ETO_CLIPPED.
  WmfBuilder& ext_text_out_rect(int x, int y, std::string_view text, int options,
                                std::vector<int> rect,
                                std::optional<std::vector<int>> spacing = std::nullopt);

  // The stream in file order. Can be called again after more records.
  std::vector<uint8_t> finish() const;
  // Writes finish() to a file; false when it cannot be written.
  bool write_to(const std::string& path) const;

  // Offsets of the records in finish(), the end-of-file record excluded.
  std::vector<size_t> record_offsets() const;

 private:
  friend class RecordWriter;
  struct Record {
    uint8_t type, parameter_count;
    std::vector<uint8_t> parameters;
    std::optional<uint32_t> declared_words;
  };
  struct Placeable {
    int left, top, right, bottom, inch;
    std::optional<uint16_t> checksum;
  };
  static std::vector<uint8_t> record_bytes(const Record& record);
  std::vector<uint8_t> header_bytes(uint32_t file_words, uint32_t largest_words) const;

  std::optional<Placeable> placeable_;
  uint16_t header_words_ = 9;
  std::optional<uint32_t> file_words_;
  bool eof_ = true;
  std::vector<uint8_t> trailing_;
  std::optional<uint16_t> object_count_;
  std::vector<Record> records_;
};

// Little-endian appends, for tests that lay out bytes by hand.
void put_u16(std::vector<uint8_t>& out, uint16_t value);
void put_u32(std::vector<uint8_t>& out, uint32_t value);

}  // namespace vellum::test
