#include "property_sets.h"

#include <glib.h>

#include <cstring>
#include <string>

#include "text_decode.h"

namespace quire {
namespace {

constexpr uint16_t BYTE_ORDER_MARK = 0xFFFE;
constexpr size_t FIRST_SET_ENTRY = 0x1C;  // FMTID (16 bytes) + offset (4) per set
constexpr size_t SET_ENTRY_SIZE = 20;
constexpr uint32_t MAX_SETS = 2;
constexpr uint32_t MAX_PROPERTIES = 4096;

constexpr uint8_t SUMMARY_FORMAT[16] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                        0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};
constexpr uint8_t DOCUMENT_SUMMARY_FORMAT[16] = {0x02, 0xD5, 0xCD, 0xD5, 0x9C, 0x2E, 0x1B, 0x10,
                                                0x93, 0x97, 0x08, 0x00, 0x2B, 0x2C, 0xF9, 0xAE};

constexpr uint32_t PID_CODE_PAGE = 1;
constexpr uint32_t PID_TITLE = 2, PID_SUBJECT = 3, PID_AUTHOR = 4, PID_APP_NAME = 0x12;
constexpr uint32_t PID_COMPANY = 0x0F;

constexpr uint16_t TYPE_I2 = 0x0002, TYPE_STRING = 0x001E, TYPE_WIDE_STRING = 0x001F;
constexpr uint16_t CODE_PAGE_UTF16 = 1200, CODE_PAGE_UTF8 = 65001, CODE_PAGE_MAC_ROMAN = 10000;

// The property set with format `fmtid` inside the stream, or an empty span.
ByteSpan find_set(ByteSpan stream, const uint8_t (&fmtid)[16]) {
  uint16_t order = 0;
  uint32_t sets = 0;
  if (!stream.read_u16(0, order) || order != BYTE_ORDER_MARK || !stream.read_u32(0x18, sets)) return {};
  for (uint32_t i = 0; i < sets && i < MAX_SETS; ++i) {
    const size_t entry = FIRST_SET_ENTRY + SET_ENTRY_SIZE * i;
    uint32_t offset = 0, size = 0;
    if (!stream.contains(entry, 16) || !stream.read_u32(entry + 16, offset)) return {};
    if (std::memcmp(stream.data + entry, fmtid, 16) != 0) continue;
    if (!stream.read_u32(offset, size)) return {};
    return stream.slice(offset, size);
  }
  return {};
}

// Where property `pid` lies inside the set, or false.
bool find_property(ByteSpan set, uint32_t pid, size_t& at) {
  uint32_t count = 0;
  if (!set.read_u32(4, count)) return false;
  for (uint32_t i = 0; i < count && i < MAX_PROPERTIES; ++i) {
    uint32_t id = 0, offset = 0;
    if (!set.read_u32(8 + 8ull * i, id) || !set.read_u32(12 + 8ull * i, offset)) return false;
    if (id == pid) {
      at = offset;
      return true;
    }
  }
  return false;
}

std::string utf16_text(ByteSpan bytes) {
  std::string out;
  Utf16Decoder decoder;
  for (size_t i = 0; i + 1 < bytes.size; i += 2) {
    const uint16_t unit = bytes.u16_at(i);
    if (unit == 0) break;
    decoder.push(unit, out);
  }
  decoder.finish(out);
  return out;
}

// 8-bit text in `code_page` as UTF-8; undecodable bytes never pass as UTF-8.
std::string code_page_text(ByteSpan bytes, uint16_t code_page) {
  if (bytes.size == 0) return {};
  const size_t length = strnlen(reinterpret_cast<const char*>(bytes.data), bytes.size);
  const char* text = reinterpret_cast<const char*>(bytes.data);
  if (code_page == CODE_PAGE_UTF8) {
    gchar* valid = g_utf8_make_valid(text, static_cast<gssize>(length));
    std::string out(valid);
    g_free(valid);
    return out;
  }
  const std::string charset = code_page == CODE_PAGE_MAC_ROMAN ? "MACINTOSH" : "CP" + std::to_string(code_page);
  gchar* converted = g_convert(text, static_cast<gssize>(length), "UTF-8", charset.c_str(), nullptr, nullptr, nullptr);
  if (!converted)  // an unknown code page: read the bytes as Windows-1252
    converted = g_convert(text, static_cast<gssize>(length), "UTF-8", "CP1252", nullptr, nullptr, nullptr);
  std::string out;
  if (converted) {
    out = converted;
    g_free(converted);
  } else {
    for (size_t i = 0; i < length; ++i) append_utf8(decode_compressed(bytes.data[i]), out);
  }
  return out;
}

// A text property as UTF-8, "" when absent or not a text.
std::string text_property(ByteSpan set, uint32_t pid, uint16_t code_page) {
  size_t at = 0;
  uint16_t type = 0;
  uint32_t count = 0;
  if (!find_property(set, pid, at) || !set.read_u16(at, type) || !set.read_u32(at + 4, count)) return {};
  if (type == TYPE_WIDE_STRING) return utf16_text(set.slice(at + 8, 2ull * count));
  if (type != TYPE_STRING) return {};
  const ByteSpan bytes = set.slice(at + 8, count);
  return code_page == CODE_PAGE_UTF16 ? utf16_text(bytes) : code_page_text(bytes, code_page);
}

uint16_t code_page_of(ByteSpan set) {
  size_t at = 0;
  uint16_t type = 0, code_page = 1252;
  if (find_property(set, PID_CODE_PAGE, at) && set.read_u16(at, type) && type == TYPE_I2) set.read_u16(at + 4, code_page);
  return code_page;
}

}  // namespace

void read_summary_information(ByteSpan stream, DocumentProperties& out) {
  const ByteSpan set = find_set(stream, SUMMARY_FORMAT);
  const uint16_t code_page = code_page_of(set);
  out.title = text_property(set, PID_TITLE, code_page);
  out.subject = text_property(set, PID_SUBJECT, code_page);
  out.author = text_property(set, PID_AUTHOR, code_page);
  out.app_name = text_property(set, PID_APP_NAME, code_page);
}

void read_document_summary_information(ByteSpan stream, DocumentProperties& out) {
  const ByteSpan set = find_set(stream, DOCUMENT_SUMMARY_FORMAT);
  out.company = text_property(set, PID_COMPANY, code_page_of(set));
}

}  // namespace quire
