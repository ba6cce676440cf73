// SPDX-License-Identifier: MIT
// The station data as a meteogram, laid out in picture coordinates (pixels,
// y downwards) but not drawn: the geometry and its rules can be checked
// without pixels, and the painter only paints what is here. Every text is a
// Label whose extent was measured with the font it is painted in.
#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "model/stored.hpp"

namespace inspector::plot {

struct Colour {
  double r, g, b;
  bool operator==(const Colour&) const = default;
};

// How a series is drawn: its shape and its pen. A series and its legend
// entry are drawn with one Mark, so the legend shows what the data looks like.
struct Mark {
  enum class Shape { kLine, kBar, kArrow };
  Shape shape;
  Colour colour;
  double width = 0;  // the stroke of a line or an arrow
  bool dashed = false;
  bool markers = false;  // a dot at every value of a line
  bool operator==(const Mark&) const = default;
};

struct Point {
  double x, y;
};

struct Box {
  double x, y, width, height;
  double right() const { return x + width; }
  double bottom() const { return y + height; }
  // The two boxes overlap, or come closer than `clearance` on both axes.
  bool near(const Box& other, double clearance) const;
  // The stroke from `a` to `b`, `reach` wide on either side, comes into the
  // box grown by `clearance` (a point when `a` is `b`).
  bool crossed_by(Point a, Point b, double reach, double clearance) const;
};

enum class Align { kLeft, kCentre, kRight };

// Text as stored, in UTF-8; `y` is the top of the first line, `x` the point
// `align` refers to. A label with a width wraps at it, up to `lines` lines,
// and is cut with an ellipsis after.
struct Label {
  std::string text;
  double x, y;
  double size;  // pixels
  Colour colour;
  Align align = Align::kLeft;
  bool bold = false;
  double width = 0;  // 0: one line, as wide as it takes
  int lines = 1;
  bool italic = false;
  Box extent{};  // where the text lies, as measured
};

// A value axis over a plot box: `low` at the box's bottom, `high` at its top.
// Its tick texts and title are labels of the scene.
struct Axis {
  std::string title;
  Box box;
  double low, high;
  bool right = false;  // ticks on the box's right-hand side
  Colour colour;
  std::vector<double> ticks;  // y of each tick
  double y_of(double value) const;
};

// A polyline on an axis, broken where values are absent: one run per
// stretch of consecutive values.
struct Line {
  std::size_t axis;
  Mark mark;
  std::vector<std::vector<Point>> runs;
};

struct Bar {
  std::size_t axis;
  Box box;
  Mark mark;
};

// An arrow centred on `centre`, pointing along the unit vector (dx, dy).
struct Arrow {
  Point centre;
  double dx, dy;
  double length;
  Mark mark;
  std::size_t column;  // the day (or hour) index
  Point tip() const { return {centre.x + dx * length / 2, centre.y + dy * length / 2}; }
  Point tail() const { return {centre.x - dx * length / 2, centre.y - dy * length / 2}; }
};

// A legend entry's sample of its series, drawn in `box` with the series'
// own mark; the entry's name is a label beside it.
struct Swatch {
  Mark mark;
  Box box;
  std::size_t legend;  // the entries of one legend share it
};

// The icon code of one half in a badge; `title` is its condition text. Day
// halves are light badges, night halves dark ones.
struct Badge {
  Box box;
  std::string code;
  std::string title;
  bool night = false;
};

// A value that is absent (or no number where one is drawn): never drawn where
// a value could be, but as a bar in an absent row below its band, under the
// place its value would take. The row's label names the quantity.
struct Gap {
  std::size_t column;  // the day (or hour) index
  std::string key;     // the record key whose value is absent
  Box at;              // within one of the scene's absent rows
};

struct Rule {
  Point from, to;
  Colour colour;
  double width;
};

struct Scene {
  double width = 0, height = 0;
  std::vector<Box> columns;      // one per drawn day record, in list order
  std::vector<Box> hours;        // one per drawn hour record
  std::vector<Box> frames;       // plot boxes, outlined
  std::vector<Box> absent_rows;  // outside every frame
  std::vector<Axis> axes;
  std::vector<Rule> rules;
  std::vector<Bar> bars;
  std::vector<Line> lines;
  std::vector<Arrow> arrows;
  std::vector<Badge> badges;
  std::vector<Swatch> swatches;
  std::vector<Gap> gaps;
  std::vector<Label> labels;
  std::size_t days_stored = 0, days_left_out = 0;
  std::size_t hours_stored = 0, hours_left_out = 0;
};

// At most this many day records are drawn; the rest are named in a note.
constexpr std::size_t kMaxDays = 40;

// The texts the plug-in translates condition names to: a stored condition
// text that is none of them passed through as the document named it.
using Translations = std::set<std::string, std::less<>>;

// Lays out the station data as stored: the day records as columns, and,
// when the table holds a detail record, its hours in a second band.
// `title` heads the picture (the forecast file as it was named);
// `translations` are the plug-in's own, which set the others apart;
// `why_no_days`, when there are none, adds the reason to the note.
Scene build_scene(const Stored& stored, const std::string& title, const Translations& translations,
                  const std::string& why_no_days = "");

}  // namespace inspector::plot
