#include "revisions.h"

namespace quire {
namespace {

// Colours told apart on white paper, taken in turn by the authors of the
// changes (their index in the document's list of revision authors).
constexpr uint32_t AUTHOR_COLOURS[] = {0x1F4E9E, 0xC00000, 0x007A33, 0x7030A0, 0xC55A11, 0x00788A, 0xA0306E, 0x5B6B00};
constexpr size_t AUTHORS = sizeof AUTHOR_COLOURS / sizeof AUTHOR_COLOURS[0];

}  // namespace

void show_revision(CharProps& props, bool markup) {
  if (!markup) {
    props.inserted = false;
    props.insert_author = props.delete_author = 0;  // text alike in all but its author joins one run
    return;
  }
  if (!shows_change(props)) return;
  props.strike = props.strike || props.deleted;
  props.underline = props.underline || props.inserted;
  props.auto_colour = false;
  props.colour = AUTHOR_COLOURS[(props.deleted ? props.delete_author : props.insert_author) % AUTHORS];
}

}  // namespace quire
