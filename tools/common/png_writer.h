// PNG encoding of a premultiplied ARGB32 picture, tuned for the flat colours
// and sharp edges of metafile pictures: one row filter and run-length
// deflate, about a quarter of the work of cairo's writer for files of
// similar size.
#pragma once

#include <cstdint>

#include "tools/common/output_file.h"

namespace vellum::tools {

// Writes RGB when every pixel is opaque, RGBA otherwise; false when the
// bytes could not be written or libpng failed.
bool write_png(const uint32_t* pixels, uint32_t width, uint32_t height, OutputFile* out);

}  // namespace vellum::tools
