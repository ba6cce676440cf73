// SPDX-License-Identifier: MIT
// The meteogram's geometry (--plot), checked without pixels: the station
// data the plug-in stores for real documents, laid out as a scene.
#include "picture/scene.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "host/hourly_document.hpp"
#include "host/plugin.hpp"
#include "host_table.hpp"
#include "model/stored.hpp"
#include "picture/hour_dates.hpp"
#include "picture/layout.hpp"
#include "picture/painter.hpp"
#include "picture/typeset.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::testing {
namespace {

using inspector::Stored;
using inspector::plot::Box;
using inspector::plot::Mark;
using inspector::plot::Point;
using inspector::plot::Scene;

class SceneOf : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(plugin.load(BRELUND_PLUGIN_PATH, why)) << why;
    ASSERT_NE(plugin.source_init(), 0);
  }
  void TearDown() override {
    if (plugin.source_destroy != nullptr) plugin.source_destroy();
    inspector::plot::release_font_caches();  // the scene measured its texts with them
  }
  // Reads `forecast` (and `hourly`, when given) as the inspector does into
  // `table`; returns the plug-in's day count.
  int read(const HostTable& table, const std::string& forecast, const std::string& hourly = "") {
    const std::string path = dir.write("STATION.xml", read_file(forecast));
    const int days = plugin.get_station_weather_data(path.c_str(), table.get());
    if (!hourly.empty()) {
      std::string why;
      inspector::Doc doc = inspector::read_hourly(hourly, why);
      EXPECT_TRUE(doc) << why;
      if (doc)
        plugin.parse_xml_detail_data(path.c_str(), xmlDocGetRootElement(doc.get()), table.get());
    }
    return days;
  }
  int read_text(const HostTable& table, const std::string& text, const std::string& hourly = "") {
    return read(table, dir.write("doc.xml", text),
                hourly.empty() ? "" : dir.write("h.xml", hourly));
  }
  Scene scene_of(const std::string& text, const std::string& hourly = "") {
    HostTable table;
    EXPECT_GE(read_text(table, text, hourly), 0);
    return inspector::plot::build_scene(Stored(table.get()), "doc.xml", translations());
  }
  inspector::plot::Translations translations() const {
    return inspector::condition_translations(plugin);
  }
  inspector::Plugin plugin;
  TempDir dir;
};

bool finite(double a) { return std::isfinite(a); }
bool inside(double y, const Box& box) { return y >= box.y - 1e-9 && y <= box.bottom() + 1e-9; }
bool contains(const Box& outer, const Box& inner, double clearance) {
  return inner.x >= outer.x + clearance && inner.right() <= outer.right() - clearance &&
         inner.y >= outer.y + clearance && inner.bottom() <= outer.bottom() - clearance;
}

double distance(Point p, const Box& box) {
  return std::hypot(std::max({box.x - p.x, 0.0, p.x - box.right()}),
                    std::max({box.y - p.y, 0.0, p.y - box.bottom()}));
}

// A stroke from `a` to `b`, as wide either side as `reach` says from `a`
// to `b`, comes within a pixel of the box: tried every half pixel along
// it, whatever the layout assumed.
bool stroke_touches(Point a, Point b, double reach_a, double reach_b, const Box& box) {
  const int steps = static_cast<int>(std::ceil(std::hypot(b.x - a.x, b.y - a.y) / 0.5));
  for (int i = 0; i <= steps; ++i) {
    const double t = steps == 0 ? 0 : static_cast<double>(i) / steps;
    if (distance({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}, box) <
        reach_a + t * (reach_b - reach_a) + 1)
      return true;
  }
  return false;
}

bool stroke_touches(Point a, Point b, double reach, const Box& box) {
  return stroke_touches(a, b, reach, reach, box);
}

