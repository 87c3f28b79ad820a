#include "form_fields.h"

#include <algorithm>

#include "common/byte_reader.h"

namespace quire {
namespace {

using vellum::ByteOrder;
using vellum::ByteReader;

constexpr size_t DATA_HEADER = 0x44;  // the empty picture header in front of the field data
constexpr uint32_t FFDATA_VERSION = 0xFFFFFFFFu;
constexpr uint8_t TYPE_CHECK_BOX = 1, TYPE_DROPDOWN = 2;
constexpr uint8_t RESULT_DEFAULT = 25;  // a check box showing its default state
constexpr uint16_t EXACT_SIZE = 1u << 10;
constexpr uint16_t MIN_BOX = 2, MAX_BOX = 3276;  // half-points, as font sizes
constexpr uint16_t MAX_ENTRIES = 25;  // Word offers no more in a drop-down

std::u16string read_string(ByteReader& in) {
  const uint16_t count = in.u16();
  std::u16string text;
  for (uint16_t i = 0; i < count && !in.failed(); ++i) text.push_back(static_cast<char16_t>(in.u16()));
  return in.failed() ? std::u16string{} : text;
}
// A string with its terminating null character.
void skip_terminated(ByteReader& in) {
  read_string(in);
  in.u16();
}

// The fixed start of the form-field data at `offset`: its bits, maximum
// length and size; `in` is left on the field's name. False when the data
// is not there.
struct FieldHead {
  uint16_t bits = 0, max_length = 0, half_points = 0;
  uint8_t type() const { return bits & 3; }
  uint8_t result() const { return (bits >> 2) & 0x1F; }
};
bool read_head(ByteSpan data, uint32_t offset, ByteReader& in, FieldHead& head) {
  in = ByteReader(data.data, data.size, ByteOrder::little).from(offset);
  const uint32_t size = in.u32();
  const uint16_t header = in.u16();
  if (in.failed() || header != DATA_HEADER || size < DATA_HEADER) return false;
  in = ByteReader(data.data, data.size, ByteOrder::little).from(offset).sub(size);
  in.skip(DATA_HEADER);
  const uint32_t version = in.u32();
  head.bits = in.u16();
  head.max_length = in.u16();
  head.half_points = in.u16();
  return !in.failed() && version == FFDATA_VERSION;
}

}  // namespace

std::u16string dropdown_choice(ByteSpan data, uint32_t offset) {
  ByteReader in;
  FieldHead head;
  if (!read_head(data, offset, in, head) || head.type() != TYPE_DROPDOWN) return {};
  const uint8_t chosen = head.result();
  skip_terminated(in);  // name
  in.u16();             // default entry
  for (int i = 0; i < 5; ++i) skip_terminated(in);  // format, help, status text, entry and exit macros
  const uint16_t extended = in.u16(), count = in.u16();
  in.u16();  // extra bytes per entry: none in a drop-down list
  if (in.failed() || extended != 0xFFFF || count == 0 || count > MAX_ENTRIES) return {};
  std::u16string first, pick;
  for (uint16_t i = 0; i < count; ++i) {
    std::u16string entry = read_string(in);
    if (in.failed()) return {};
    if (i == 0) first = entry;
    if (i == chosen) pick = std::move(entry);
  }
  return chosen < count ? pick : first;
}

CheckBox check_box(ByteSpan data, uint32_t offset) {
  ByteReader in;
  FieldHead head;
  if (!read_head(data, offset, in, head) || head.type() != TYPE_CHECK_BOX) return {};
  skip_terminated(in);  // name
  const uint16_t default_state = in.u16();
  if (in.failed()) return {};
  CheckBox box;
  box.found = true;
  box.checked = head.result() == RESULT_DEFAULT ? default_state != 0 : head.result() == 1;
  if (head.bits & EXACT_SIZE) box.half_points = std::clamp(head.half_points, MIN_BOX, MAX_BOX);
  return box;
}

}  // namespace quire
