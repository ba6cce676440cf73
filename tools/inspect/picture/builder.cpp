// SPDX-License-Identifier: MIT
#include "picture/builder.hpp"

#include <algorithm>
#include <cmath>

#include "picture/axes.hpp"
#include "picture/layout.hpp"
#include "picture/values.hpp"

namespace inspector::plot {

using namespace layout;

void Absences::add(const std::string& quantity, const Sample& sample) {
  const auto at = std::find(quantities_.begin(), quantities_.end(), quantity);
  absent_.push_back({static_cast<std::size_t>(at - quantities_.begin()), sample});
}

double Absences::place(SceneBuilder& builder, double top) const {
  Scene& scene = builder.scene();
  double y = top;
  for (std::size_t q = 0; q < quantities_.size(); ++q) {
    const Box row{builder.left(), y, builder.width(), kAbsentRowHeight};
    bool any = false;
    for (const Absent& absent : absent_) {
      if (absent.quantity != q) continue;
      const Sample& s = absent.sample;
      scene.gaps.push_back({s.column,
                            s.key,
                            {s.slot_left, row.y + (row.height - kAbsentBarHeight) / 2,
                             s.slot_right - s.slot_left, kAbsentBarHeight}});
      any = true;
    }
    if (!any) continue;
    scene.absent_rows.push_back(row);
    builder.label({"no " + quantities_[q], row.x - 2 * kGap, row.y, kTinySize, kGrey, Align::kRight,
                   false, kMarginLeft - 3 * kGap});
    y += row.height;
  }
  return y;
}

bool Box::near(const Box& other, double clearance) const {
  return x < other.right() + clearance && other.x < right() + clearance &&
         y < other.bottom() + clearance && other.y < bottom() + clearance;
}

double Axis::y_of(double value) const {
  return box.bottom() - (value - low) / (high - low) * box.height;
}

Box SceneBuilder::label(Label label) {
  label.extent = type_.set(label);
  scene_.labels.push_back(std::move(label));
  return scene_.labels.back().extent;
}

std::optional<std::size_t> SceneBuilder::axis(const Box& frame, const Box& inner,
                                              const std::vector<double>& values,
                                              const AxisStyle& style) {
  if (values.empty()) return std::nullopt;  // an axis with nothing on it would invent a range
  const int target = inner.height >= 150 ? 5 : inner.height >= 60 ? 3 : 2;
  const Scale scale = scale_for(values, style.span, style.from_zero, target);
  const bool right = style.right;
  Axis axis{style.title, inner, scale.low, scale.high, right, style.colour, {}};
  const double edge = right ? frame.right() + kTickOut : frame.x - kTickOut;
  const auto steps = std::lround((scale.high - scale.low) / scale.step);
  for (long i = 0; i <= steps; ++i) {
    const double value = scale.low + static_cast<double>(i) * scale.step;
    const double y = axis.y_of(value);
    axis.ticks.push_back(y);
    label({format(value, scale.decimals()) + style.unit, edge, y - 6.5, kValueSize, style.colour,
           right ? Align::kLeft : Align::kRight});
  }
  label({style.title, right ? frame.right() : frame.x, frame.y - kAxisTitleRise, kSmallSize,
         style.colour, right ? Align::kRight : Align::kLeft, true});
  scene_.axes.push_back(std::move(axis));
  return scene_.axes.size() - 1;
}

void SceneBuilder::line(std::optional<std::size_t> axis_index, const std::vector<Sample>& samples,
                        const Series& series, Absences& absent, const std::string& quantity) {
  if (!axis_index) {
    for (const Sample& sample : samples) absent.add(quantity, sample);
    return;
  }
  const Axis& axis = scene_.axes[*axis_index];
  Line drawn{*axis_index, series.mark, {}};
  bool open = false;
  for (const Sample& sample : samples) {
    const auto value = number_at(sample.record, sample.key);
    if (!value) {
      absent.add(quantity, sample);
      open = false;
      continue;
    }
    if (!open) drawn.runs.emplace_back();
    open = true;
    drawn.runs.back().push_back({sample.x, axis.y_of(*value)});
  }
  scene_.lines.push_back(std::move(drawn));
}

void SceneBuilder::grid(const Box& frame, std::optional<std::size_t> axis) {
  if (!axis) return;
  for (const double y : scene_.axes[*axis].ticks)
    scene_.rules.push_back({{frame.x, y}, {frame.right(), y}, kFaint, 0.6});
}

void SceneBuilder::note(const std::string& text, const Box& box) {
  label({text, box.x + box.width / 2, box.y + box.height / 2 - 9, kHeadingSize + 1, kGrey,
         Align::kCentre, true, box.width - 5 * kGap, 2});
}

double SceneBuilder::legend(double y, std::initializer_list<Series> entries) {
  const std::size_t legend = legends_++;
  double x = left_;
  for (const Series& series : entries) {
    Label name{series.name, x + kSwatchWidth + kSwatchGap, y, kLegendSize, kBlack};
    const double width = kSwatchWidth + kSwatchGap + type_.set(name).width + kLegendEntryGap;
    if (x > left_ && x + width > right()) {
      x = left_;
      y += kLegendRowHeight;
      name.x = x + kSwatchWidth + kSwatchGap;
      name.y = y;
    }
    scene_.swatches.push_back(
        {series.mark, {x, y + kSwatchTop, kSwatchWidth, kSwatchHeight}, legend});
    label(name);
    x += width;
  }
  return y + kLegendRowHeight;
}

}  // namespace inspector::plot
