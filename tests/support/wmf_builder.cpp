#include "tests/support/wmf_builder.h"

#include <algorithm>
#include <fstream>

namespace vellum::test {

void put_u16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void put_u32(std::vector<uint8_t>& out, uint32_t value) {
  put_u16(out, static_cast<uint16_t>(value));
  put_u16(out, static_cast<uint16_t>(value >> 16));
}

// ---- RecordWriter

std::vector<uint8_t>& RecordWriter::data() { return owner_.records_[index_].parameters; }

RecordWriter& RecordWriter::word(int value) {
  put_u16(data(), static_cast<uint16_t>(value));
  return *this;
}

RecordWriter& RecordWriter::words(std::initializer_list<int> values) {
  for (int v : values) word(v);
  return *this;
}

RecordWriter& RecordWriter::dword(uint32_t value) {
  put_u32(data(), value);
  return *this;
}

RecordWriter& RecordWriter::bytes(const std::vector<uint8_t>& bytes) {
  data().insert(data().end(), bytes.begin(), bytes.end());
  return *this;
}

RecordWriter& RecordWriter::text(std::string_view s) {
  data().insert(data().end(), s.begin(), s.end());
  if (s.size() % 2) data().push_back(0);
  return *this;
}

RecordWriter& RecordWriter::colour(uint8_t red, uint8_t green, uint8_t blue, uint8_t reserved) {
  return bytes({red, green, blue, reserved});
}

RecordWriter& RecordWriter::size_words(uint32_t declared) {
  owner_.records_[index_].declared_words = declared;
  return *this;
}

// ---- headers and options

WmfBuilder& WmfBuilder::placeable(int left, int top, int right, int bottom, int inch) {
  placeable_ = Placeable{left, top, right, bottom, inch, std::nullopt};
  return *this;
}

WmfBuilder& WmfBuilder::placeable_checksum(uint16_t checksum) {
  if (placeable_) placeable_->checksum = checksum;
  return *this;
}

WmfBuilder& WmfBuilder::header_size_words(uint16_t words) {
  header_words_ = words;
  return *this;
}

WmfBuilder& WmfBuilder::file_size_words(uint32_t words) {
  file_words_ = words;
  return *this;
}

WmfBuilder& WmfBuilder::without_eof() {
  eof_ = false;
  return *this;
}

WmfBuilder& WmfBuilder::trailing(const std::vector<uint8_t>& garbage) {
  trailing_.insert(trailing_.end(), garbage.begin(), garbage.end());
  return *this;
}

RecordWriter WmfBuilder::record(uint8_t type, uint8_t parameter_count) {
  records_.push_back(Record{type, parameter_count, {}, std::nullopt});
  return RecordWriter(*this, records_.size() - 1);
}

// ---- records the player draws

WmfBuilder& WmfBuilder::set_bk_color(uint8_t red, uint8_t green, uint8_t blue) {
  return record(0x01, 0x02).colour(red, green, blue).end();
}

WmfBuilder& WmfBuilder::set_map_mode(int mode) { return record(0x03, 0x01).word(mode).end(); }

WmfBuilder& WmfBuilder::set_polyfill_mode(int mode) {
  return record(0x06, 0x01).word(mode).end();
}

WmfBuilder& WmfBuilder::set_text_color(uint8_t red, uint8_t green, uint8_t blue) {
  return record(0x09, 0x02).colour(red, green, blue).end();
}

WmfBuilder& WmfBuilder::set_window_ext(int x, int y) {
  return record(0x0C, 0x02).words({y, x}).end();
}

WmfBuilder& WmfBuilder::line_to(int x, int y) { return record(0x13, 0x02).words({y, x}).end(); }

WmfBuilder& WmfBuilder::move_to(int x, int y) { return record(0x14, 0x02).words({y, x}).end(); }

WmfBuilder& WmfBuilder::intersect_clip_rect(int left, int top, int right, int bottom) {
  return record(0x16, 0x04).words({bottom, right, top, left}).end();
}

WmfBuilder& WmfBuilder::ellipse(int left, int top, int right, int bottom) {
  return record(0x18, 0x04).words({bottom, right, top, left}).end();
}

WmfBuilder& WmfBuilder::rectangle(int left, int top, int right, int bottom) {
  return record(0x1B, 0x04).words({bottom, right, top, left}).end();
}

WmfBuilder& WmfBuilder::round_rect(int left, int top, int right, int bottom, int corner_width,
                                   int corner_height) {
  return record(0x1C, 0x06)
      .words({corner_height, corner_width, bottom, right, top, left})
      .end();
}

WmfBuilder& WmfBuilder::pat_blt(int x, int y, int width, int height, uint32_t rop) {
  return record(0x1D, 0x06).dword(rop).words({height, width, y, x}).end();
}

WmfBuilder& WmfBuilder::text_out(int x, int y, std::string_view text) {
  return record(0x21, 0x05)
      .word(static_cast<int>(text.size()))
      .text(text)
      .words({y, x})
      .end();
}

namespace {

std::vector<uint8_t> bitmap16_bytes(const Bitmap16& bitmap) {
  std::vector<uint8_t> out;
  put_u16(out, 0);  // type
  put_u16(out, static_cast<uint16_t>(bitmap.width));
  put_u16(out, static_cast<uint16_t>(bitmap.height));
  put_u16(out, static_cast<uint16_t>(bitmap.bytes_per_row));
  out.push_back(bitmap.planes);
  out.push_back(bitmap.bits_per_pixel);
  out.insert(out.end(), bitmap.pixels.begin(), bitmap.pixels.end());
  return out;
}

}  // namespace

WmfBuilder& WmfBuilder::bit_blt(int dest_x, int dest_y, int width, int height, int src_x,
                                int src_y, uint32_t rop) {
  return record(0x22, 0x09)
      .dword(rop)
      .words({src_y, src_x, 0, height, width, dest_y, dest_x})
      .end();
}

WmfBuilder& WmfBuilder::bit_blt(int dest_x, int dest_y, int width, int height, int src_x,
                                int src_y, uint32_t rop, const Bitmap16& bitmap) {
  return record(0x22, 0x09)
      .dword(rop)
      .words({src_y, src_x, height, width, dest_y, dest_x})
      .bytes(bitmap16_bytes(bitmap))
      .end();
}

WmfBuilder& WmfBuilder::stretch_blt(int dest_x, int dest_y, int dest_width, int dest_height,
                                    int src_x, int src_y, int src_width, int src_height,
                                    uint32_t rop) {
  return record(0x23, 0x0B)
      .dword(rop)
      .words({src_height, src_width, src_y, src_x, 0, dest_height, dest_width, dest_y, dest_x})
      .end();
}

WmfBuilder& WmfBuilder::stretch_blt(int dest_x, int dest_y, int dest_width, int dest_height,
                                    int src_x, int src_y, int src_width, int src_height,
                                    uint32_t rop, const Bitmap16& bitmap) {
  return record(0x23, 0x0B)
      .dword(rop)
      .words({src_height, src_width, src_y, src_x, dest_height, dest_width, dest_y, dest_x})
      .bytes(bitmap16_bytes(bitmap))
      .end();
}

namespace {

void put_points(RecordWriter& writer, const std::vector<std::pair<int, int>>& points) {
  for (const auto& [x, y] : points) writer.words({x, y});  // arrays keep x first
}

}  // namespace

WmfBuilder& WmfBuilder::polygon(const std::vector<std::pair<int, int>>& points) {
  auto writer = record(0x24, 0x03);
  writer.word(static_cast<int>(points.size()));
  put_points(writer, points);
  return writer.end();
}

WmfBuilder& WmfBuilder::polyline(const std::vector<std::pair<int, int>>& points) {
  auto writer = record(0x25, 0x03);
  writer.word(static_cast<int>(points.size()));
  put_points(writer, points);
  return writer.end();
}

WmfBuilder& WmfBuilder::escape(int function, const std::vector<uint8_t>& data) {
  return record(0x26, 0x06)
      .words({function, static_cast<int>(data.size())})
      .bytes(data)
      .end();
}

WmfBuilder& WmfBuilder::set_text_align(int flags) { return record(0x2E, 0x01).word(flags).end(); }

WmfBuilder& WmfBuilder::poly_polygon(
    const std::vector<std::vector<std::pair<int, int>>>& polygons) {
  auto writer = record(0x38, 0x05);
  writer.word(static_cast<int>(polygons.size()));
  for (const auto& polygon : polygons) writer.word(static_cast<int>(polygon.size()));
  for (const auto& polygon : polygons) put_points(writer, polygon);
  return writer.end();
}

WmfBuilder& WmfBuilder::create_pen(int style, int width, uint8_t red, uint8_t green,
                                   uint8_t blue) {
  return record(0xFA, 0x02).words({style, width, 0}).colour(red, green, blue).end();
}

WmfBuilder& WmfBuilder::create_font(const Font& font) {
  std::string face = font.face;
  face.push_back('\0');
  return record(0xFB, 0x02)
      .words({font.height, font.width, font.escapement, font.orientation, font.weight})
      .bytes({font.italic, font.underline, font.strike_out, font.charset, font.out_precision,
              font.clip_precision, font.quality, font.pitch_and_family})
      .text(face)
      .end();
}

WmfBuilder& WmfBuilder::create_brush(int style, uint8_t red, uint8_t green, uint8_t blue,
                                     int hatch) {
  return record(0xFC, 0x02).word(style).colour(red, green, blue).word(hatch).end();
}

// ---- records the player skips

WmfBuilder& WmfBuilder::select_object(int index) { return record(0x2D, 0x01).word(index).end(); }

WmfBuilder& WmfBuilder::delete_object(int index) { return record(0xF0, 0x01).word(index).end(); }

namespace {

bool creates_object(uint8_t type) { return type >= 0xF7 || type == 0x42; }

}  // namespace

// Replays the table as GDI fills it: each create takes the lowest free slot,
// DELETEOBJECT frees one.
WmfBuilder& WmfBuilder::select_created() {
  std::vector<bool> used;
  size_t slot = 0;
  for (const Record& r : records_) {
    if (r.type == 0xF0 && r.parameters.size() >= 2) {
      const size_t index = r.parameters[0] | r.parameters[1] << 8;
      if (index < used.size()) used[index] = false;
    } else if (creates_object(r.type)) {
      slot = 0;
      while (slot < used.size() && used[slot]) ++slot;
      if (slot == used.size()) used.push_back(false);
      used[slot] = true;
    }
  }
  return select_object(static_cast<int>(slot));
}

WmfBuilder& WmfBuilder::set_bk_mode(int mode) { return record(0x02, 0x01).word(mode).end(); }

WmfBuilder& WmfBuilder::set_window_org(int x, int y) {
  return record(0x0B, 0x02).words({y, x}).end();
}

WmfBuilder& WmfBuilder::save_dc() { return record(0x1E, 0x00).end(); }

WmfBuilder& WmfBuilder::restore_dc(int which) { return record(0x27, 0x01).word(which).end(); }

WmfBuilder& WmfBuilder::ext_text_out(int x, int y, std::string_view text, int options,
                                     std::optional<std::vector<int>> spacing) {
  auto writer = record(0x32, 0x0A);
  writer.words({y, x, static_cast<int>(text.size()), options});
  if (options & 0x0006) writer.words({0, 0, 0, 0});  // rectangle: left, top, right, bottom
  writer.text(text);
  if (spacing) {
    for (int dx : *spacing) writer.word(dx);
  }
  return writer.end();
}

WmfBuilder& WmfBuilder::ext_text_out_rect(int x, int y, std::string_view text, int options,
                                          std::vector<int> rect,
                                          std::optional<std::vector<int>> spacing) {
  auto writer = record(0x32, 0x0A);
  writer.words({y, x, static_cast<int>(text.size()), options});
  if (options & 0x0006) {
    rect.resize(4, 0);
    writer.words({rect[0], rect[1], rect[2], rect[3]});
  }
  writer.text(text);
  if (spacing) {
    for (int dx : *spacing) writer.word(dx);
  }
  return writer.end();
}

WmfBuilder& WmfBuilder::object_count(uint16_t count) {
  object_count_ = count;
  return *this;
}

WmfBuilder& WmfBuilder::set_rop2(int mode) { return record(0x04, 0x01).word(mode).end(); }

WmfBuilder& WmfBuilder::set_viewport_org(int x, int y) {
  return record(0x0D, 0x02).words({y, x}).end();
}

WmfBuilder& WmfBuilder::set_viewport_ext(int x, int y) {
  return record(0x0E, 0x02).words({y, x}).end();
}

WmfBuilder& WmfBuilder::offset_window_org(int dx, int dy) {
  return record(0x0F, 0x02).words({dy, dx}).end();
}

WmfBuilder& WmfBuilder::offset_viewport_org(int dx, int dy) {
  return record(0x11, 0x02).words({dy, dx}).end();
}

WmfBuilder& WmfBuilder::scale_window_ext(int x_num, int x_den, int y_num, int y_den) {
  return record(0x10, 0x04).words({y_den, y_num, x_den, x_num}).end();
}

WmfBuilder& WmfBuilder::scale_viewport_ext(int x_num, int x_den, int y_num, int y_den) {
  return record(0x12, 0x04).words({y_den, y_num, x_den, x_num}).end();
}

WmfBuilder& WmfBuilder::arc(int left, int top, int right, int bottom, int x_start, int y_start,
                            int x_end, int y_end) {
  return record(0x17, 0x08)
      .words({y_end, x_end, y_start, x_start, bottom, right, top, left})
      .end();
}

WmfBuilder& WmfBuilder::pie(int left, int top, int right, int bottom, int x_start, int y_start,
                            int x_end, int y_end) {
  return record(0x1A, 0x08)
      .words({y_end, x_end, y_start, x_start, bottom, right, top, left})
      .end();
}

WmfBuilder& WmfBuilder::chord(int left, int top, int right, int bottom, int x_start,
                              int y_start, int x_end, int y_end) {
  return record(0x30, 0x08)
      .words({y_end, x_end, y_start, x_start, bottom, right, top, left})
      .end();
}

WmfBuilder& WmfBuilder::set_pixel(int x, int y, uint8_t red, uint8_t green, uint8_t blue) {
  return record(0x1F, 0x04).colour(red, green, blue).words({y, x}).end();
}

WmfBuilder& WmfBuilder::create_palette(const std::vector<std::vector<uint8_t>>& rgb_entries) {
  auto writer = record(0xF7, 0x00);
  writer.words({0x0300, static_cast<int>(rgb_entries.size())});
  for (const auto& e : rgb_entries) writer.colour(e.at(0), e.at(1), e.at(2));
  return writer.end();
}

WmfBuilder& WmfBuilder::select_palette(int index) {
  return record(0x34, 0x02).word(index).end();
}

WmfBuilder& WmfBuilder::set_text_char_extra(int extra) {
  return record(0x08, 0x01).word(extra).end();
}

WmfBuilder& WmfBuilder::set_text_justification(int break_count, int break_extra) {
  return record(0x0A, 0x02).words({break_count, break_extra}).end();
}

// ---- assembly

std::vector<uint8_t> WmfBuilder::record_bytes(const Record& record) {
  std::vector<uint8_t> out;
  const uint32_t words = static_cast<uint32_t>(3 + (record.parameters.size() + 1) / 2);
  put_u32(out, record.declared_words.value_or(words));
  out.push_back(record.type);
  out.push_back(record.parameter_count);
  out.insert(out.end(), record.parameters.begin(), record.parameters.end());
  if (record.parameters.size() % 2) out.push_back(0);
  return out;
}

std::vector<uint8_t> WmfBuilder::header_bytes(uint32_t file_words, uint32_t largest_words) const {
  std::vector<uint8_t> out;
  if (placeable_) {
    put_u32(out, 0x9AC6CDD7);
    put_u16(out, 0);  // handle
    put_u16(out, static_cast<uint16_t>(placeable_->left));
    put_u16(out, static_cast<uint16_t>(placeable_->top));
    put_u16(out, static_cast<uint16_t>(placeable_->right));
    put_u16(out, static_cast<uint16_t>(placeable_->bottom));
    put_u16(out, static_cast<uint16_t>(placeable_->inch));
    put_u32(out, 0);  // reserved
    uint16_t checksum = 0;
    for (size_t i = 0; i < 20; i += 2) checksum ^= static_cast<uint16_t>(out[i] | out[i + 1] << 8);
    put_u16(out, placeable_->checksum.value_or(checksum));
  }
  uint16_t objects = 0;
  for (const Record& r : records_) objects += creates_object(r.type);
  if (object_count_) objects = *object_count_;
  out.push_back(1);  // type: metafile in memory
  out.push_back(0);
  put_u16(out, header_words_);
  put_u16(out, 0x0300);  // version
  put_u32(out, file_words);
  put_u16(out, objects);
  put_u32(out, largest_words);
  put_u16(out, 0);  // members
  const size_t declared_end = (placeable_ ? 22u : 0u) + 2u * header_words_;
  if (out.size() < declared_end) out.resize(declared_end, 0);
  return out;
}

std::vector<uint8_t> WmfBuilder::finish() const {
  std::vector<uint8_t> body;
  uint32_t largest = 3;
  for (const Record& r : records_) {
    const auto bytes = record_bytes(r);
    largest = std::max<uint32_t>(largest, static_cast<uint32_t>(bytes.size() / 2));
    body.insert(body.end(), bytes.begin(), bytes.end());
  }
  if (eof_) body.insert(body.end(), {3, 0, 0, 0, 0, 0});
  const size_t header_end = (placeable_ ? 22u : 0u) + std::max<size_t>(18u, 2u * header_words_);
  const size_t metafile_bytes = header_end - (placeable_ ? 22u : 0u) + body.size();
  const uint32_t file_words = file_words_.value_or(static_cast<uint32_t>(metafile_bytes / 2));

  std::vector<uint8_t> out = header_bytes(file_words, largest);
  out.insert(out.end(), body.begin(), body.end());
  out.insert(out.end(), trailing_.begin(), trailing_.end());
  return out;
}

bool WmfBuilder::write_to(const std::string& path) const {
  const auto bytes = finish();
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

std::vector<size_t> WmfBuilder::record_offsets() const {
  std::vector<size_t> offsets;
  size_t at = (placeable_ ? 22u : 0u) + std::max<size_t>(18u, 2u * header_words_);
  for (const Record& r : records_) {
    offsets.push_back(at);
    at += 6 + (r.parameters.size() + 1) / 2 * 2;
  }
  return offsets;
}

}  // namespace vellum::test
