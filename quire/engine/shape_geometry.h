// A drawing-layer shape's geometry as the property table and the shape
// record give it, and the outline it draws: a freeform's own point list
// or a preset shape's outline for its adjust values.
#pragma once

#include <cstdint>

#include "byte_span.h"
#include "document_model.h"

namespace quire {

constexpr uint16_t SHAPE_FREEFORM = 0;

// A list in a property table: its element count, allocated count and
// element size, then the elements. A size of 0xFFF0 keeps points as two
// 16-bit values.
constexpr size_t LIST_HEADER = 6;
constexpr size_t list_element_size(uint16_t declared) { return declared == 0xFFF0 ? 4 : declared; }
constexpr size_t ADJUST_VALUES = 10;

struct ShapeGeometry {
  uint16_t type = SHAPE_FREEFORM;  // the preset kind, from the shape record
  int32_t geo[4] = {0, 0, 21600, 21600};  // a freeform's coordinate space: left, top, right, bottom
  uint32_t path_kind = 1;          // how a freeform without segments joins its points (1: closed lines)
  ByteSpan vertices, segments;     // a freeform's arrays, inside the property table's bytes
  int32_t adjust[ADJUST_VALUES] = {};
  uint16_t adjusted = 0;           // bit i: adjust[i] was given
};

// The outline the geometry draws, in fractions of the shape's box; empty
// for shapes drawn otherwise (pictures, text boxes, rectangles) and for a
// freeform whose lists are damaged.
ShapePaths shape_paths(const ShapeGeometry& geometry);

}  // namespace quire
