#include "pictures.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>

#include "common/byte_reader.h"
#include "office_art.h"
#include "text_decode.h"

namespace quire {
namespace {

using vellum::ByteOrder;
using vellum::ByteReader;

constexpr uint16_t MM_SHAPE = 0x64, MM_SHAPE_FILE = 0x66;
constexpr uint16_t SP_CONTAINER = 0xF004, BSE = 0xF007, DGG_CONTAINER = 0xF000, B_STORE_CONTAINER = 0xF001,
                   DG_CONTAINER = 0xF002, SPGR_CONTAINER = 0xF003, FSPGR = 0xF009, FSP = 0xF00A, OPT = 0xF00B,
                   CLIENT_TEXTBOX = 0xF00D, CHILD_ANCHOR = 0xF00F;
constexpr uint16_t BLIP_EMF = 0xF01A, BLIP_WMF = 0xF01B, BLIP_PICT = 0xF01C, BLIP_JPEG = 0xF01D,
                   BLIP_PNG = 0xF01E, BLIP_DIB = 0xF01F, BLIP_TIFF = 0xF029, BLIP_JPEG_CMYK = 0xF02A;
constexpr uint32_t FLIP_H = 0x40, FLIP_V = 0x80;  // shape record flags
constexpr size_t BSE_FIXED = 36;
constexpr size_t METAFILE_HEADER = 34;
constexpr uint32_t MAX_PICTURE_BYTES = 32u << 20;
constexpr size_t MAX_PICTURES = 4096;
constexpr int MAX_DEPTH = 8;
constexpr size_t FSPA_SIZE = 26;

ByteReader reader_of(ByteSpan span) { return ByteReader(span.data, span.size, ByteOrder::little); }

bool inflate_into(ByteSpan compressed, uint32_t size, std::vector<uint8_t>& out) {
  if (size == 0 || size > MAX_PICTURE_BYTES) return false;
  out.resize(size);
  uLongf produced = size;
  const int result = uncompress(out.data(), &produced, compressed.data, static_cast<uLong>(compressed.size));
  if (result != Z_OK && result != Z_BUF_ERROR) return false;
  out.resize(produced);
  return produced > 0;
}

// An FBSE: its embedded blip, or the blip at foDelay of the delay stream.
bool read_bse(const ArtRecord& bse, ByteSpan delay, Picture& picture) {
  ByteReader in = reader_of(bse.body);
  in.skip(2 + 16 + 2);
  const uint32_t size = in.u32();
  in.skip(4);
  const uint32_t fo_delay = in.u32();
  in.skip(1);
  const uint8_t name_size = in.u8();
  if (in.failed()) return false;
  const size_t embedded = BSE_FIXED + name_size;
  ArtRecord blip;
  if (bse.body.size > embedded && art_record_at(bse.body, embedded, blip))
    return read_blip(bse.body.slice(embedded, ART_RECORD_HEADER + blip.length), picture);
  if (size == 0 || !delay.contains(fo_delay, ART_RECORD_HEADER)) return false;
  if (!art_record_at(delay, fo_delay, blip)) return false;
  return read_blip(delay.slice(fo_delay, ART_RECORD_HEADER + blip.length), picture);
}

// A rectangle in some frame's coordinates.
struct Rect {
  double left = 0, top = 0, right = 0, bottom = 0;
};
Rect read_rect(ByteSpan body) {
  ByteReader in = reader_of(body);
  Rect rect;
  rect.left = in.i32();
  rect.top = in.i32();
  rect.right = in.i32();
  rect.bottom = in.i32();
  return in.failed() ? Rect{} : rect;
}
// `inner` (in `frame`'s coordinates) as fractions of `frame`.
Rect within(const Rect& inner, const Rect& frame) {
  const double width = frame.right - frame.left, height = frame.bottom - frame.top;
  if (width <= 0 || height <= 0) return {};
  return {(inner.left - frame.left) / width, (inner.top - frame.top) / height, (inner.right - frame.left) / width,
          (inner.bottom - frame.top) / height};
}

struct Shape {
  uint32_t id = 0;
  bool has_id = false, has_anchor = false, has_frame = false;
  ShapeProps props;
  Rect anchor;  // in the parent group's coordinates
  Rect frame;   // a group's own coordinates
};
Shape read_shape(ByteSpan container) {
  Shape shape;
  uint32_t client_text_id = 0;
  uint16_t type = SHAPE_FREEFORM;
  uint32_t flags = 0;
  for_each_art_record(container, [&](const ArtRecord& inner) {
    if (inner.type == FSP && inner.body.size >= 4) {
      shape.id = inner.body.u32_at(0);
      shape.has_id = true;
      type = inner.instance;
      if (inner.body.size >= 8) flags = inner.body.u32_at(4);
    } else if (inner.type == OPT) {
      shape.props = read_shape_props(inner);
    } else if (inner.type == CLIENT_TEXTBOX && inner.body.size >= 4) {
      client_text_id = inner.body.u32_at(0);
    } else if (inner.type == CHILD_ANCHOR) {
      shape.anchor = read_rect(inner.body);
      shape.has_anchor = true;
    } else if (inner.type == FSPGR) {
      shape.frame = read_rect(inner.body);
      shape.has_frame = true;
    }
    return true;
  });
  if (shape.props.text_id == 0) shape.props.text_id = client_text_id;
  ShapeProps& props = shape.props;
  props.flip_h = (flags & FLIP_H) != 0;
  props.flip_v = (flags & FLIP_V) != 0;
  props.geometry.type = type;
  if (ShapePaths paths = shape_paths(props.geometry); !paths.empty())
    props.paths = std::make_shared<const ShapePaths>(std::move(paths));
  props.geometry.vertices = props.geometry.segments = {};  // the record's bytes are not kept
  return shape;
}

// Whether a shape shows anything this reader draws: a picture, a text box,
// text art or a drawn outline.
bool drawn(const ShapeProps& props) {
  return props.pib != 0 || props.text_id != 0 || !props.art.empty() || props.paths;
}

// A drawn shape in a group: its properties and its box, in the group's
// coordinates (or, once mapped, as fractions of the anchor's box).
struct ChildShape {
  ShapeProps props;
  Rect rect;
};
struct Group {
  uint32_t id = 0;
  Rect frame, anchor;
  std::vector<ChildShape> shapes;
};

// Reads a group (SpgrContainer body): its own shape first, then its
// children; shapes of nested groups are mapped into this group's coordinates.
bool read_group(ByteSpan body, int depth, Group& group) {
  if (depth > MAX_DEPTH) return false;
  bool first = true, ok = false;
  for_each_art_record(body, [&](const ArtRecord& child) {
    if (first) {
      first = false;
      if (child.type != SP_CONTAINER) return false;
      const Shape shape = read_shape(child.body);
      group.id = shape.id;
      group.frame = shape.frame;
      group.anchor = shape.anchor;
      ok = shape.has_id && shape.has_frame;
      return ok;
    }
    if (group.shapes.size() >= MAX_PICTURES) return false;
    if (child.type == SP_CONTAINER) {
      const Shape shape = read_shape(child.body);
      if (drawn(shape.props) && shape.has_anchor) group.shapes.push_back({shape.props, shape.anchor});
    } else if (child.type == SPGR_CONTAINER) {
      Group nested;
      if (read_group(child.body, depth + 1, nested)) {
        for (ChildShape inner : nested.shapes) {
          const Rect in = within(inner.rect, nested.frame);
          const double w = nested.anchor.right - nested.anchor.left, h = nested.anchor.bottom - nested.anchor.top;
          inner.rect = {nested.anchor.left + in.left * w, nested.anchor.top + in.top * h,
                        nested.anchor.left + in.right * w, nested.anchor.top + in.bottom * h};
          group.shapes.push_back(std::move(inner));
        }
      }
    }
    return true;
  });
  return ok;
}

void apply_crop(Picture& picture, const double crop[4]) {
  if (picture.crop_top == 0 && picture.crop_bottom == 0 && picture.crop_left == 0 && picture.crop_right == 0) {
    picture.crop_top = crop[0];
    picture.crop_bottom = crop[1];
    picture.crop_left = crop[2];
    picture.crop_right = crop[3];
  }
}

uint32_t add_picture(DocumentModel& model, Picture picture) {
  if (model.pictures.size() >= MAX_PICTURES) return 0;
  if (picture.format == PictureFormat::EMF) ++model.skipped_emf;
  model.pictures.push_back(std::move(picture));
  return static_cast<uint32_t>(model.pictures.size());
}

// What a shape without a picture shows, added to the model: a text box
// (the first of its chain; the story is read with the text) or a drawn
// outline, or text art. Returns its index, or NO_PICTURE when there is none.
uint32_t add_shape_text(DocumentModel& model, const ShapeProps& props, bool headers) {
  if (model.shape_texts.size() >= MAX_PICTURES) return NO_PICTURE;
  ShapeText text;
  const bool text_box = props.text_id > 0xFFFF && (props.text_id & 0xFFFF) == 0;
  if (text_box || props.paths) {
    if (text_box) {
      text.text_id = props.text_id;
      text.in_header = headers;
    }
    if (props.filled) text.fill = props.fill;
    if (props.lined) text.line = props.line;
    text.line_width = props.line_width;
    std::copy(props.inset, props.inset + 4, text.inset);
    text.paths = props.paths;
    text.rotation = props.rotation;
    text.flip_h = props.flip_h;
    text.flip_v = props.flip_v;
  } else if (!props.art.empty()) {
    Utf16Decoder decoder;
    for (char16_t unit : props.art) {
      if (unit == u'\r') unit = u'\n';
      if (unit < 0x20 && unit != u'\n') continue;
      decoder.push(unit, text.art);
    }
    decoder.finish(text.art);
    for (char16_t unit : props.art_font) decoder.push(unit, text.art_font);
    decoder.finish(text.art_font);
    text.art_bold = props.art_bold;
    text.art_italic = props.art_italic;
    // The letters take the fill; unfilled ones their outline's colour.
    text.fill = props.filled && props.fill_given ? props.fill : props.lined && !props.filled ? props.line : 0;
  } else {
    return NO_PICTURE;
  }
  model.shape_texts.push_back(std::move(text));
  return static_cast<uint32_t>(model.shape_texts.size() - 1);
}

// An edge of a group's part: the anchor's edge moved by a fraction of the
// anchor's size, in twips; false when it lands too far out to place.
constexpr double MAX_PART_EDGE = 1 << 22;
bool part_edge(int32_t from, double fraction, double size, int32_t& out) {
  const double at = from + fraction * size;
  if (!(std::abs(at) <= MAX_PART_EDGE)) return false;
  out = static_cast<int32_t>(at);
  return true;
}

}  // namespace

bool read_blip(ByteSpan bytes, Picture& picture) {
  ArtRecord record;
  if (!art_record_at(bytes, 0, record)) return false;
  const bool two_uids = (record.instance & 1) != 0;
  ByteReader in = reader_of(record.body);
  in.skip(two_uids ? 32 : 16);
  switch (record.type) {
    case BLIP_EMF:
    case BLIP_WMF:
    case BLIP_PICT: {
      const uint32_t size = in.u32();
      in.skip(16 + 8);
      const uint32_t saved = in.u32();
      const uint8_t compression = in.u8();
      in.skip(1);
      if (in.failed() || saved > in.left()) return false;
      const ByteSpan data{in.data(), saved};
      picture.format = record.type == BLIP_EMF   ? PictureFormat::EMF
                       : record.type == BLIP_WMF ? PictureFormat::WMF
                                                 : PictureFormat::PICT;
      if (compression == 0) return inflate_into(data, size, picture.bytes);
      picture.bytes.assign(data.data, data.data + data.size);
      return !picture.bytes.empty();
    }
    case BLIP_JPEG:
    case BLIP_JPEG_CMYK:
    case BLIP_PNG:
    case BLIP_DIB:
    case BLIP_TIFF: {
      in.skip(1);  // tag
      if (in.failed() || in.left() == 0 || in.left() > MAX_PICTURE_BYTES) return false;
      picture.format = record.type == BLIP_PNG   ? PictureFormat::PNG
                       : record.type == BLIP_DIB ? PictureFormat::DIB
                       : record.type == BLIP_TIFF ? PictureFormat::TIFF
                                                  : PictureFormat::JPEG;
      picture.bytes.assign(in.data(), in.data() + in.left());
      return true;
    }
    default: return false;
  }
}

uint32_t load_inline_picture(ByteSpan data, uint32_t offset, DocumentModel& model) {
  ByteReader in = reader_of(data).from(offset);
  const int32_t total = in.i32();
  const uint16_t header = in.u16();
  const int16_t mm = in.i16();
  in.skip(6 + 14);  // xExt, yExt, swHMF, rcWinMf
  const int16_t goal_x = in.i16(), goal_y = in.i16();
  const uint16_t scale_x = in.u16(), scale_y = in.u16();
  const int16_t crop_left = in.i16(), crop_top = in.i16(), crop_right = in.i16(), crop_bottom = in.i16();
  if (in.failed() || total <= header || header < 0x44 || goal_x <= 0 || goal_y <= 0) return 0;
  const ByteSpan whole = data.slice(offset, static_cast<uint32_t>(total));
  if (whole.size == 0) return 0;

  Picture picture;
  picture.crop_left = std::clamp(crop_left / static_cast<double>(goal_x), 0.0, 0.95);
  picture.crop_right = std::clamp(crop_right / static_cast<double>(goal_x), 0.0, 0.95);
  picture.crop_top = std::clamp(crop_top / static_cast<double>(goal_y), 0.0, 0.95);
  picture.crop_bottom = std::clamp(crop_bottom / static_cast<double>(goal_y), 0.0, 0.95);
  const double sx = scale_x ? scale_x / 1000.0 : 1.0, sy = scale_y ? scale_y / 1000.0 : 1.0;
  picture.width = std::max(1.0, (goal_x - crop_left - crop_right) * sx / 20.0);
  picture.height = std::max(1.0, (goal_y - crop_top - crop_bottom) * sy / 20.0);

  size_t at = header;
  if (mm == MM_SHAPE || mm == MM_SHAPE_FILE) {
    if (mm == MM_SHAPE_FILE) {
      uint8_t name = 0;
      if (!whole.read_u8(at, name)) return 0;
      at += 1u + name;
    }
    const ByteSpan records = whole.slice(at, whole.size - std::min(at, whole.size));
    bool found = false;
    double crop[4] = {0, 0, 0, 0};
    for_each_art_record(records, [&](const ArtRecord& record) {
      if (record.type == SP_CONTAINER) {
        for_each_art_record(record.body, [&](const ArtRecord& inner) {
          if (inner.type == OPT) {
            const ShapeProps props = read_shape_props(inner);
            std::copy(props.crop, props.crop + 4, crop);
          }
          return true;
        });
      } else if (record.type == BSE) {
        found = read_bse(record, {}, picture);
        return !found;
      } else if (record.type >= BLIP_EMF && record.type <= BLIP_JPEG_CMYK) {
        found = read_blip(records.slice(static_cast<size_t>(record.body.data - records.data) - ART_RECORD_HEADER,
                                        ART_RECORD_HEADER + record.length),
                          picture);
        return !found;
      }
      return true;
    });
    if (!found) return 0;
    apply_crop(picture, crop);
  } else {
    // An old-style picture: the metafile itself follows the descriptor.
    picture.format = PictureFormat::WMF;
    picture.bytes.assign(whole.data + at, whole.data + whole.size);
  }
  return add_picture(model, std::move(picture));
}

void load_floating_pictures(ByteSpan plc_spa, ByteSpan dgg_info, ByteSpan word, DocumentModel& model,
                            std::multimap<uint32_t, uint32_t>& anchors, uint32_t cp_base, bool headers) {
  if (plc_spa.size < 4 || (plc_spa.size - 4) % (4 + FSPA_SIZE) != 0 || dgg_info.size == 0) return;
  const size_t count = std::min((plc_spa.size - 4) / (4 + FSPA_SIZE), MAX_PICTURES);

  // The drawing layer: the blip store, then one drawing per part; drawn
  // shapes by id with their properties, groups with the drawn shapes
  // inside them placed in the group's own coordinates.
  std::vector<ArtRecord> store;
  std::map<uint32_t, ShapeProps> shapes;
  std::map<uint32_t, Group> groups;
  auto visit_patriarch = [&](ByteSpan dg) {
    for_each_art_record(dg, [&](const ArtRecord& record) {
      if (record.type != SPGR_CONTAINER) return true;
      bool first = true;
      for_each_art_record(record.body, [&](const ArtRecord& child) {
        if (first) {  // the patriarch's own shape
          first = false;
          return true;
        }
        if (child.type == SP_CONTAINER) {
          Shape shape = read_shape(child.body);
          if (shape.has_id && drawn(shape.props)) shapes.emplace(shape.id, std::move(shape.props));
        } else if (child.type == SPGR_CONTAINER) {
          Group group;
          if (read_group(child.body, 0, group) && !group.shapes.empty()) groups.emplace(group.id, std::move(group));
        }
        return true;
      });
      return false;
    });
  };
  // OfficeArtContent: the drawing group, then each part's drawing behind a
  // one-byte label (0 main text, 1 headers).
  ArtRecord group;
  size_t at = 0;
  if (art_record_at(dgg_info, 0, group) && group.type == DGG_CONTAINER) {
    for_each_art_record(group.body, [&](const ArtRecord& inner) {
      if (inner.type == B_STORE_CONTAINER)
        for_each_art_record(inner.body, [&](const ArtRecord& bse) {
          if (store.size() < MAX_PICTURES) store.push_back(bse);
          return true;
        });
      return true;
    });
    at = ART_RECORD_HEADER + group.length;
  }
  ArtRecord drawing;
  while (at + 1 < dgg_info.size && art_record_at(dgg_info, at + 1, drawing)) {
    if (drawing.type == DG_CONTAINER) visit_patriarch(drawing.body);
    at += 1 + ART_RECORD_HEADER + drawing.length;
  }

  ByteReader cps = reader_of(plc_spa);
  ByteReader fspas = reader_of(plc_spa).from(4 * (count + 1));
  for (size_t i = 0; i < count; ++i) {
    const uint32_t cp = cps.u32();
    ByteReader fspa = fspas.sub(FSPA_SIZE);
    const uint32_t id = fspa.u32();
    FloatingPicture placed;
    placed.left = fspa.i32();
    placed.top = fspa.i32();
    placed.right = fspa.i32();
    placed.bottom = fspa.i32();
    const uint16_t flags = fspa.u16();
    if (cps.failed() || fspa.failed()) break;
    placed.bx = (flags >> 1) & 3;
    placed.by = (flags >> 3) & 3;
    placed.behind = (flags & 0x4000) != 0;
    if (placed.right <= placed.left || placed.bottom <= placed.top) continue;
    // A shape, or the shapes of a group mapped onto the anchor's box.
    std::vector<ChildShape> parts;
    if (const auto shape = shapes.find(id); shape != shapes.end()) {
      parts.push_back({shape->second, Rect{0, 0, 1, 1}});
    } else if (const auto found = groups.find(id); found != groups.end()) {
      for (ChildShape part : found->second.shapes) {
        part.rect = within(part.rect, found->second.frame);
        parts.push_back(std::move(part));
      }
    }
    const double width = placed.right - placed.left, height = placed.bottom - placed.top;
    for (const ChildShape& shape : parts) {
      FloatingPicture part = placed;
      if (!part_edge(placed.left, shape.rect.left, width, part.left) ||
          !part_edge(placed.left, shape.rect.right, width, part.right) ||
          !part_edge(placed.top, shape.rect.top, height, part.top) ||
          !part_edge(placed.top, shape.rect.bottom, height, part.bottom) || part.right <= part.left ||
          part.bottom <= part.top)
        continue;
      part.picture = NO_PICTURE;
      Picture picture;
      if (shape.props.pib != 0 && shape.props.pib <= store.size() && store[shape.props.pib - 1].type == BSE &&
          read_bse(store[shape.props.pib - 1], word, picture)) {
        apply_crop(picture, shape.props.crop);
        picture.width = (part.right - part.left) / 20.0;
        picture.height = (part.bottom - part.top) / 20.0;
        const uint32_t index = add_picture(model, std::move(picture));
        if (index == 0) return;
        part.picture = index - 1;
      }
      if (shape.props.pib == 0) part.text = add_shape_text(model, shape.props, headers);
      if (part.picture == NO_PICTURE && part.text == NO_PICTURE) continue;
      anchors.emplace(cp_base + cp, static_cast<uint32_t>(model.floats.size()));
      model.floats.push_back(part);
    }
  }
}

}  // namespace quire
