// SPDX-License-Identifier: MIT
// A scene painted into the bytes of one picture format.
#pragma once

#include <cairo.h>

#include <cstdio>
#include <string>

#include "picture/picture_file.hpp"
#include "picture/scene.hpp"

namespace inspector::plot {

// Paints `scene` in `format` and writes the picture to `out`; returns
// cairo's status (a write error included).
cairo_status_t render(const Scene& scene, PictureFile::Format format, std::FILE* out);

// cairo's SVG has no tooltips: each badge gets a transparent rectangle
// holding its condition text as a <title>, which viewers show on hover.
// Added before the closing tag of `svg`, cairo's finished document.
void add_hover_titles(std::string& svg, const Scene& scene);

}  // namespace inspector::plot
