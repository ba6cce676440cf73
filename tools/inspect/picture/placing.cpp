// SPDX-License-Identifier: MIT
// Where a value's text goes: beside its mark, clear of every other mark and
// text, so that no line runs through a number.
#include <algorithm>
#include <cmath>
#include <vector>

#include "picture/builder.hpp"
#include "picture/layout.hpp"

namespace inspector::plot {
namespace {

using namespace layout;

constexpr double kClearance = 1;  // what the scene's rules ask between two things
constexpr double kTextGap = 2;    // between a mark and its own text
// Each ring of places around a mark is this much further out, up to so many.
constexpr double kRingStep = 3;
constexpr int kRings = 8;

// A place around a mark, `cost` away from where its text is best read.
struct Place {
  Point top_left;
  double cost;
};

// The top left of a `size` box at eight places around `p`, `d` away, each
// costing `d` and more the further it strays from `side`: the other side
// costs as much as being 8 px further out.
std::vector<Place> ring(Point p, double d, const Box& size, Side side) {
  const double w = size.width, h = size.height, e = d * std::sqrt(0.5);
  const bool above = side == Side::kAbove;
  const double first = above ? p.y - d - h : p.y + d, second = above ? p.y + d : p.y - d - h;
  const double near = above ? p.y - e - h : p.y + e, far = above ? p.y + e : p.y - e - h;
  return {{{p.x - w / 2, first}, d},       {{p.x - w / 2, second}, d + 8},
          {{p.x + e, near}, d + 4},        {{p.x - e - w, near}, d + 4},
          {{p.x + d, p.y - h / 2}, d + 6}, {{p.x - d - w, p.y - h / 2}, d + 6},
          {{p.x + e, far}, d + 10},        {{p.x - e - w, far}, d + 10}};
}

// Every place around `p`, the cheapest first.
std::vector<Place> places(Point p, double reach, const Box& size, Side side) {
  std::vector<Place> all;
  for (int r = 0; r <= kRings; ++r)
    for (const Place& place : ring(p, reach + kTextGap + r * kRingStep, size, side))
      all.push_back(place);
  std::stable_sort(all.begin(), all.end(),
                   [](const Place& a, const Place& b) { return a.cost < b.cost; });
  return all;
}

// Where an arrow's head lies: the triangle the painter fills.
Box head_of(const Arrow& a) {
  const Point tip = a.tip(), base{tip.x - a.dx * kHeadLength, tip.y - a.dy * kHeadLength};
  const double wide_x = std::fabs(a.dy) * kHeadHalfWidth, wide_y = std::fabs(a.dx) * kHeadHalfWidth;
  const double left = std::min(tip.x, base.x - wide_x), top = std::min(tip.y, base.y - wide_y);
  return {left, top, std::max(tip.x, base.x + wide_x) - left,
          std::max(tip.y, base.y + wide_y) - top};
}

bool inside(const Box& outer, const Box& inner) {
  return inner.x >= outer.x + kClearance && inner.right() <= outer.right() - kClearance &&
         inner.y >= outer.y + kClearance && inner.bottom() <= outer.bottom() - kClearance;
}

}  // namespace

// The box grown by `reach` and `clearance`, clipped against the stroke's
// line (Liang and Barsky): the stroke enters it before it leaves.
bool Box::crossed_by(Point a, Point b, double reach, double clearance) const {
  const double grow = reach + clearance, dx = b.x - a.x, dy = b.y - a.y;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {a.x - (x - grow), right() + grow - a.x, a.y - (y - grow),
                      bottom() + grow - a.y};
  double enter = 0, leave = 1;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;  // parallel to this edge, and outside it
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      enter = std::max(enter, t);
    else
      leave = std::min(leave, t);
  }
  return enter <= leave;
}

bool SceneBuilder::clear_of_lines(const Box& extent) const {
  for (const Line& line : scene_.lines)
    for (const auto& run : line.runs) {
      for (std::size_t i = 1; i < run.size(); ++i)
        if (extent.crossed_by(run[i - 1], run[i], line.mark.width / 2, kClearance)) return false;
      if (run.size() == 1 || line.mark.markers)
        for (const Point& p : run)
          if (extent.crossed_by(p, p, line.mark.width + kDotOver, kClearance)) return false;
    }
  return true;
}

bool SceneBuilder::clear(const Box& extent, const Box& within) const {
  if (!inside(within, extent) || !clear_of_lines(extent)) return false;
  const auto near = [&](const Box& box) { return extent.near(box, kClearance); };
  for (const Arrow& a : scene_.arrows)
    if (extent.crossed_by(a.tail(), a.tip(), a.mark.width / 2, kClearance) || near(head_of(a)))
      return false;
  return std::none_of(scene_.labels.begin(), scene_.labels.end(),
                      [&](const Label& l) { return near(l.extent); }) &&
         std::none_of(scene_.bars.begin(), scene_.bars.end(),
                      [&](const Bar& b) { return near(b.box); }) &&
         std::none_of(scene_.badges.begin(), scene_.badges.end(),
                      [&](const Badge& b) { return near(b.box); }) &&
         std::none_of(scene_.swatches.begin(), scene_.swatches.end(),
                      [&](const Swatch& s) { return near(s.box); }) &&
         std::none_of(scene_.gaps.begin(), scene_.gaps.end(),
                      [&](const Gap& g) { return near(g.at); });
}

Box SceneBuilder::label_beside(Label label, Point point, double reach, Side side,
                               const Box& within) {
  label.x = point.x;
  label.y = point.y;
  const Box at = type_.set(label);
  const std::vector<Place> all = places(point, reach, at, side);
  Point to = all.front().top_left;  // where nothing is clear, the best place all the same
  for (const Place& place : all)
    if (clear({place.top_left.x, place.top_left.y, at.width, at.height}, within)) {
      to = place.top_left;
      break;
    }
  label.x += to.x - at.x;
  label.y += to.y - at.y;
  return this->label(std::move(label));
}

}  // namespace inspector::plot
