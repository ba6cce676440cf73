// SPDX-License-Identifier: MIT
// Text in the picture's one font, set the same way when the scene is laid
// out (to measure it) and when it is painted, so that what the scene's rules
// were checked against is what appears.
#pragma once

#include <cairo.h>
#include <pango/pango.h>

#include "picture/drawing_holders.hpp"
#include "picture/scene.hpp"

namespace inspector::plot {

class Typesetter {
 public:
  Typesetter();                      // for measuring only
  explicit Typesetter(cairo_t* cr);  // for painting on `cr`

  // Lays `label` out and returns where its text lies.
  Box set(const Label& label);
  // The layout set last, and the point its top left is painted at.
  PangoLayout* layout() const noexcept { return layout_.get(); }
  Point origin() const noexcept { return origin_; }

 private:
  GObjectPtr<PangoLayout> layout_;
  Point origin_{0, 0};
};

}  // namespace inspector::plot
