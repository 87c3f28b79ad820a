#include "render/gdi/object_table.h"

namespace vellum::gdi {

int ObjectTable::add(GdiObject object) {
  if (!free_.empty()) {
    const uint16_t index = *free_.begin();
    free_.erase(free_.begin());
    slots_[index] = std::move(object);
    return index;
  }
  if (slots_.size() >= capacity_) return -1;
  slots_.push_back(std::move(object));
  return int(slots_.size() - 1);
}

const GdiObject* ObjectTable::at(uint32_t index) const {
  if (index >= slots_.size() || std::holds_alternative<std::monostate>(slots_[index]))
    return nullptr;
  return &slots_[index];
}

void ObjectTable::remove(uint32_t index) {
  if (index >= slots_.size() || std::holds_alternative<std::monostate>(slots_[index])) return;
  slots_[index] = std::monostate{};
  free_.insert(uint16_t(index));
}

}  // namespace vellum::gdi
