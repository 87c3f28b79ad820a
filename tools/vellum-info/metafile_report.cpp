#include "tools/vellum-info/metafile_report.h"

#include <array>
#include <cstring>
#include <vector>

#include <host/path.h>

#include "metafile/byte_order.h"
#include "metafile/record_names.h"
#include "metafile/stream_layout.h"
#include "tools/common/input_file.h"

namespace vellum {
namespace {

// Far beyond any metafile a writer makes.
constexpr size_t MAX_INPUT_BYTES = size_t(1) << 30;

// XOR of the placeable header's first ten words, as the file's writer made it.
uint16_t placeable_checksum(const PlaceableHeader& p) {
  uint16_t words[10];
  std::memcpy(words, &p, sizeof words);
  uint16_t x = 0;
  for (uint16_t w : words) x ^= w;
  return x;
}

void print_headers(std::FILE* out, const PlaceableHeader& p, const MetafileHeader& h, size_t file_size) {
  if (p.key == PLACEABLE_KEY) {
    const uint16_t expected = placeable_checksum(p);
    std::fprintf(out, "placeable header: box (%d, %d)-(%d, %d), %u units per inch, handle %u, checksum 0x%04X (%s)\n",
                 p.left, p.top, p.right, p.bottom, p.inch, p.handle, p.checksum,
                 p.checksum == expected ? "matches" : "does not match");
  } else {
    std::fprintf(out, "placeable header: none (the stream starts with the metafile header)\n");
  }
  const uint32_t size = h.size, largest = h.largest_record;
  std::fprintf(out,
               "metafile header: type %u, header size %u words, version 0x%04X, size %u words "
               "(file holds %zu), %u objects, largest record %u words, %u members\n",
               h.type[0], h.header_size, h.version, size, file_size / 2 - (p.key == PLACEABLE_KEY ? 11 : 0),
               h.objects, largest, h.members);
}

}  // namespace

int report_metafile(const char* path, std::FILE* out, std::FILE* err, PlaysType plays) {
  std::vector<uint8_t> bytes;
  const tools::InputRead read = tools::read_input(tool_path_of(path), MAX_INPUT_BYTES, &bytes);
  if (read.code != tools::EXIT_OK) {
    std::fprintf(err, "vellum-info: %s: cannot read: %s\n", path, read.reason.c_str());
    return read.code;
  }
  swap_stream(bytes.data(), bytes.size(), false);
  PlaceableHeader placeable;
  MetafileHeader header;
  const uint8_t* end = bytes.data() + bytes.size();
  size_t offset = decode_header(bytes.data(), end, &placeable, &header);
  if (offset == 0) {
    std::fprintf(err, "vellum-info: %s: not a metafile: %zu bytes are too short for its headers\n", path,
                 bytes.size());
    return INFO_NOT_METAFILE;
  }

  std::fprintf(out, "%s: %zu bytes\n", path, bytes.size());
  print_headers(out, placeable, header, bytes.size());
  std::fprintf(out, "%10s %10s  %s\n", "offset", "bytes", "record");
  std::array<uint32_t, 256> histogram{};
  uint32_t records = 0;
  bool ended = false;
  while (offset < bytes.size()) {
    const uint8_t* record = bytes.data() + offset;
    const uint32_t size = bounded_record_size(record, end);
    if (size == 0) break;
    const bool skipped = plays && record[4] != U_WMR_EOF && !plays(record[4]);
    std::fprintf(out, "%10zu %10u  %s%s\n", offset, size, record_type_name(record[4]), skipped ? "  (not played)" : "");
    ++histogram[record[4]];
    ++records;
    if (record[4] == U_WMR_EOF) {
      ended = true;
      break;
    }
    offset += size;
  }
  std::fprintf(out, "%u records by type:\n", records);
  for (size_t type = 0; type < histogram.size(); ++type)
    if (histogram[type])
      std::fprintf(out, "  %-28s %u%s\n", record_type_name(static_cast<uint8_t>(type)), histogram[type],
                   plays && type != U_WMR_EOF && !plays(uint8_t(type)) ? "  (not played)" : "");
  if (ended) return INFO_OK;
  if (offset < bytes.size()) {
    std::fprintf(err, "vellum-info: %s: truncated: the record at offset %zu does not fit in the file\n", path, offset);
  } else {
    std::fprintf(err, "vellum-info: %s: truncated: no end-of-file record\n", path);
  }
  return INFO_TRUNCATED;
}

}  // namespace vellum
