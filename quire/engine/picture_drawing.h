// Drawing a document's pictures onto cairo: WMF through the GDI player,
// PNG through cairo, JPEG through libjpeg(-turbo), DIB decoded here. EMF,
// PICT and TIFF are not drawn: they show as a light grey box (the model
// counts the EMF ones in skipped_emf). A picture that cannot be decoded
// leaves its box empty; nothing stops the page.
#pragma once

#include <cairo.h>

#include "document_model.h"

namespace quire {

// Draws `picture` into the box (x, y, width, height) of `cr`'s user space,
// cropped as the picture says. The context's state is left as it was.
void draw_picture(cairo_t* cr, const Picture& picture, double x, double y, double width, double height);

// The picture decoded to an image surface (PNG, JPEG, DIB), or null when it
// is another format or cannot be decoded. The caller destroys it.
cairo_surface_t* decode_bitmap(const Picture& picture);

}  // namespace quire