// What the label touches of the drawn lines (their dots too), arrows, bars,
// badges, swatches and absent bars; empty when nothing.
std::string mark_touched(const Scene& scene, const Box& text) {
  using inspector::plot::layout::kDotOver, inspector::plot::layout::kHeadHalfWidth,
      inspector::plot::layout::kHeadLength;
  for (const auto& line : scene.lines)
    for (const auto& run : line.runs)
      for (std::size_t i = 0; i < run.size(); ++i) {
        if (i > 0 && stroke_touches(run[i - 1], run[i], line.mark.width / 2, text)) return "a line";
        if ((run.size() == 1 || line.mark.markers) &&
            stroke_touches(run[i], run[i], line.mark.width + kDotOver, text))
          return "a line's dot";
      }
  for (const auto& a : scene.arrows) {
    const Point tip = a.tip(), head{tip.x - a.dx * kHeadLength, tip.y - a.dy * kHeadLength};
    if (stroke_touches(a.tail(), tip, a.mark.width / 2, text) ||
        stroke_touches(tip, head, 0, kHeadHalfWidth, text))
      return "an arrow";
  }
  std::vector<Box> boxes;
  for (const auto& bar : scene.bars) boxes.push_back(bar.box);
  for (const auto& badge : scene.badges) boxes.push_back(badge.box);
  for (const auto& swatch : scene.swatches) boxes.push_back(swatch.box);
  for (const auto& gap : scene.gaps) boxes.push_back(gap.at);
  for (const Box& box : boxes)
    if (text.near(box, 1)) return "a bar, badge or swatch";
  return "";
}

// No label touches or crosses another label, a frame's edge or anything
// drawn: each stands a pixel clear of every other label and mark, and wholly
// inside or wholly outside each frame, a pixel clear of its edges.
void expect_labels_clear(const Scene& scene, const std::string& name) {
  const auto& labels = scene.labels;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    for (std::size_t j = i + 1; j < labels.size(); ++j)
      EXPECT_FALSE(labels[i].extent.near(labels[j].extent, 1))
          << name << ": \"" << labels[i].text << "\" touches \"" << labels[j].text << "\"";
    for (const Box& frame : scene.frames)
      EXPECT_TRUE(contains(frame, labels[i].extent, 1) || !labels[i].extent.near(frame, 1))
          << name << ": \"" << labels[i].text << "\" touches a frame";
    EXPECT_EQ(mark_touched(scene, labels[i].extent), "")
        << name << ": \"" << labels[i].text << "\" at " << labels[i].extent.x << ","
        << labels[i].extent.y;
  }
}

// Two marks look alike when only their stroke's width tells them apart.
bool alike(const Mark& a, const Mark& b) {
  return a.shape == b.shape && a.colour == b.colour && a.dashed == b.dashed &&
         a.markers == b.markers;
}

// The legends tell the truth: every line, bar and arrow has an entry drawn
// with its very mark, and no two entries of one legend look alike.
void expect_legends_true(const Scene& scene, const std::string& name) {
  const auto entry = [&](const Mark& mark) {
    for (const auto& swatch : scene.swatches)
      if (swatch.mark == mark) return true;
    return false;
  };
  for (const auto& line : scene.lines) EXPECT_TRUE(entry(line.mark)) << name << ": a line";
  for (const auto& bar : scene.bars) EXPECT_TRUE(entry(bar.mark)) << name << ": a bar";
  for (const auto& arrow : scene.arrows) EXPECT_TRUE(entry(arrow.mark)) << name << ": an arrow";
  const auto& swatches = scene.swatches;
  for (std::size_t i = 0; i < swatches.size(); ++i)
    for (std::size_t j = i + 1; j < swatches.size(); ++j)
      EXPECT_FALSE(swatches[i].legend == swatches[j].legend &&
                   alike(swatches[i].mark, swatches[j].mark))
          << name << ": legend entries " << i << " and " << j << " look alike";
}

