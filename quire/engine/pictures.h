// Pictures of a Word document: inline pictures (a PICF picture descriptor
// in the Data stream, then an OfficeArt shape and its blip, or an old
// metafile) and floating pictures (FSPA anchors in PlcSpaMom, shapes in
// the drawing layer of the table stream, blips in the BStore whose bytes
// may lie in the WordDocument stream). Every record is read through the
// bounded reader; a picture that cannot be read is left out.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "byte_span.h"
#include "document_model.h"

namespace quire {

// Reads the picture descriptor at `offset` of the Data stream into a new
// model picture; returns its index + 1, or 0 when there is none.
uint32_t load_inline_picture(ByteSpan data, uint32_t offset, DocumentModel& model);

// Reads the floating pictures and shapes of a part: their anchors
// (PlcSpaMom for the main text, PlcSpaHdr for headers) and shapes (the
// drawing layer, OfficeArtContent at fcDggInfo). Adds a FloatingPicture
// for each with its model picture and its ShapeText (a text box, whose
// story is read later, or text art), and maps the anchors' CPs plus
// `cp_base` to them in `anchors`.
void load_floating_pictures(ByteSpan plc_spa, ByteSpan dgg_info, ByteSpan word, DocumentModel& model,
                            std::multimap<uint32_t, uint32_t>& anchors, uint32_t cp_base = 0,
                            bool headers = false);

// Decodes one blip record (its header included) into `picture`'s format
// and bytes; false when it is no blip this reader knows.
bool read_blip(ByteSpan record, Picture& picture);

}  // namespace quire
