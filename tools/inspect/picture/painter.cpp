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
  void path(const Mark& mark, const std::vector<Point>& run);
  void dots(const Mark& mark, const std::vector<Point>& points);
  void line(const Line& line);
  void bar(const Mark& mark, const Box& box);
  void arrow(const Arrow& arrow);
  void swatch(const Swatch& swatch);
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

// A line's run with its pen (colour, width, dashes).
void Painter::path(const Mark& mark, const std::vector<Point>& run) {
  colour(cr_, mark.colour);
  cairo_set_line_width(cr_, mark.width);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  cairo_set_dash(cr_, kDash, mark.dashed ? 2 : 0, 0);
  for (std::size_t i = 0; i < run.size(); ++i)
    (i == 0 ? cairo_move_to : cairo_line_to)(cr_, run[i].x, run[i].y);
  cairo_stroke(cr_);
  cairo_set_dash(cr_, nullptr, 0, 0);
}

void Painter::dots(const Mark& mark, const std::vector<Point>& points) {
  colour(cr_, mark.colour);
  for (const Point& p : points) {
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, p.x, p.y, mark.width + kDotOver, 0, 2 * M_PI);
  }
  cairo_fill(cr_);
}

// A value standing alone gets its dot even on a line without them.
void Painter::line(const Line& line) {
  for (const auto& run : line.runs) {
    path(line.mark, run);
    if (run.size() == 1 || line.mark.markers) dots(line.mark, run);
  }
}

void Painter::bar(const Mark& mark, const Box& box) {
  colour(cr_, mark.colour);
  cairo_rectangle(cr_, box.x, box.y, box.width, box.height);
  cairo_fill(cr_);
}

void Painter::arrow(const Arrow& a) {
  const Point tip = a.tip();
  // The shaft ends inside the head, so that its square end never shows.
  path(a.mark, {a.tail(), {tip.x - a.dx * (kHeadLength - 3), tip.y - a.dy * (kHeadLength - 3)}});
  // The head: a triangle along (dx, dy).
  colour(cr_, a.mark.colour);
  cairo_move_to(cr_, tip.x, tip.y);
  cairo_line_to(cr_, tip.x - a.dx * kHeadLength - a.dy * kHeadHalfWidth,
                tip.y - a.dy * kHeadLength + a.dx * kHeadHalfWidth);
  cairo_line_to(cr_, tip.x - a.dx * kHeadLength + a.dy * kHeadHalfWidth,
                tip.y - a.dy * kHeadLength - a.dx * kHeadHalfWidth);
  cairo_close_path(cr_);
  cairo_fill(cr_);
}

// The series' own mark, small: a line with one dot, a bar, an arrow.
void Painter::swatch(const Swatch& s) {
  const Box& box = s.box;
  const Point left{box.x, box.y + box.height / 2}, right{box.right(), left.y};
  switch (s.mark.shape) {
    case Mark::Shape::kLine:
      path(s.mark, {left, right});
      if (s.mark.markers) dots(s.mark, {{box.x + box.width / 2, left.y}});
      break;
    case Mark::Shape::kBar:
      bar(s.mark, {box.x + box.width / 2 - box.height / 2, box.y, box.height, box.height});
      break;
    case Mark::Shape::kArrow:
      arrow({{box.x + box.width / 2, left.y}, 1, 0, box.width, s.mark, 0});
      break;
  }
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
  for (const Bar& b : scene.bars) bar(b.mark, b.box);
  for (const Line& l : scene.lines) line(l);
  for (const Arrow& a : scene.arrows) arrow(a);
  for (const Swatch& s : scene.swatches) swatch(s);
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
