// SPDX-License-Identifier: MIT
#include "picture/painter.hpp"

#include <pango/pangocairo.h>

#include <cmath>

#include "picture/layout.hpp"
#include "picture/typeset.hpp"

namespace inspector::plot {
namespace {

using namespace layout;

void colour(cairo_t* cr, Colour c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

class Painter {
 public:
  explicit Painter(cairo_t* cr) : cr_(cr), type_(cr) {}
  void paint(const Scene& scene);

 private:
  void background(const Scene& scene);
  void text(const Label& label);
  void ticks(const Axis& axis);
  void line(const Line& line);
  void arrow(const Arrow& arrow);
  void badge(const Badge& badge);
  void rule(const Rule& rule);

  cairo_t* cr_;
  Typesetter type_;
};

void Painter::text(const Label& label) {
  type_.set(label);
  colour(cr_, label.colour);
  cairo_move_to(cr_, type_.origin().x, type_.origin().y);
  pango_cairo_show_layout(cr_, type_.layout());
}

// The tick marks; their texts are labels of the scene.
void Painter::ticks(const Axis& axis) {
  colour(cr_, axis.colour);
  const double edge = axis.right ? axis.box.right() : axis.box.x;
  const double outward = axis.right ? kTickLength : -kTickLength;
  cairo_set_line_width(cr_, 1);
  for (const double y : axis.ticks) {
    cairo_move_to(cr_, edge, y);
    cairo_line_to(cr_, edge + outward, y);
  }
  cairo_stroke(cr_);
}

void Painter::line(const Line& line) {
  colour(cr_, line.colour);
  cairo_set_line_width(cr_, line.width);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  const double dashes[] = {5, 3};
  cairo_set_dash(cr_, dashes, line.dashed ? 2 : 0, 0);
  for (const auto& run : line.runs) {
    for (std::size_t i = 0; i < run.size(); ++i)
      (i == 0 ? cairo_move_to : cairo_line_to)(cr_, run[i].x, run[i].y);
    cairo_stroke(cr_);
    if (run.size() == 1 || line.markers)
      for (const Point& p : run) {
        cairo_new_sub_path(cr_);
        cairo_arc(cr_, p.x, p.y, line.width + 1.3, 0, 2 * M_PI);
      }
    cairo_fill(cr_);
  }
  cairo_set_dash(cr_, nullptr, 0, 0);
}

void Painter::arrow(const Arrow& a) {
  const double half = a.length / 2;
  const Point tip{a.centre.x + a.dx * half, a.centre.y + a.dy * half};
  const Point tail{a.centre.x - a.dx * half, a.centre.y - a.dy * half};
  colour(cr_, a.colour);
  cairo_set_line_width(cr_, 2);
  cairo_move_to(cr_, tail.x, tail.y);
  cairo_line_to(cr_, tip.x - a.dx * 5, tip.y - a.dy * 5);
  cairo_stroke(cr_);
  // The head: a triangle along (dx, dy), 8 px long.
  cairo_move_to(cr_, tip.x, tip.y);
  cairo_line_to(cr_, tip.x - a.dx * 8 - a.dy * 4.5, tip.y - a.dy * 8 + a.dx * 4.5);
  cairo_line_to(cr_, tip.x - a.dx * 8 + a.dy * 4.5, tip.y - a.dy * 8 - a.dx * 4.5);
  cairo_close_path(cr_);
  cairo_fill(cr_);
}

void Painter::badge(const Badge& b) {
  const double r = 6;
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, b.box.right() - r, b.box.y + r, r, -M_PI / 2, 0);
  cairo_arc(cr_, b.box.right() - r, b.box.bottom() - r, r, 0, M_PI / 2);
  cairo_arc(cr_, b.box.x + r, b.box.bottom() - r, r, M_PI / 2, M_PI);
  cairo_arc(cr_, b.box.x + r, b.box.y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr_);
  colour(cr_, b.night ? Colour{0.16, 0.22, 0.33} : Colour{1, 0.95, 0.75});
  cairo_fill_preserve(cr_);
  colour(cr_, {0.3, 0.3, 0.3});
  cairo_set_line_width(cr_, 0.8);
  cairo_stroke(cr_);
  text({b.code, b.box.x + b.box.width / 2, b.box.y + 4, 12, b.night ? Colour{1, 1, 1} : kBlack,
        Align::kCentre, true, b.box.width});
}

void Painter::rule(const Rule& r) {
  colour(cr_, r.colour);
  cairo_set_line_width(cr_, r.width);
  cairo_move_to(cr_, r.from.x, r.from.y);
  cairo_line_to(cr_, r.to.x, r.to.y);
  cairo_stroke(cr_);
}

// White, with every other column shaded so that the days read as columns.
void Painter::background(const Scene& scene) {
  cairo_set_source_rgb(cr_, 1, 1, 1);
  cairo_paint(cr_);
  cairo_set_source_rgb(cr_, 0.95, 0.96, 0.97);
  for (std::size_t i = 1; i < scene.columns.size(); i += 2) {
    const Box& c = scene.columns[i];
    cairo_rectangle(cr_, c.x, c.y, c.width, c.height);
  }
  cairo_fill(cr_);
}

void Painter::paint(const Scene& scene) {
  background(scene);
  for (const Rule& r : scene.rules) rule(r);
  cairo_set_source_rgb(cr_, 0.25, 0.25, 0.25);
  cairo_set_line_width(cr_, 1);
  for (const Box& frame : scene.frames)
    cairo_rectangle(cr_, frame.x, frame.y, frame.width, frame.height);
  cairo_stroke(cr_);
  for (const Axis& a : scene.axes) ticks(a);
  for (const Bar& bar : scene.bars) {
    colour(cr_, bar.colour);
    cairo_rectangle(cr_, bar.box.x, bar.box.y, bar.box.width, bar.box.height);
    cairo_fill(cr_);
  }
  for (const Line& l : scene.lines) line(l);
  for (const Arrow& a : scene.arrows) arrow(a);
  for (const Badge& b : scene.badges) badge(b);
  colour(cr_, kGrey);  // absent values: bars in their rows, never on an axis
  for (const Gap& g : scene.gaps) cairo_rectangle(cr_, g.at.x, g.at.y, g.at.width, g.at.height);
  cairo_fill(cr_);
  for (const Label& label : scene.labels) text(label);
}

}  // namespace

void paint(cairo_t* cr, const Scene& scene) { Painter(cr).paint(scene); }

// cairo's and fontconfig's own clean-up calls assert on references they
// cannot see, so are not used.
void release_font_caches() { pango_cairo_font_map_set_default(nullptr); }

}  // namespace inspector::plot
