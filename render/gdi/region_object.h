// A region in the object table (CREATEREGION).
//
// PLACEHOLDER until render/gdi/region.h (branch `raster`) is on main: it
// then becomes std::shared_ptr<const Region> (or the region type itself),
// and SELECTOBJECT of a region makes it the clip.
#pragma once

#include <memory>

namespace vellum::gdi {

struct RegionObject {
  std::shared_ptr<const void> region;  // filled by the region records
};

}  // namespace vellum::gdi
