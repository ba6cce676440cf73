// SPDX-License-Identifier: MIT
// Owners for what the picture is drawn with: cairo's surfaces and contexts,
// pango's font descriptions, and GObjects (pango's layouts and contexts).
#pragma once

#include <cairo.h>
#include <glib-object.h>
#include <pango/pango.h>

#include <memory>

namespace inspector::plot {

struct CairoFree {
  void operator()(cairo_surface_t* surface) const noexcept { cairo_surface_destroy(surface); }
  void operator()(cairo_t* cr) const noexcept { cairo_destroy(cr); }
  void operator()(cairo_font_options_t* options) const noexcept {
    cairo_font_options_destroy(options);
  }
};
template <typename T>
using CairoPtr = std::unique_ptr<T, CairoFree>;

struct PangoFree {
  void operator()(PangoFontDescription* font) const noexcept { pango_font_description_free(font); }
};
template <typename T>
using PangoPtr = std::unique_ptr<T, PangoFree>;

struct GObjectUnref {
  void operator()(gpointer object) const noexcept { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

}  // namespace inspector::plot
