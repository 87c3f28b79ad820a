// Lists: the list definitions (PlfLst: LSTF records and their LVL levels)
// and the list overrides (PlfLfo: LFO records and their LFOLVL overrides)
// of the table stream, and the numbering a document's paragraphs get from
// them in reading order.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "byte_span.h"

namespace quire {

constexpr int LIST_LEVELS = 9;

struct ListLevel {
  int32_t start = 1;
  uint8_t nfc = 0;          // number format (number_format.h)
  uint8_t alignment = 0;    // of the number: 0 left, 1 centre, 2 right
  bool legal = false;       // every level shown as decimal
  bool no_restart = false;  // not reset when a higher level advances
  uint8_t follow = 0;       // after the number: 0 tab, 1 space, 2 nothing
  std::u16string text;      // template: characters 0..8 stand for that level's number
  ByteSpan papx, chpx;      // the level's paragraph and character modifiers
};

struct ListDefinition {
  int32_t id = 0;  // lsid
  std::vector<ListLevel> levels;  // 1 for a simple list, else 9
};

struct ListOverrideLevel {
  uint8_t level = 0;
  bool restart = false;  // fStartAt: numbering restarts at `start`
  int32_t start = 0;
  bool formatted = false;  // a whole replacement level follows
  ListLevel replacement;
};

struct ListOverride {
  int32_t list_id = 0;
  std::vector<ListOverrideLevel> levels;
};

class ListTable {
 public:
  // Reads both tables (both bounded); damaged records end the read there.
  // The lists' levels are not counted in the PlfLst's size: they follow it
  // in the table stream, in `levels`.
  void parse(ByteSpan plf_lst, ByteSpan levels, ByteSpan plf_lfo);

  bool empty() const { return overrides_.empty(); }

  // The level a paragraph with list override `ilfo` (1-based) and level
  // `ilvl` uses, or null when there is none.
  const ListLevel* level(uint16_t ilfo, uint8_t ilvl) const;

  // Advances the numbering for a paragraph of (ilfo, ilvl) and returns its
  // label text (UTF-16, symbol codes unmapped); empty when it has none.
  std::u16string next_label(uint16_t ilfo, uint8_t ilvl);

 private:
  const ListDefinition* definition(int32_t id) const;

  struct Counter {
    std::array<int32_t, LIST_LEVELS> value{};
    std::array<bool, LIST_LEVELS> started{};
  };
  std::vector<ListDefinition> lists_;
  std::vector<ListOverride> overrides_;
  std::map<int32_t, Counter> counters_;          // by list id
  std::vector<bool> override_used_;              // per LFO: its restarts were applied
};

}  // namespace quire
