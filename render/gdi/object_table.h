// The metafile's object table: as many slots as the header's
// NumberOfObjects, each create record taking the lowest free one at
// creation time (a create that finds none is dropped), DELETEOBJECT freeing
// a slot at once. Selected objects are copies held by the DC, so deleting
// one leaves it in effect until something replaces it, as in GDI.
//
// Slots are allocated as they are first used, so a header that claims
// 65,535 objects costs nothing until the records create them.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <variant>
#include <vector>

#include "render/draw/brush.h"
#include "render/draw/font.h"
#include "render/draw/pen.h"
#include "render/gdi/palette.h"
#include "render/gdi/region.h"

namespace vellum::gdi {

// A slot's content. Pattern brushes are draw::Brush with their pixels;
// regions and palettes are shared and immutable, so copies are cheap.
using GdiObject = std::variant<std::monostate, draw::Pen, draw::Brush, draw::Font,
                               std::shared_ptr<const Palette>, Region>;

class ObjectTable {
 public:
  explicit ObjectTable(uint16_t capacity) : capacity_(capacity) {}

  // Puts the object in the lowest free slot; its index, or -1 when the
  // table is full (the object is dropped).
  int add(GdiObject object);
  // The object in a slot, or nullptr for an empty slot or an index past
  // the table.
  const GdiObject* at(uint32_t index) const;
  void remove(uint32_t index);
  uint16_t capacity() const { return capacity_; }

 private:
  uint16_t capacity_;
  std::vector<GdiObject> slots_;  // grows to the highest slot used, never past capacity_
  std::set<uint16_t> free_;       // empty slots below slots_.size()
};

}  // namespace vellum::gdi