// What must hold for any station data: nothing not finite, every point and
// bar within its axis, every axis a real range the sentinel did not stretch,
// every absent value marked in a row outside every frame.
void expect_sound(const Scene& scene, const std::string& name) {
  EXPECT_TRUE(finite(scene.width) && finite(scene.height) && scene.width > 0) << name;
  for (const auto& axis : scene.axes) {
    EXPECT_TRUE(finite(axis.low) && finite(axis.high) && axis.low < axis.high) << name;
    EXPECT_LT(axis.high, 1e9) << name;
    for (const double tick : axis.ticks) EXPECT_TRUE(inside(tick, axis.box)) << name;
  }
  for (const auto& line : scene.lines)
    for (const auto& run : line.runs) {
      EXPECT_FALSE(run.empty()) << name;
      for (const auto& p : run)
        EXPECT_TRUE(finite(p.x) && inside(p.y, scene.axes[line.axis].box)) << name << " " << p.y;
    }
  for (const auto& bar : scene.bars) {
    EXPECT_TRUE(finite(bar.box.y) && finite(bar.box.height) && bar.box.height >= 0) << name;
    EXPECT_TRUE(inside(bar.box.y, scene.axes[bar.axis].box)) << name;
    EXPECT_TRUE(inside(bar.box.bottom(), scene.axes[bar.axis].box)) << name;
  }
  for (const auto& arrow : scene.arrows)
    EXPECT_NEAR(std::hypot(arrow.dx, arrow.dy), 1.0, 1e-9) << name;
  for (const auto& row : scene.absent_rows)
    for (const Box& frame : scene.frames) EXPECT_FALSE(row.near(frame, 0)) << name;
  // Each absent value stands in a row whose name, in the margin beside it,
  // says which quantity is absent.
  for (const auto& gap : scene.gaps) {
    const Box* row = nullptr;
    for (const auto& r : scene.absent_rows)
      if (contains(r, gap.at, 0)) row = &r;
    ASSERT_NE(row, nullptr) << name << " " << gap.key;
    bool named = false;
    for (const auto& label : scene.labels)
      named |= label.text.rfind("no ", 0) == 0 && label.extent.right() < row->x &&
               label.extent.y >= row->y - 1 && label.extent.bottom() <= row->bottom() + 1;
    EXPECT_TRUE(named) << name << " " << gap.key;
  }
  for (const auto& label : scene.labels)
    EXPECT_TRUE(label.text.empty() || label.extent.width > 0) << name << " " << label.text;
  expect_labels_clear(scene, name);
  expect_legends_true(scene, name);
}

std::size_t gaps_of(const Scene& scene, std::size_t column, const std::string& key) {
  std::size_t count = 0;
  for (const auto& gap : scene.gaps) count += gap.column == column && gap.key == key;
  return count;
}

const inspector::plot::Label* label_with(const Scene& scene, const std::string& part) {
  for (const auto& label : scene.labels)
    if (label.text.find(part) != std::string::npos) return &label;
  return nullptr;
}

bool within(const inspector::plot::Label* label, const Box& column) {
  return label != nullptr && label->extent.x >= column.x && label->extent.right() <= column.right();
}

// A day of four periods dated 2026-12-0`date`, with `night` inside periods
// 0 and 3 and `day_half` inside 1 and 2.
std::string day(char date, const std::string& night, const std::string& day_half) {
  std::string text;
  for (const char period : {'0', '1', '2', '3'})
    text += std::string("<time period=\"") + period + "\" to=\"2026-12-0" + date + "T06:00:00\">" +
            (period == '0' || period == '3' ? night : day_half) + "</time>";
  return text;
}

std::string forecast(const std::string& periods, const std::string& location = "") {
  return "<w><location>" + location + "</location><forecast><tabular>" + periods +
         "</tabular></forecast></w>";
}

const std::string kFull =
    R"(<temperature value="-2"/><pressure value="1003"/><precipitation value="0.4"/>
       <windSpeed mps="5"/><windDirection code="N"/><symbol number="1" name="Regn"/>)";

// The picture's rules, one document each.
struct Rule {
  const char* name;
  std::string forecast;
  std::string hourly;
  std::function<void(const Scene&)> holds;
};

