// The document's parts after the main text: headers and footers (PlcfHdd),
// footnotes and endnotes (PlcffndRef/Txt, PlcfendRef/Txt), and the
// document-wide settings of the DOP they depend on.
#pragma once

#include "byte_span.h"
#include "document_model.h"
#include "fib.h"
#include "text_builder.h"

namespace quire {

// Reads where the note marks of the main text lie (before the main text is built).
void read_note_anchors(ByteSpan table, const Fib& fib, size_t& footnotes, size_t& endnotes, AnchorMaps& anchors);

// Builds the notes' and headers' stories into the model (after the main
// text, so notes know the block that refers to them).
// `header_floats` maps CPs (from the start of the text) of floating
// pictures anchored in headers and footers to model floats.
void build_parts(ByteSpan table, const Fib& fib, const TextSources& sources, DocumentModel& model,
                 const std::multimap<uint32_t, uint32_t>& header_floats);

// Builds the stories of the model's text boxes (after the main text and
// the headers): each ShapeText that names a story gets its paragraphs.
void build_text_boxes(ByteSpan table, const Fib& fib, const TextSources& sources, DocumentModel& model);

// Facing pages, revision markup when printed and the default tab width from the DOP.
void read_document_settings(ByteSpan dop, DocumentModel& model);

}  // namespace quire
