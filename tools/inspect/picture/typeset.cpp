// SPDX-License-Identifier: MIT
#include "picture/typeset.hpp"

#include <pango/pangocairo.h>

namespace inspector::plot {
namespace {

// One family everywhere (scripts/setup-debian installs it), so the picture
// looks the same on every machine.
constexpr const char* kFont = "DejaVu Sans";

// Unhinted metrics: text takes the same room in every format, measured or
// painted.
void unhinted(PangoContext* context) {
  const CairoPtr<cairo_font_options_t> options(cairo_font_options_create());
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(context, options.get());
}

PangoAlignment alignment_of(Align align) {
  return align == Align::kLeft     ? PANGO_ALIGN_LEFT
         : align == Align::kCentre ? PANGO_ALIGN_CENTER
                                   : PANGO_ALIGN_RIGHT;
}

void set_font(PangoLayout* layout, const Label& label) {
  const PangoPtr<PangoFontDescription> font(pango_font_description_from_string(kFont));
  pango_font_description_set_absolute_size(font.get(), label.size * PANGO_SCALE);
  pango_font_description_set_weight(font.get(),
                                    label.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(font.get(),
                                   label.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout, font.get());
}

void set_wrapping(PangoLayout* layout, const Label& label) {
  pango_layout_set_alignment(layout, alignment_of(label.align));
  if (label.width > 0) {
    pango_layout_set_width(layout, static_cast<int>(label.width * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_height(layout, -label.lines);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
  } else {
    pango_layout_set_width(layout, -1);
    pango_layout_set_height(layout, -1);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_NONE);
  }
}

}  // namespace

Typesetter::Typesetter() {
  const GObjectPtr<PangoContext> context(
      pango_font_map_create_context(pango_cairo_font_map_get_default()));
  unhinted(context.get());
  layout_.reset(pango_layout_new(context.get()));
}

Typesetter::Typesetter(cairo_t* cr) : layout_(pango_cairo_create_layout(cr)) {
  unhinted(pango_layout_get_context(layout_.get()));
  pango_layout_context_changed(layout_.get());
}

Box Typesetter::set(const Label& label) {
  PangoLayout* layout = layout_.get();
  set_font(layout, label);
  set_wrapping(layout, label);
  pango_layout_set_text(layout, label.text.c_str(), -1);
  PangoRectangle text{};
  pango_layout_get_pixel_extents(layout, nullptr, &text);
  // The layout is as wide as the label's width, or as its text.
  const double width = label.width > 0 ? label.width : text.width;
  const double left = label.align == Align::kLeft     ? label.x
                      : label.align == Align::kCentre ? label.x - width / 2
                                                      : label.x - width;
  origin_ = {left, label.y};
  return {left + text.x, label.y + text.y, static_cast<double>(text.width),
          static_cast<double>(text.height)};
}

}  // namespace inspector::plot