TEST_F(SceneOf, RulesOfThePicture) {
  const Rule rules[] = {
      {"an absent value is marked in its quantity's row, apart from the data",
       forecast(day('8', R"(<pressure value="-"/>)", R"(<precipitation value="nan"/>)") +
                day('9', kFull, kFull)),
       "",
       [](const Scene& s) {
         for (const char* key : {BRELUND_KEY_DAY_HI_TEMPERATURE, BRELUND_KEY_NIGHT_PRESSURE,
                                 BRELUND_KEY_DAY_PRECIPITATION, BRELUND_KEY_DAY_WIND_SPEED}) {
           EXPECT_EQ(gaps_of(s, 0, key), 1u) << key;
           EXPECT_EQ(gaps_of(s, 1, key), 0u) << key;
         }
         for (const char* row : {"no high", "no low", "no pressure", "no precipitation",
                                 "no wind speed", "no wind direction", "no icon"})
           EXPECT_NE(label_with(s, row), nullptr) << row;
       }},
      {"0 km/h is drawn as the number it is, with its arrow where a direction is stored",
       forecast(day('8', R"(<windSpeed mps="0"/><windDirection code="N"/>)",
                    R"(<windSpeed mps="0.4"/>)")),
       "",
       [](const Scene& s) {
         ASSERT_EQ(s.arrows.size(), 1u);
         EXPECT_NEAR(s.arrows[0].dy, 1, 1e-9) << "from the north";
         EXPECT_EQ(gaps_of(s, 0, BRELUND_KEY_DAY_WIND_TITLE), 1u) << "the day half has none";
         std::size_t zeros = 0;
         for (const auto& label : s.labels) zeros += label.text == "0";
         EXPECT_EQ(zeros, 2u);
         EXPECT_EQ(label_with(s, "calm"), nullptr);
         EXPECT_NE(label_with(s, "0 km/h is under 1 m/s"), nullptr);
       }},
      {"each stored temperature keeps its text, moved off the lines through its place",
       forecast(day('7', R"(<temperature value="-1"/><pressure value="1030"/>)",
                    R"(<temperature value="3"/><pressure value="990"/>)") +
                day('8', R"(<temperature value="-9"/><pressure value="1030"/>)",
                    R"(<temperature value="-4"/><pressure value="990"/>)") +
                day('9', R"(<temperature value="-2"/><pressure value="1030"/>)",
                    R"(<temperature value="3"/><pressure value="990"/>)")),
       "",
       [](const Scene& s) {
         for (const auto& [text, count] :
              {std::pair{"3", 2}, {"-4", 1}, {"-1", 1}, {"-9", 1}, {"-2", 1}}) {
           int found = 0;
           for (const auto& label : s.labels) found += label.text == text;
           EXPECT_EQ(found, count) << text;
         }
       }},
      {"a condition the plug-in did not translate is in italics, and the footnote says so",
       forecast(
           day('8', R"(<symbol number="1" name="Regn"/>)", R"(<symbol number="15" name="Tåke"/>)")),
       "",
       [](const Scene& s) {
         const auto* untranslated = label_with(s, "Tåke");
         const auto* translated = label_with(s, "Rain");
         ASSERT_TRUE(untranslated != nullptr && translated != nullptr);
         EXPECT_TRUE(untranslated->italic);
         EXPECT_FALSE(translated->italic);
         const auto* note = label_with(s, "in italics is not in the plug-in's table");
         ASSERT_NE(note, nullptr);
         EXPECT_TRUE(note->italic);
       }},
      {"a day with one half says so in its column",
       forecast(R"(<time period="3" to="2026-12-09T00:00:00">)" + kFull + "</time>" +
                day('9', kFull, kFull)),
       "",
       [](const Scene& s) {
         ASSERT_EQ(s.columns.size(), 2u);
         EXPECT_TRUE(within(label_with(s, "night only"), s.columns[0]));
         EXPECT_EQ(gaps_of(s, 0, BRELUND_KEY_DAY_ICON), 1u);
       }},
      {"the time zone is said to be stored in whole hours",
       forecast(day('8', kFull, kFull), R"(<timezone utcoffsetMinutes="570"/>)"), "",
       [](const Scene& s) {
         EXPECT_NE(label_with(s, "time zone UTC+9 as stored, in whole hours"), nullptr);
       }},
      {"a forecast without day records has a frame and a note, and no axes",
       "<weatherdata><forecast><tabular><time from=\"x\"/></tabular></forecast></weatherdata>", "",
       [](const Scene& s) {
         EXPECT_TRUE(s.axes.empty());
         EXPECT_EQ(s.frames.size(), 1u);
         EXPECT_NE(label_with(s, "No day records stored"), nullptr);
       }},
      {"each new day of the hours has its date, and gusts are drawn",
       forecast(day('8', kFull, kFull)),
       R"(<w><hbhf><lsup>12/8/26 10:40 PM CET</lsup>
          <hour c="22"><wind><s>10</s><gust>25</gust><t>N</t></wind></hour>
          <hour c="23"><wind><s>12</s><gust>N/A</gust><t>N</t></wind></hour>
          <hour c="0"><wind><s>0</s><gust>30</gust></wind></hour></hbhf></w>)",
       [](const Scene& s) {
         ASSERT_EQ(s.hours.size(), 3u);
         const auto* midnight = label_with(s, "Dec 09");
         ASSERT_NE(midnight, nullptr);
         EXPECT_NEAR(midnight->x, s.hours[2].x, 1e-9);
         EXPECT_EQ(gaps_of(s, 1, BRELUND_KEY_HOUR_WIND_GUST), 1u);
         std::size_t gust_runs = 0;  // the dashed line: 25, a gap, 30
         for (const auto& line : s.lines) gust_runs += line.mark.dashed && line.runs.size() == 2;
         EXPECT_GE(gust_runs, 1u);
       }},
  };
  for (const Rule& rule : rules) {
    SCOPED_TRACE(rule.name);
    const Scene scene = scene_of(rule.forecast, rule.hourly);
    expect_sound(scene, rule.name);
    rule.holds(scene);
  }
}

