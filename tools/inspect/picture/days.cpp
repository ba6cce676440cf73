// SPDX-License-Identifier: MIT
// The day records as columns, each split into its day half (left) and night
// half (right): the header, temperature and pressure, precipitation, wind.
#include "picture/days.hpp"

#include <algorithm>
#include <cmath>

#include "picture/layout.hpp"
#include "picture/values.hpp"
#include "picture/wind.hpp"
#include "records/day_record.hpp"
#include "tarnvale-brelund-source.h"

namespace inspector::plot {
namespace {

using namespace layout;
using Shape = Mark::Shape;

// The series of the day columns, drawn and named in the legend by these.
constexpr Series kHigh{"high", {Shape::kLine, kVermillion, 2.2, false, true}};
constexpr Series kLow{"low", {Shape::kLine, kBlue, 2.2, true, true}};
constexpr Series kPressure{"pressure (right)", {Shape::kLine, kPurple, 1.2}};
constexpr Series kDayPrecipitation{"precipitation: day", {Shape::kBar, kSkyBlue}};
constexpr Series kNightPrecipitation{"night", {Shape::kBar, kBlue}};
constexpr Series kWind{"wind: speed, arrow towards where it blows", kWindArrow};

// One half of a day record: its keys, and where it stands in the column.
struct Half {
  const brelund::records::HalfKeys& keys;
  bool night;
  double at;  // its centre, as a fraction of the column
};

constexpr Half kHalves[] = {{brelund::records::kDayHalf, false, kHalfLeft},
                            {brelund::records::kNightHalf, true, kHalfRight}};

// A value of the whole day, at the column's centre.
Sample whole(GHashTable* day, const char* key, const Box& column, std::size_t i) {
  return {day, key, column.x + column.width / 2, column.x, column.right(), i};
}

// A value of one half, at the half's centre.
Sample half(GHashTable* day, const char* key, const Box& column, const Half& h, std::size_t i) {
  const double left = column.x + (h.night ? column.width / 2 : 0);
  return {day, key, column.x + column.width * h.at, left, left + column.width / 2, i};
}

bool holds_any(GHashTable* day, const Half& h) {
  for (const char* key : h.keys.all())
    if (g_hash_table_contains(day, key)) return true;
  return false;
}

// Said in the column when a half holds nothing, so that a first day that
// began late (and so shares its date with the next) explains itself.
const char* halves_note(GHashTable* day) {
  const bool has_day = holds_any(day, kHalves[0]), has_night = holds_any(day, kHalves[1]);
  if (has_day && has_night) return nullptr;
  if (has_day) return "day only";
  return has_night ? "night only" : "neither half";
}

// A text of the record in its place, or its absence in the band's rows.
void text_or_absent(SceneBuilder& b, Label label, const Sample& sample, Absences& absent,
                    const std::string& quantity) {
  const char* text = text_at(sample.record, sample.key);
  if (text == nullptr) return absent.add(quantity, sample);
  label.text = text;
  b.label(std::move(label));
}

// What the parts of the day header are laid out with.
struct Header {
  double top;
  const Translations& translations;
  Absences absent{{"day name", "date", "icon", "condition", "sunrise", "sunset"}};
};

// The badge and the condition text, in italics when the plug-in did not
// translate it (it is none of the texts of its table).
void header_half(SceneBuilder& b, const Sample& s, const Half& h, Header& head) {
  const Box& column = b.scene().columns[s.column];
  const char* title = text_at(s.record, h.keys.title);
  if (const char* icon = text_at(s.record, h.keys.icon)) {
    const Box badge{s.x - kBadgeWidth / 2, head.top + kBadgeOffset, kBadgeWidth, kBadgeHeight};
    b.scene().badges.push_back({badge, icon, title != nullptr ? title : "", h.night});
  } else {
    head.absent.add("icon", s);
  }
  Label condition{"",
                  s.x,
                  head.top + kConditionOffset,
                  kTinySize,
                  kBlack,
                  Align::kCentre,
                  false,
                  column.width / 2 - kGap,
                  2};
  condition.italic = title != nullptr && !head.translations.contains(title);
  text_or_absent(b, condition, half(s.record, h.keys.title, column, h, s.column), head.absent,
                 "condition");
}

void sun(SceneBuilder& b, GHashTable* day, const Box& column, std::size_t i, Header& head) {
  const char* rise = text_at(day, BRELUND_KEY_DAY_SUNRISE);
  const char* set = text_at(day, BRELUND_KEY_DAY_SUNSET);
  if (rise == nullptr) head.absent.add("sunrise", whole(day, BRELUND_KEY_DAY_SUNRISE, column, i));
  if (set == nullptr) head.absent.add("sunset", whole(day, BRELUND_KEY_DAY_SUNSET, column, i));
  std::string text;
  if (rise != nullptr) text += std::string("\u2191") + rise;
  if (set != nullptr) text += std::string(text.empty() ? "" : "  ") + "\u2193" + set;
  if (!text.empty())
    b.label({text, column.x + column.width / 2, head.top + kSunOffset, kSmallSize, kBlack,
             Align::kCentre, false, column.width - kGap});
}

void header_column(SceneBuilder& b, GHashTable* day, std::size_t i, Header& head) {
  const Box column = b.scene().columns[i];
  const double centre = column.x + column.width / 2, top = head.top;
  const double width = column.width - kGap;
  text_or_absent(b, {"", centre, top, kHeadingSize, kBlack, Align::kCentre, true, width},
                 whole(day, BRELUND_KEY_DAY_NAME, column, i), head.absent, "day name");
  text_or_absent(b,
                 {"", centre, top + kDateOffset, kTextSize, kBlack, Align::kCentre, false, width},
                 whole(day, BRELUND_KEY_DAY_DATE, column, i), head.absent, "date");
  if (const char* note = halves_note(day))
    b.label(
        {note, centre, top + kHalvesOffset, kSmallSize, kVermillion, Align::kCentre, true, width});
  for (const Half& h : kHalves) header_half(b, half(day, h.keys.icon, column, h, i), h, head);
  sun(b, day, column, i, head);
}

double header(SceneBuilder& b, const std::vector<GHashTable*>& days,
              const Translations& translations, double top) {
  Header head{top, translations};
  for (std::size_t i = 0; i < days.size(); ++i) header_column(b, days[i], i, head);
  return head.absent.place(b, top + kHeaderHeight);
}

std::vector<double> numbers_of(const std::vector<Sample>& samples) {
  std::vector<double> numbers;
  for (const Sample& s : samples)
    if (const auto v = number_at(s.record, s.key)) numbers.push_back(*v);
  return numbers;
}

struct DaySamples {
  std::vector<Sample> high, low, pressure, precipitation;
};

DaySamples samples_of(SceneBuilder& b, const std::vector<GHashTable*>& days) {
  DaySamples s;
  for (std::size_t i = 0; i < days.size(); ++i) {
    const Box& column = b.scene().columns[i];
    s.high.push_back(whole(days[i], BRELUND_KEY_DAY_HI_TEMPERATURE, column, i));
    s.low.push_back(whole(days[i], BRELUND_KEY_DAY_LOW_TEMPERATURE, column, i));
    for (const Half& h : kHalves) {
      s.pressure.push_back(half(days[i], h.keys.pressure, column, h, i));
      s.precipitation.push_back(half(days[i], h.keys.precipitation, column, h, i));
    }
  }
  return s;
}

// The stored texts beside the points, clear of every line: the high's
// above where it can, the low's below.
void temperature_texts(SceneBuilder& b, const DaySamples& s, const Axis& axis, const Box& frame) {
  const auto text = [&](const Sample& v, const Series& series, Side side) {
    if (const auto value = number_at(v.record, v.key))
      b.label_beside(
          {text_at(v.record, v.key), 0, 0, kValueSize, series.mark.colour, Align::kCentre, true},
          {v.x, axis.y_of(*value)}, series.mark.width + kDotOver, side, frame);
  };
  for (const Sample& high : s.high) text(high, kHigh, Side::kAbove);
  for (const Sample& low : s.low) text(low, kLow, Side::kBelow);
}

double temperature_panel(SceneBuilder& b, const DaySamples& s, double top) {
  const Box frame{b.left(), top + kAxisTitleRise + kGap, b.width(), kTemperatureHeight};
  const Box inner{frame.x, frame.y + kValueRoom, frame.width, frame.height - 2 * kValueRoom};
  std::vector<double> temperatures = numbers_of(s.high);
  for (const double t : numbers_of(s.low)) temperatures.push_back(t);
  const auto temperature =
      b.axis(frame, inner, temperatures, {"temperature", kBlack, false, 4, false, "\u00b0"});
  const auto pressure =
      b.axis(frame, inner, numbers_of(s.pressure), {"pressure", kPurple, true, 10, false, ""});
  b.scene().frames.push_back(frame);
  b.grid(frame, temperature ? temperature : pressure);
  if (!temperature && !pressure) b.note("No temperature or pressure stored", frame);
  Absences absent({"high", "low", "pressure"});
  // Pressure per half, drawn first: under the temperatures.
  b.line(pressure, s.pressure, kPressure, absent, "pressure");
  b.line(temperature, s.high, kHigh, absent, "high");
  b.line(temperature, s.low, kLow, absent, "low");
  if (temperature) temperature_texts(b, s, b.scene().axes[*temperature], frame);
  return absent.place(b, frame.bottom() + kGap);
}

void precipitation_bar(SceneBuilder& b, const Sample& s, std::size_t axis_index,
                       const Series& series) {
  const Axis& axis = b.scene().axes[axis_index];
  const double zero = axis.y_of(std::max(0.0, axis.low));
  const double top = axis.y_of(*number_at(s.record, s.key));
  const double width = std::min(28.0, (s.slot_right - s.slot_left) * 0.72);
  b.scene().bars.push_back({axis_index,
                            {s.x - width / 2, std::min(top, zero), width, std::fabs(zero - top)},
                            series.mark});
}

// The amount over each bar, once every bar stands: none for a dry half.
void precipitation_text(SceneBuilder& b, const Bar& bar, const Sample& s, const Box& frame) {
  if (*number_at(s.record, s.key) <= 0) return;
  b.label_beside({text_at(s.record, s.key), 0, 0, 9, kBlack, Align::kCentre, false,
                  s.slot_right - s.slot_left - kGap},
                 {s.x, bar.box.y}, 0, Side::kAbove, frame);
}

double precipitation_panel(SceneBuilder& b, const DaySamples& s, double top) {
  const Box frame{b.left(), top + kAxisTitleRise + kGap, b.width(), kPrecipitationHeight};
  // The zero tick's text stays within the frame's height, clear of the rows below.
  const Box inner{frame.x, frame.y + kValueRoom, frame.width, frame.height - kValueRoom - 2 * kGap};
  const auto axis = b.axis(frame, inner, numbers_of(s.precipitation),
                           {"precipitation mm", kBlue, false, 2, true, ""});
  b.scene().frames.push_back(frame);
  if (!axis) b.note("No precipitation stored", frame);
  Absences absent({"precipitation"});
  std::vector<const Sample*> drawn;
  for (std::size_t k = 0; k < s.precipitation.size(); ++k) {
    const Sample& sample = s.precipitation[k];  // day and night halves in turn
    if (!axis || !number_at(sample.record, sample.key)) {
      absent.add("precipitation", sample);
      continue;
    }
    precipitation_bar(b, sample, *axis,
                      kHalves[k % 2].night ? kNightPrecipitation : kDayPrecipitation);
    drawn.push_back(&sample);
  }
  const std::size_t first = b.scene().bars.size() - drawn.size();
  for (std::size_t k = 0; k < drawn.size(); ++k)
    precipitation_text(b, b.scene().bars[first + k], *drawn[k], frame);
  return absent.place(b, frame.bottom() + kGap);
}

double wind_band(SceneBuilder& b, const std::vector<GHashTable*>& days, double top) {
  Absences absent({"wind speed", "wind direction"});
  for (std::size_t i = 0; i < days.size(); ++i) {
    const Box& column = b.scene().columns[i];
    for (const Half& h : kHalves) {
      const Sample speed = half(days[i], h.keys.wind_speed, column, h, i);
      wind_speed(b, speed, top, absent);
      wind_direction(b, half(days[i], h.keys.wind_title, column, h, i), top + kArrowOffset, absent);
    }
  }
  b.label({"wind\nkm/h", b.left() - 2 * kGap, top, kSmallSize, kGreen, Align::kRight});
  return absent.place(b, top + kWindHeight);
}

// What the picture's marks mean beyond the legend; the sentence on italics
// is set in them. Returns the y below.
double footnote(SceneBuilder& b, double top) {
  Label text{
      "Each day: the day half on the left, the night half on the right. A grey bar in a "
      "row named \u201cno \u2026\u201d stands under a value that is not stored (or is no "
      "number). Wind 0 km/h is under 1 m/s: the plug-in keeps the whole m/s times 3.6, "
      "truncated.",
      b.left(),
      top,
      10,
      kGrey,
      Align::kLeft,
      false,
      b.width(),
      3};
  const double y = b.label(text).bottom();
  text.text =
      "A condition in italics is not in the plug-in's table: it is stored as the document "
      "names it, untranslated.";
  text.y = y + 2;
  text.italic = true;
  return b.label(text).bottom();
}

}  // namespace

double lay_out_days(SceneBuilder& b, const std::vector<GHashTable*>& days,
                    const Translations& translations, double top) {
  const double header_bottom = header(b, days, translations, top);
  const DaySamples samples = samples_of(b, days);
  const double temperature_bottom = temperature_panel(b, samples, header_bottom);
  const double rain_bottom = precipitation_panel(b, samples, temperature_bottom);
  const double wind_bottom = wind_band(b, days, rain_bottom + 2 * kGap);
  for (Box& column : b.scene().columns) column.height = wind_bottom - column.y;
  const double legend_bottom =
      b.legend(wind_bottom + 2 * kGap,
               {kHigh, kLow, kPressure, kDayPrecipitation, kNightPrecipitation, kWind});
  return footnote(b, legend_bottom + 1);
}

}  // namespace inspector::plot
