// SPDX-License-Identifier: MIT
// The meteogram's geometry (--plot), checked without pixels: the station
// data the plug-in stores for real documents, laid out as a scene.
#include "scene.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "host_table.hpp"
#include "hourly.hpp"
#include "plugin.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::testing {
namespace {

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
  int read_text(const HostTable& table, const std::string& text) {
    return read(table, dir.write("doc.xml", text));
  }
  inspector::Plugin plugin;
  TempDir dir;
};

bool finite(double a) { return std::isfinite(a); }
bool inside(double y, const inspector::plot::Box& box) {
  return y >= box.y - 1e-9 && y <= box.bottom() + 1e-9;
}

// What must hold for any station data: nothing not finite, every point and
// bar within its axis, every axis a real range the sentinel did not stretch.
void expect_sound(const Scene& scene, const std::string& name) {
  EXPECT_TRUE(finite(scene.width) && finite(scene.height) && scene.width > 0) << name;
  EXPECT_LE(scene.width, 70 + 112 * inspector::plot::kMaxDays + 70) << name;
  for (const auto& axis : scene.axes) {
    EXPECT_TRUE(finite(axis.low) && finite(axis.high) && axis.low < axis.high) << name;
    EXPECT_LT(axis.high, 1e9) << name << " " << axis.title;
    for (const auto& tick : axis.ticks) EXPECT_TRUE(inside(tick.y, axis.box)) << name;
  }
  for (const auto& line : scene.lines)
    for (const auto& run : line.runs) {
      EXPECT_FALSE(run.empty()) << name;
      for (const auto& p : run) {
        EXPECT_TRUE(finite(p.x) && finite(p.y)) << name;
        EXPECT_TRUE(inside(p.y, scene.axes[line.axis].box)) << name << " " << p.y;
      }
    }
  for (const auto& bar : scene.bars) {
    EXPECT_TRUE(finite(bar.box.y) && finite(bar.box.height) && bar.box.height >= 0) << name;
    EXPECT_TRUE(inside(bar.box.y, scene.axes[bar.axis].box)) << name;
    EXPECT_TRUE(inside(bar.box.bottom(), scene.axes[bar.axis].box)) << name;
  }
  for (const auto& arrow : scene.arrows)
    EXPECT_NEAR(std::hypot(arrow.dx, arrow.dy), 1.0, 1e-9) << name;
  for (const auto& label : scene.labels) EXPECT_TRUE(finite(label.x) && finite(label.y)) << name;
}

std::size_t gaps_of(const Scene& scene, std::size_t column, const std::string& key) {
  std::size_t count = 0;
  for (const auto& gap : scene.gaps) count += gap.column == column && gap.quantity == key;
  return count;
}

bool has_label(const Scene& scene, const std::string& part) {
  for (const auto& label : scene.labels)
    if (label.text.find(part) != std::string::npos) return true;
  return false;
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
    const Scene scene = inspector::plot::build_scene(table.get(), document.filename());
    EXPECT_EQ(scene.columns.size(), static_cast<std::size_t>(days)) << document;
    EXPECT_EQ(scene.days_stored, static_cast<std::size_t>(days)) << document;
    EXPECT_EQ(scene.hours.size(), table.hours().size()) << document;
    expect_sound(scene, document.filename());
  }
}

TEST_F(SceneOf, AbsentValuesAreGapsThatNeverScaleAnAxis) {
  HostTable table;
  // Day 0: a high at the unset marker, a low that is no number, pressure
  // "-", precipitation "nan", no wind; day 1: every value present.
  const std::string period = R"(<time period="%" to="2026-12-0#T06:00:00">%BODY</time>)";
  auto day = [&](char date, const std::string& night, const std::string& day_half) {
    std::string text;
    for (char p : {'0', '1', '2', '3'}) {
      std::string t = period;
      t.replace(t.find('%'), 1, 1, p);
      t.replace(t.find('#'), 1, 1, date);
      t.replace(t.find("%BODY"), 5, p == '0' || p == '3' ? night : day_half);
      text += t;
    }
    return text;
  };
  const int days = read_text(
      table,
      "<w><forecast><tabular>" +
          day('8', R"(<temperature value="2147483647"/><pressure value="-"/>)",
              R"(<temperature value="x7"/><precipitation value="nan"/><symbol number="3"/>)") +
          day('9',
              R"(<temperature value="-2"/><pressure value="1003"/><precipitation value="0.4"/>
                 <windSpeed mps="5"/><windDirection code="N"/><symbol number="1"/>)",
              R"(<temperature value="4"/><pressure value="1009"/><precipitation value="1"/>
                 <windSpeed mps="2"/><windDirection code="SW"/><symbol number="3"/>)") +
          "</tabular></forecast></w>");
  ASSERT_EQ(days, 2);
  const Scene scene = inspector::plot::build_scene(table.get(), "doc.xml");
  expect_sound(scene, "absent");
  ASSERT_EQ(scene.columns.size(), 2u);
  EXPECT_TRUE(has_label(scene, field(table.list(BRELUND_KEY_FORECAST)[0], BRELUND_KEY_DAY_NAME)));
  for (const char* key :
       {BRELUND_KEY_DAY_HI_TEMPERATURE, BRELUND_KEY_DAY_LOW_TEMPERATURE, BRELUND_KEY_DAY_PRESSURE,
        BRELUND_KEY_NIGHT_PRESSURE, BRELUND_KEY_DAY_PRECIPITATION, BRELUND_KEY_NIGHT_PRECIPITATION,
        BRELUND_KEY_DAY_WIND_SPEED, BRELUND_KEY_DAY_WIND_TITLE, BRELUND_KEY_NIGHT_ICON}) {
    EXPECT_EQ(gaps_of(scene, 0, key), 1u) << key;
    EXPECT_EQ(gaps_of(scene, 1, key), 0u) << key;
  }
  // Only day 1's values are drawn: one bar per half, temperatures -2..4.
  EXPECT_EQ(scene.bars.size(), 2u);
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
    HostTable table;
    ASSERT_EQ(read_text(table, "<weatherdata/>"), 0);
    const Scene scene = inspector::plot::build_scene(table.get(), "empty.xml");
    expect_sound(scene, "empty");
    EXPECT_TRUE(scene.columns.empty());
    EXPECT_GE(scene.frames.size(), 2u);
    EXPECT_TRUE(has_label(scene, "No forecast stored")) << "no forecast element";
  }
  {
    HostTable table;
    ASSERT_EQ(read_text(table, "<w><forecast><tabular/></forecast></w>"), 0);
    EXPECT_TRUE(
        has_label(inspector::plot::build_scene(table.get(), "none.xml"), "No day records stored"));
  }
  HostTable table;
  std::string text = "<w><forecast><tabular>";
  const int stored = static_cast<int>(inspector::plot::kMaxDays) + 1234;
  for (int i = 0; i < stored; ++i)
    text += R"(<time period="0"><temperature value="1"/></time><time period="3"/>)";
  ASSERT_EQ(read_text(table, text + "</tabular></forecast></w>"), stored);
  const Scene scene = inspector::plot::build_scene(table.get(), "long.xml");
  expect_sound(scene, "long");
  EXPECT_EQ(scene.columns.size(), inspector::plot::kMaxDays);
  EXPECT_EQ(scene.days_left_out, 1234u);
  EXPECT_TRUE(has_label(scene, "1,234 days left out"));
}

}  // namespace
}  // namespace brelund::testing
