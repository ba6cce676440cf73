// SPDX-License-Identifier: MIT
// The picture's measures and colours, in one place. Pixels; y downwards.
// Offsets inside a band are from the band's top.
#pragma once

#include "picture/scene.hpp"

namespace inspector::plot::layout {

// Okabe and Ito's palette, which readers with any common colour-vision
// deficiency can tell apart; the halves and lines also differ in shape.
inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kOrange{0.902, 0.624, 0};
inline constexpr Colour kSkyBlue{0.337, 0.706, 0.914};
inline constexpr Colour kGreen{0, 0.620, 0.451};
inline constexpr Colour kBlue{0, 0.447, 0.698};
inline constexpr Colour kVermillion{0.835, 0.369, 0};
inline constexpr Colour kPurple{0.800, 0.475, 0.655};
inline constexpr Colour kGrey{0.45, 0.45, 0.45};
inline constexpr Colour kFaint{0.82, 0.82, 0.82};

// The plot area between margins wide enough for tick texts and the names
// of absent rows.
inline constexpr double kMarginLeft = 84, kMarginRight = 84;
inline constexpr double kColumnWidth = 112;  // ten days at about 1300 px
inline constexpr double kMinPlotWidth = 600;
inline constexpr double kMinHourWidth = 8;
inline constexpr double kHalfLeft = 0.25, kHalfRight = 0.75;  // half centres, of a column

// Font sizes.
inline constexpr double kTitleSize = 15, kHeadingSize = 13, kTextSize = 11, kValueSize = 10;
inline constexpr double kSmallSize = 9.5, kTinySize = 8.5;

// Room between a box and what stands next to it.
inline constexpr double kGap = 4;
// An axis's title stands this far above its box; tick texts this far out.
inline constexpr double kAxisTitleRise = 14, kTickOut = 7, kTickLength = 4;
// Inside a plot box, above and below the data, room for a value's text.
inline constexpr double kValueRoom = 20;

// The day header: name, date, a note on missing halves, the badges with
// their condition texts, then sunrise and sunset.
inline constexpr double kDateOffset = 17, kHalvesOffset = 32, kBadgeOffset = 47;
inline constexpr double kBadgeWidth = 34, kBadgeHeight = 24;
inline constexpr double kConditionOffset = 73, kSunOffset = 98, kHeaderHeight = 112;

// Panels.
inline constexpr double kTemperatureHeight = 230, kPrecipitationHeight = 90;
inline constexpr double kHourPanelHeight = 190, kWindPanelHeight = 80;

// Wind per half: the speed, then the arrow.
inline constexpr double kArrowLength = 20, kArrowOffset = 30, kWindHeight = 44;

// An absent row: a bar under each absent value, named in the left margin.
inline constexpr double kAbsentRowHeight = 12, kAbsentBarHeight = 4;

// A legend row: a swatch as wide as three dashes, beside its series' name.
inline constexpr double kLegendRowHeight = 17, kLegendSize = 10.5;
inline constexpr double kSwatchWidth = 24, kSwatchTop = 1, kSwatchHeight = 11, kSwatchGap = 5;
inline constexpr double kLegendEntryGap = 12;

// Marks shared by both bands. A line's dashes are 5 px on, 3 off; a dot on a
// line is this much wider than the line; an arrow's head is a triangle.
inline constexpr double kDash[] = {5, 3};
inline constexpr double kDotOver = 1.3;
inline constexpr double kHeadLength = 8, kHeadHalfWidth = 4.5;
inline constexpr Mark kWindArrow{Mark::Shape::kArrow, kGreen, 2};

}  // namespace inspector::plot::layout
