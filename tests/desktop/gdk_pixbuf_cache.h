// Points GdkPixbuf at a loaders cache that lists only the built WMF loader,
// made by gdk-pixbuf-query-loaders as an install would make it. Call before
// the first GdkPixbuf call of the process.
#pragma once

namespace vellum::test {

void use_built_loader();

}  // namespace vellum::test
