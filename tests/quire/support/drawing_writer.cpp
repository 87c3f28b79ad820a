#include "drawing_writer.h"

namespace quire_test {
namespace {

constexpr uint16_t DGG_CONTAINER = 0xF000, DG_CONTAINER = 0xF002, SPGR_CONTAINER = 0xF003, SP_CONTAINER = 0xF004,
                   FDGG = 0xF006, FDG = 0xF008, FSPGR = 0xF009, FSP = 0xF00A, OPT = 0xF00B, CLIENT_TEXTBOX = 0xF00D,
                   CHILD_ANCHOR = 0xF00F;
constexpr uint16_t FREEFORM_TYPE = 0, TEXT_BOX_TYPE = 202, TEXT_ART_TYPE = 136, GROUP_FLAGS = 0x005, SHAPE_FLAGS = 0xA00;
constexpr uint32_t FIRST_ID = 0x400;
constexpr uint32_t FREEFORM_SPACE = 1000;

void add16(Bytes& out, uint16_t v) {
  out.push_back(v & 0xFF);
  out.push_back(v >> 8);
}
void add32(Bytes& out, uint32_t v) {
  add16(out, v & 0xFFFF);
  add16(out, v >> 16);
}
void add(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

Bytes record(uint16_t version, uint16_t instance, uint16_t type, const Bytes& body) {
  Bytes out;
  add16(out, static_cast<uint16_t>(version | instance << 4));
  add16(out, type);
  add32(out, static_cast<uint32_t>(body.size()));
  add(out, body);
  return out;
}
Bytes container(uint16_t type, const Bytes& body) { return record(0xF, 0, type, body); }

Bytes rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Bytes out;
  for (int32_t v : {left, top, right, bottom}) add32(out, static_cast<uint32_t>(v));
  return out;
}
Bytes fsp(uint16_t type, uint32_t id, uint32_t flags) {
  Bytes body;
  add32(body, id);
  add32(body, flags);
  return record(2, type, FSP, body);
}

// OfficeArt colours keep red in the low byte.
uint32_t art_colour(uint32_t rgb) { return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16; }

// A freeform's coordinate space, points and segments. The points' length
// leaves out the list's six header bytes, as the drawing program writes it.
void add_freeform(const ShapePlan& shape, PropertyTable& props) {
  props.add(0x0142, FREEFORM_SPACE);
  props.add(0x0143, FREEFORM_SPACE);
  Bytes points;
  add16(points, static_cast<uint16_t>(shape.points.size()));
  add16(points, static_cast<uint16_t>(shape.points.size()));
  add16(points, 0xFFF0);
  for (const auto& point : shape.points) {
    add16(points, static_cast<uint16_t>(point[0]));
    add16(points, static_cast<uint16_t>(point[1]));
  }
  props.add_complex(0x0145, points, static_cast<uint32_t>(points.size() - 6));
  if (shape.segments.empty()) return;
  Bytes segments;
  add16(segments, static_cast<uint16_t>(shape.segments.size()));
  add16(segments, static_cast<uint16_t>(shape.segments.size()));
  add16(segments, 2);
  for (uint16_t segment : shape.segments) add16(segments, segment);
  props.add_complex(0x0146, segments, static_cast<uint32_t>(segments.size()));
}

Bytes shape_container(const ShapePlan& shape, uint32_t id) {
  PropertyTable props;
  if (shape.text_box) props.add(0x0080, shape.text_box << 16);
  if (!shape.art.empty()) {
    props.add_string(0x00C0, shape.art);
    if (!shape.art_font.empty()) props.add_string(0x00C5, shape.art_font);
    props.add(0x00FF, shape.art_bold ? 0x40204020 : 0x40004000);  // shown as text art, bold or not
  }
  if (shape.rotation) props.add(0x0004, static_cast<uint32_t>(shape.rotation) << 16);
  if (!shape.points.empty()) add_freeform(shape, props);
  for (size_t i = 0; i < shape.adjust.size(); ++i)
    props.add(static_cast<uint16_t>(0x0147 + i), static_cast<uint32_t>(shape.adjust[i]));
  if (shape.fill != 0xFFFFFFFFu) props.add(0x0181, art_colour(shape.fill));
  if (shape.line != 0xFFFFFFFFu) props.add(0x01C0, art_colour(shape.line));
  if (shape.no_line) props.add(0x01FF, 0x00080000);
  const uint16_t type = shape.preset                ? shape.preset
                        : !shape.points.empty() ? FREEFORM_TYPE
                        : shape.art.empty()     ? TEXT_BOX_TYPE
                                                : TEXT_ART_TYPE;
  Bytes body = fsp(type, id, SHAPE_FLAGS);
  add(body, props.record());
  if (shape.grouped) add(body, record(0, 0, CHILD_ANCHOR, rect(0, 0, 1000, 1000)));
  if (shape.text_box) {
    Bytes txid;
    add32(txid, shape.text_box << 16);
    add(body, record(0, 0, CLIENT_TEXTBOX, txid));
  }
  return container(SP_CONTAINER, body);
}

// A group whose own frame is 0..1000 both ways, holding the shape.
Bytes group_container(const ShapePlan& shape, uint32_t id) {
  Bytes own = record(1, 0, FSPGR, rect(0, 0, 1000, 1000));
  add(own, fsp(0, id, 0x201));
  Bytes body = container(SP_CONTAINER, own);
  add(body, shape_container(shape, id + 1));
  return container(SPGR_CONTAINER, body);
}

// Shapes get ids two apart, room for the group around each.
uint32_t shape_id(size_t index) { return FIRST_ID + 2 + 2 * static_cast<uint32_t>(index); }

}  // namespace

void PropertyTable::add(uint16_t id, uint32_t value) {
  add16(fixed, id);
  add32(fixed, value);
  ++count;
}

void PropertyTable::add_string(uint16_t id, const std::u16string& text) {
  Bytes data;
  for (char16_t c : text) add16(data, c);
  add16(data, 0);
  add_complex(id, data, static_cast<uint32_t>(data.size()));
}

void PropertyTable::add_complex(uint16_t id, const Bytes& data, uint32_t length) {
  add(static_cast<uint16_t>(id | 0x8000), length);
  quire_test::add(complex, data);
}

Bytes PropertyTable::record() const {
  Bytes body = fixed;
  quire_test::add(body, complex);
  return quire_test::record(3, count, OPT, body);
}

Bytes shape_anchors(const std::vector<ShapePlan>& shapes, const std::vector<uint32_t>& cps, uint32_t ccp_text) {
  Bytes out;
  for (uint32_t cp : cps) add32(out, cp);
  add32(out, ccp_text);
  for (size_t i = 0; i < cps.size(); ++i) {
    const ShapePlan& shape = shapes[i];
    add32(out, shape.grouped ? shape_id(i) - 1 : shape_id(i));
    add(out, rect(shape.left, shape.top, shape.right, shape.bottom));
    add16(out, 0);  // from the margins, in front of the text
    add32(out, 0);
  }
  return out;
}

Bytes drawing_layer(const std::vector<ShapePlan>& shapes) {
  Bytes fdgg;
  add32(fdgg, FIRST_ID + 2 + 2 * static_cast<uint32_t>(shapes.size()));
  add32(fdgg, 0);
  add32(fdgg, static_cast<uint32_t>(shapes.size()));
  add32(fdgg, 1);
  Bytes out = container(DGG_CONTAINER, record(0, 0, FDGG, fdgg));

  Bytes patriarch = record(1, 0, FSPGR, rect(0, 0, 0, 0));
  add(patriarch, fsp(0, FIRST_ID, GROUP_FLAGS));
  Bytes tree = container(SP_CONTAINER, patriarch);
  for (size_t i = 0; i < shapes.size(); ++i)
    add(tree, shapes[i].grouped ? group_container(shapes[i], shape_id(i) - 1) : shape_container(shapes[i], shape_id(i)));
  Bytes fdg;
  add32(fdg, static_cast<uint32_t>(shapes.size() + 1));
  add32(fdg, shape_id(shapes.size()));
  Bytes drawing = record(0, 1, FDG, fdg);
  add(drawing, container(SPGR_CONTAINER, tree));
  out.push_back(0);  // the main text's drawing
  add(out, container(DG_CONTAINER, drawing));
  return out;
}

}  // namespace quire_test
