// Tracked changes as the page shows them: hidden and plain, or, where the
// document asks Word to print its markup, deleted text struck through and
// inserted text underlined in a colour per author, with a bar beside the
// changed lines.
#pragma once

#include "properties.h"

namespace quire {

// Whether a run of text stays in the document: deleted text only does
// when markup is shown.
inline bool revision_kept(const CharProps& props, bool markup) { return markup || !props.deleted; }

// Gives a kept run the look of its revision: with markup, a changed run is
// struck through or underlined in its author's colour; without, inserted
// text is plain text.
void show_revision(CharProps& props, bool markup);

// Whether a run shows a change: its lines carry a change bar.
inline bool shows_change(const CharProps& props) { return props.deleted || props.inserted; }

}  // namespace quire