TEST_F(SceneOf, EveryExampleAndGoldenDocumentHasOneSoundColumnPerDay) {
  std::vector<std::filesystem::path> documents;
  for (const char* folder : {BRELUND_EXAMPLES_DIR, BRELUND_GOLDEN_DIR})
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (entry.path().extension() == ".xml") documents.push_back(entry.path());
  ASSERT_GE(documents.size(), 15u);
  const std::string skarvik = std::string(BRELUND_EXAMPLES_DIR) + "/skarvik.xml";
  for (const auto& document : documents) {
    HostTable table;
    // Hourly documents are drawn beside the example forecast.
    const bool hourly = read_file(document).find("<hbhf") != std::string::npos;
    const int days = hourly ? read(table, skarvik, document) : read(table, document);
    if (days < 0) continue;  // the error document
    const Scene scene =
        inspector::plot::build_scene(Stored(table.get()), document.filename(), translations());
    EXPECT_EQ(scene.columns.size(), static_cast<std::size_t>(days)) << document;
    EXPECT_EQ(scene.days_stored, static_cast<std::size_t>(days)) << document;
    EXPECT_EQ(scene.hours.size(), table.hours().size()) << document;
    expect_sound(scene, document.filename());
  }
}

TEST_F(SceneOf, AbsentValuesNeverScaleAnAxis) {
  // Day 0: a high at the unset marker, a low that is no number; day 1:
  // every value present.
  const Scene scene = scene_of(
      forecast(day('8', R"(<temperature value="2147483647"/>)", R"(<temperature value="x7"/>)") +
               day('9', kFull,
                   R"(<temperature value="4"/><windDirection code="SW"/><windSpeed mps="2"/>)")));
  expect_sound(scene, "absent");
  for (const auto& axis : scene.axes) {
    if (axis.title != "temperature") continue;
    EXPECT_LE(axis.low, -2);
    EXPECT_GE(axis.high, 4);
    EXPECT_LE(axis.high - axis.low, 20);
  }
  // Wind from the north blows south (down), from the south-west north-east.
  ASSERT_EQ(scene.arrows.size(), 2u);
  EXPECT_NEAR(scene.arrows[0].dx, std::sqrt(0.5), 1e-9);  // day half: SW
  EXPECT_NEAR(scene.arrows[0].dy, -std::sqrt(0.5), 1e-9);
  EXPECT_NEAR(scene.arrows[1].dx, 0, 1e-9);  // night half: N
  EXPECT_NEAR(scene.arrows[1].dy, 1, 1e-9);
}

