// SPDX-License-Identifier: MIT
// Painting a scene with cairo and pango; it adds nothing to what the scene
// laid out.
#pragma once

#include <cairo.h>

#include "picture/scene.hpp"

namespace inspector::plot {

void paint(cairo_t* cr, const Scene& scene);

// Pango's default font map and the fonts it caches live for the process;
// the picture is the run's last work, so they are released after it and a
// leak checker sees only what this program leaks.
void release_font_caches();

}  // namespace inspector::plot
