#include "lists.h"

#include <algorithm>

#include "common/byte_reader.h"
#include "number_format.h"

namespace quire {
namespace {

using vellum::ByteOrder;
using vellum::ByteReader;

constexpr size_t LSTF_SIZE = 28;
constexpr size_t LFO_SIZE = 16;
constexpr int32_t MAX_LISTS = 4096;
constexpr int32_t MAX_OVERRIDES = 8192;
constexpr uint16_t MAX_TEMPLATE = 64;
constexpr uint16_t NO_LIST = 0;
constexpr uint16_t NO_NUMBERING = 0xF801;  // ilfo Word writes for "numbering removed"

ByteReader reader_of(ByteSpan span) { return ByteReader(span.data, span.size, ByteOrder::little); }

ByteSpan span_of(ByteReader& reader, size_t count) {
  ByteReader part = reader.sub(count);
  if (part.failed()) return {};
  return {part.data(), count};
}

// An LVL: LVLF, then its paragraph and character modifiers, then the template.
bool read_level(ByteReader& in, ListLevel& level) {
  level.start = in.i32();
  level.nfc = in.u8();
  const uint8_t flags = in.u8();
  level.alignment = flags & 3;
  level.legal = (flags & 0x04) != 0;
  level.no_restart = (flags & 0x08) != 0;
  in.skip(9);  // rgbxchNums: where the placeholders are; the template says it too
  level.follow = in.u8();
  in.skip(8);  // dxaIndentSav, unused
  const uint8_t chpx_size = in.u8(), papx_size = in.u8();
  in.skip(2);  // ilvlRestartLim, grfhic
  level.papx = span_of(in, papx_size);
  level.chpx = span_of(in, chpx_size);
  const uint16_t count = in.u16();
  if (in.failed()) return false;
  level.text.clear();
  for (uint16_t i = 0; i < count; ++i) {
    const char16_t ch = static_cast<char16_t>(in.u16());
    if (i < MAX_TEMPLATE) level.text.push_back(ch);
  }
  return !in.failed();
}

}  // namespace

void ListTable::parse(ByteSpan plf_lst, ByteSpan levels_after, ByteSpan plf_lfo) {
  lists_.clear();
  overrides_.clear();
  counters_.clear();

  ByteReader lst = reader_of(plf_lst);
  const int32_t list_count = std::clamp<int32_t>(lst.i16(), 0, MAX_LISTS);
  std::vector<bool> simple;
  for (int32_t i = 0; i < list_count && !lst.failed(); ++i) {
    ByteReader record = lst.sub(LSTF_SIZE);
    ListDefinition list;
    list.id = record.i32();
    record.skip(4 + 18);  // tplc, rgistdPara
    const uint8_t flags = record.u8();
    if (record.failed()) break;
    lists_.push_back(list);
    simple.push_back((flags & 1) != 0);
  }
  // The levels of every list follow the PlfLst, list by list in the same order.
  ByteReader levels = reader_of(levels_after);
  for (size_t i = 0; i < lists_.size(); ++i) {
    const int count = simple[i] ? 1 : LIST_LEVELS;
    for (int l = 0; l < count; ++l) {
      ListLevel level;
      if (!read_level(levels, level)) break;
      lists_[i].levels.push_back(std::move(level));
    }
    if (levels.failed()) break;
  }

  ByteReader lfo = reader_of(plf_lfo);
  const int32_t override_count = std::clamp<int32_t>(lfo.i32(), 0, MAX_OVERRIDES);
  std::vector<uint8_t> level_counts;
  for (int32_t i = 0; i < override_count && !lfo.failed(); ++i) {
    ByteReader record = lfo.sub(LFO_SIZE);
    ListOverride entry;
    entry.list_id = record.i32();
    record.skip(8);
    const uint8_t level_count = record.u8();
    if (record.failed()) break;
    overrides_.push_back(entry);
    level_counts.push_back(std::min<uint8_t>(level_count, LIST_LEVELS));
  }
  // Then one LFOData per LFO: a CP, then its LFOLVLs.
  for (size_t i = 0; i < overrides_.size() && !lfo.failed(); ++i) {
    lfo.skip(4);
    for (uint8_t l = 0; l < level_counts[i]; ++l) {
      ListOverrideLevel level;
      level.start = lfo.i32();
      const uint32_t flags = lfo.u32();
      if (lfo.failed()) break;
      level.level = flags & 0x0F;
      level.restart = (flags & 0x10) != 0;
      level.formatted = (flags & 0x20) != 0;
      if (level.formatted && !read_level(lfo, level.replacement)) break;
      if (level.level < LIST_LEVELS) overrides_[i].levels.push_back(std::move(level));
    }
  }
  override_used_.assign(overrides_.size(), false);
}

const ListDefinition* ListTable::definition(int32_t id) const {
  for (const ListDefinition& list : lists_)
    if (list.id == id) return &list;
  return nullptr;
}

const ListLevel* ListTable::level(uint16_t ilfo, uint8_t ilvl) const {
  if (ilfo == NO_LIST || ilfo == NO_NUMBERING || ilfo > overrides_.size() || ilvl >= LIST_LEVELS) return nullptr;
  const ListOverride& entry = overrides_[ilfo - 1];
  for (const ListOverrideLevel& level : entry.levels)
    if (level.level == ilvl && level.formatted) return &level.replacement;
  const ListDefinition* list = definition(entry.list_id);
  if (!list || list->levels.empty()) return nullptr;
  return &list->levels[std::min<size_t>(ilvl, list->levels.size() - 1)];
}

std::u16string ListTable::next_label(uint16_t ilfo, uint8_t ilvl) {
  const ListLevel* current = level(ilfo, ilvl);
  if (!current) return {};
  const ListOverride& entry = overrides_[ilfo - 1];
  Counter& counter = counters_[entry.list_id];
  // An override that restarts a level does so the first time it is used.
  if (!override_used_[ilfo - 1]) {
    override_used_[ilfo - 1] = true;
    for (const ListOverrideLevel& level : entry.levels)
      if (level.restart || level.formatted) {
        counter.started[level.level] = false;
        if (level.restart) counter.value[level.level] = level.start;
      }
  }
  auto start_of = [&](int l) {
    for (const ListOverrideLevel& level : entry.levels)
      if (level.level == l && level.restart) return level.start;
    const ListLevel* at = this->level(ilfo, static_cast<uint8_t>(l));
    return at ? at->start : 1;
  };
  if (counter.started[ilvl]) {
    ++counter.value[ilvl];
  } else {
    counter.value[ilvl] = start_of(ilvl);
    counter.started[ilvl] = true;
  }
  for (int l = ilvl + 1; l < LIST_LEVELS; ++l) {
    const ListLevel* deeper = level(ilfo, static_cast<uint8_t>(l));
    if (!deeper || !deeper->no_restart) counter.started[l] = false;
  }

  if (current->nfc == NFC_NONE) return {};
  std::u16string label;
  for (char16_t ch : current->text) {
    if (ch >= LIST_LEVELS) {
      label.push_back(ch);
      continue;
    }
    const ListLevel* shown = level(ilfo, static_cast<uint8_t>(ch));
    const int32_t value = counter.started[ch] ? counter.value[ch] : start_of(ch);
    const uint8_t nfc = current->legal || !shown || shown->nfc == NFC_BULLET ? uint8_t{NFC_DECIMAL} : shown->nfc;
    for (char c : format_number(value, nfc)) label.push_back(static_cast<unsigned char>(c));
  }
  return label;
}

}  // namespace quire
