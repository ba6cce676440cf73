// SPDX-License-Identifier: MIT
// What every band of the picture is laid out with: the scene under
// construction, its measured labels, axes, lines broken at absent values,
// notes and legends, and the absent rows under a band.
#pragma once

#include <glib.h>

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "picture/scene.hpp"
#include "picture/typeset.hpp"

namespace inspector::plot {

// One value to draw: which record and key, where across, the slot it stands
// in (where its absence is marked), and its day (or hour) index.
struct Sample {
  GHashTable* record;
  const char* key;
  double x;
  double slot_left, slot_right;
  std::size_t column;
};

class SceneBuilder;

enum class Side { kAbove, kBelow };

// A series as its legend entry names it, with the mark it is drawn with:
// the drawing and the legend take the same object.
struct Series {
  const char* name;
  Mark mark;
};

struct AxisStyle {
  std::string title;
  Colour colour;
  bool right;        // ticks and title on the right-hand side
  double span;       // the least range it shows
  bool from_zero;    // zero stays on it
  const char* unit;  // after each tick's number
};

// The absent values of one band, gathered while it is laid out and placed
// below it: one row per quantity that has any, in the order given, named in
// the left margin ("no pressure"), with a bar under each absent value.
class Absences {
 public:
  explicit Absences(std::vector<std::string> quantities) : quantities_(std::move(quantities)) {}
  void add(const std::string& quantity, const Sample& sample);
  // Places the rows from `top`; returns the y below them (`top` if none).
  double place(SceneBuilder& builder, double top) const;

 private:
  struct Absent {
    std::size_t quantity;
    Sample sample;
  };
  std::vector<std::string> quantities_;
  std::vector<Absent> absent_;
};

class SceneBuilder {
 public:
  SceneBuilder(double plot_left, double plot_width) : left_(plot_left), width_(plot_width) {}

  Scene& scene() noexcept { return scene_; }
  double left() const noexcept { return left_; }
  double width() const noexcept { return width_; }
  double right() const noexcept { return left_ + width_; }

  // Measures `label` and adds it; returns where its text lies.
  Box label(Label label);
  // Measures `label` and adds it beside `point`, the centre of a mark
  // `reach` in size: on `side` where that is clear, else at the nearest
  // place around it that is. Clear is inside `within` and a pixel away from
  // every line, bar, arrow, badge, swatch, absent bar and label. Where no
  // place is, it stands on `side` all the same: no value goes unwritten.
  Box label_beside(Label label, Point point, double reach, Side side, const Box& within);
  // An axis over `inner`, the part of a plot box `frame` the values take,
  // holding `values` (none: no axis, and nothing is returned), with its tick
  // texts beside `frame` and its title above it.
  std::optional<std::size_t> axis(const Box& frame, const Box& inner,
                                  const std::vector<double>& values, const AxisStyle& style);
  // A polyline on `axis`, broken where values are absent, which are marked
  // in `absent` under `quantity`; without an axis, every value is so marked.
  void line(std::optional<std::size_t> axis, const std::vector<Sample>& samples,
            const Series& series, Absences& absent, const std::string& quantity);
  // Faint gridlines across `frame` at the ticks of `axis`, if there is one.
  void grid(const Box& frame, std::optional<std::size_t> axis);
  // A note centred in `box`, for what is not there to draw.
  void note(const std::string& text, const Box& box);
  // Each series' swatch, drawn with its mark, and its name, in rows as wide
  // as the plot; returns the y below the last row.
  double legend(double y, std::initializer_list<Series> entries);

  Scene take() { return std::move(scene_); }

 private:
  bool clear(const Box& extent, const Box& within) const;
  bool clear_of_lines(const Box& extent) const;

  Scene scene_;
  Typesetter type_;
  double left_, width_;
  std::size_t legends_ = 0;
};

}  // namespace inspector::plot