TEST_F(SceneOf, EmptyAndLongForecastsSayWhatIsNotDrawn) {
  {
    const Scene scene = scene_of("<weatherdata/>");
    expect_sound(scene, "empty");
    EXPECT_TRUE(scene.columns.empty());
    EXPECT_NE(label_with(scene, "No forecast stored"), nullptr);
  }
  HostTable table;
  std::string text = "<w><forecast><tabular>";
  const int stored = static_cast<int>(inspector::plot::kMaxDays) + 1234;
  for (int i = 0; i < stored; ++i)
    text += R"(<time period="0"><temperature value="1"/></time><time period="3"/>)";
  ASSERT_EQ(read_text(table, text + "</tabular></forecast></w>"), stored);
  const Scene scene = inspector::plot::build_scene(Stored(table.get()), "long.xml", translations());
  expect_sound(scene, "long");
  EXPECT_EQ(scene.columns.size(), inspector::plot::kMaxDays);
  EXPECT_EQ(scene.days_left_out, 1234u);
  EXPECT_NE(label_with(scene, "1,234 days left out"), nullptr);
}

// The texts are measured as they are painted: the rules above hold for the
// picture, not for an estimate of it.
TEST(Typeset, MeasuringSetsTextAsPaintingDoes) {
  using inspector::plot::Align;
  using inspector::plot::Label;
  const inspector::plot::CairoPtr<cairo_surface_t> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, 10, 10));
  const inspector::plot::CairoPtr<cairo_t> cr(cairo_create(surface.get()));
  {
    inspector::plot::Typesetter measuring, painting(cr.get());
    for (const Label& label :
         {Label{"Tåke", 100, 20, 8.5, {}, Align::kCentre},
          Label{"Partly Cloudy and rain", 50, 5, 10, {}, Align::kCentre, true, 52, 2},
          Label{"no precipitation", 80, 0, 8.5, {}, Align::kRight}}) {
      const Box a = measuring.set(label), b = painting.set(label);
      EXPECT_EQ(a.x, b.x) << label.text;
      EXPECT_EQ(a.width, b.width) << label.text;
      EXPECT_EQ(a.height, b.height) << label.text;
      EXPECT_LE(a.width, label.width > 0 ? label.width : a.width) << label.text;
    }
  }
  inspector::plot::release_font_caches();
}

// The hours carry only their hour: the dates come from the last update,
// in the forms the service writes it, or not at all.
TEST(HourDates, TheFirstHourIsDatedFromTheLastUpdate) {
  const struct {
    const char* update;
    int first_hour;
    const char* date;  // null: none
  } cases[] = {
      {"12/8/26 4:10 AM CET", 5, "Dec 08"}, {"12/8/26 4:10 AM CET", 3, "Dec 09"},
      {"12/31/26 11:50 PM", 0, "Jan 01"},   {"12/8/26 12:05 AM", 0, "Dec 08"},
      {"2026-02-28T22:00", 1, "Mar 01"},    {"2026-12-08", 3, "Dec 08"},
      {"12/8/2026", 23, "Dec 08"},          {"13/40/26 4:10 AM", 5, nullptr},
      {"last Tuesday", 5, nullptr},         {"", 5, nullptr},
  };
  for (const auto& c : cases) {
    const auto date = inspector::plot::first_hour_date(c.update, c.first_hour);
    ASSERT_EQ(date.has_value(), c.date != nullptr) << c.update;
    if (date) {
      EXPECT_EQ(inspector::plot::date_shown(*date), c.date) << c.update;
    }
  }
  EXPECT_FALSE(inspector::plot::first_hour_date(nullptr, 5));
}

}  // namespace
}  // namespace brelund::testing
