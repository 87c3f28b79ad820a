#include "python/src/info.h"

#include <array>
#include <string>

#include "metafile/record_names.h"
#include "metafile/record_walk.h"
#include "python/src/byte_view.h"
#include "python/src/errors.h"
#include "render/gdi/gdi_player.h"
#include "render/playback.h"

namespace py = pybind11;

namespace vellum::python {
namespace {

struct Walked {
  StreamStart start{};
  std::array<uint32_t, 256> counts{};
  uint32_t records = 0;
  bool ended = false;  // met the end-of-file record
  bool broken = false; // a record's size does not fit
};

bool walk(const ByteView& data, Walked* out) {
  ByteReader stream(data.data(), data.size(), ByteOrder::little);
  if (!read_stream_start(stream, &out->start)) return false;
  RecordWalk records(stream);
  Record record;
  while (records.next(&record)) {
    ++out->counts[record.type()];
    ++out->records;
  }
  out->ended = records.ended();
  out->broken = records.broken();
  return true;
}

py::dict summary(const Walked& w, bool exact) {
  const auto plays = exact ? vellum::plays : gdi::plays;
  py::dict counts, not_played;
  for (size_t type = 0; type < w.counts.size(); ++type) {
    if (!w.counts[type]) continue;
    const char* name = record_type_name(uint8_t(type));
    counts[name] = w.counts[type];
    if (!plays(uint8_t(type))) not_played[name] = w.counts[type];
  }
  py::dict d;
  const StreamStart& s = w.start;
  d["placeable"] = s.placeable;
  d["bounds"] = s.placeable ? py::object(py::make_tuple(s.left, s.top, s.right, s.bottom)) : py::none();
  d["units_per_inch"] = s.placeable ? py::object(py::int_(s.units_per_inch)) : py::none();
  d["header_words"] = s.header_words;
  d["version"] = s.version;
  d["size_words"] = s.size_words;
  d["objects"] = s.objects;
  d["largest_record_words"] = s.largest_record_words;
  d["records"] = w.records;
  d["record_counts"] = counts;
  d["not_played"] = not_played;
  d["complete"] = w.ended;
  d["broken"] = w.broken;
  return d;
}

}  // namespace

void bind_info(py::module_& m) {
  m.def(
      "_info",
      [](py::object data, const std::string& name, bool exact) {
        const ByteView bytes(data);
        Walked walked;
        bool read;
        {
          py::gil_scoped_release unlocked;
          read = walk(bytes, &walked);
        }
        if (!read) throw_error(name + ": not a metafile: its headers do not fit in " +
                               std::to_string(bytes.size()) + " bytes");
        return summary(walked, exact);
      },
      py::arg("data"), py::arg("name"), py::arg("exact"));
}

}  // namespace vellum::python
