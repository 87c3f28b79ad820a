// The two ways vellum-view shows a picture; each returns the exit code.
#pragma once

#include <cstdint>
#include <vector>

#include "view_options.h"

namespace vellum_view {

// A Qt window of its own over libvellum, resizable and zoomable.
int show_native(const ViewOptions& options, std::vector<uint8_t> bytes);

// The MUI window with one vellum.mcc object, at most 200 pixels wide.
int show_with_class(const ViewOptions& options);

// Input rounds before a screenshot, so the window is laid out and drawn.
inline constexpr int SETTLE_ROUNDS = 3;

}  // namespace vellum_view
