// The plug-in against its floor: libxml2 reading the same file into a tree
// and freeing it. Everything above the floor is the plug-in's own cost.
//
// Times are CPU time per call; the summary after the run uses the median of
// the repetitions (--benchmark_repetitions), so run with several.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "documents.hpp"
#include "host.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::bench {
namespace {

constexpr int kDaySizes[] = {10, 100, 1000, 10000};
constexpr int kHours = 48;

struct Document {
  std::string label;
  std::string path;
  std::size_t bytes = 0;
  int days = 0;  // 0 for the hourly document
};

DocumentDir& directory() {
  static DocumentDir dir;
  return dir;
}

std::vector<Document>& documents() {
  static std::vector<Document> docs;
  return docs;
}

void write_documents() {
  for (int days : kDaySizes) {
    const std::string text = forecast_document(days);
    const std::string name = "forecast-" + std::to_string(days) + ".xml";
    documents().push_back(
        {std::to_string(days) + " days", directory().write(name, text), text.size(), days});
  }
  const std::string hourly = hourly_document(kHours);
  documents().push_back({std::to_string(kHours) + " hours", directory().write("hourly.xml", hourly),
                         hourly.size(), 0});
}

void floor_read(benchmark::State& state, const Document& doc) {
  for (auto _ : state) {
    xmlDoc* tree = xmlReadFile(doc.path.c_str(), nullptr, 0);
    if (tree == nullptr) {
      state.SkipWithError("libxml2 could not read the document");
      break;
    }
    xmlFreeDoc(tree);
    xmlCleanupParser();
  }
}

void plugin_read(benchmark::State& state, const Document& doc) {
  for (auto _ : state) {
    GHashTable* table = new_station_table();
    const int days = get_station_weather_data(doc.path.c_str(), table);
    release_station_table(table);
    if (days != doc.days) {
      state.SkipWithError("the plug-in read a different number of days");
      break;
    }
  }
  state.counters["per_day"] = benchmark::Counter(
      doc.days, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The host parses the hourly document itself and hands over its root.
void detail_read(benchmark::State& state, const Document& doc) {
  xmlDoc* tree = xmlReadFile(doc.path.c_str(), nullptr, 0);
  if (tree == nullptr) {
    state.SkipWithError("libxml2 could not read the document");
    return;
  }
  xmlNode* root = xmlDocGetRootElement(tree);
  for (auto _ : state) {
    GHashTable* table = new_station_table();
    const int hours = parse_xml_detail_data("bench", root, table);
    release_station_table(table);
    benchmark::DoNotOptimize(hours);
  }
  xmlFreeDoc(tree);
  xmlCleanupParser();
}

void register_benchmarks() {
  for (const Document& doc : documents()) {
    benchmark::RegisterBenchmark(("floor/" + doc.label).c_str(), floor_read, doc);
    if (doc.days > 0)
      benchmark::RegisterBenchmark(("plugin/" + doc.label).c_str(), plugin_read, doc);
    else
      benchmark::RegisterBenchmark(("detail/" + doc.label).c_str(), detail_read, doc);
  }
}

// Prints what the console reporter prints, and keeps every repetition's time
// per call for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const double seconds =
          run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      const std::string& name = run.run_name.function_name;
      if (run.run_type == Run::RT_Iteration) {
        seconds_[name].push_back(seconds);
      } else if (run.aggregate_name == "median") {
        medians_[name] = seconds;
        repetitions_ = run.repetitions;
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    print_summary();
  }

 private:
  // Median CPU seconds per call; negative when the benchmark did not run.
  double median(const std::string& name) {
    if (auto found = medians_.find(name); found != medians_.end()) return found->second;
    auto found = seconds_.find(name);
    if (found == seconds_.end() || found->second.empty()) return -1;
    std::vector<double>& times = found->second;
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    return n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  }

  static std::string duration(double seconds) {
    char text[32];
    if (seconds < 0)
      std::snprintf(text, sizeof text, "-");
    else if (seconds < 1e-3)
      std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
    else
      std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    return text;
  }

  static std::string size(std::size_t bytes) {
    char text[32];
    if (bytes < 1024 * 1024)
      std::snprintf(text, sizeof text, "%.1f KB", static_cast<double>(bytes) / 1024);
    else
      std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024 * 1024));
    return text;
  }

  static const char* verdict(bool met) { return met ? "met" : "MISSED"; }

  void print_summary() {
    if (repetitions_ > 1)
      std::printf("\nCPU time per call, median of %lld repetitions\n\n",
                  static_cast<long long>(repetitions_));
    else
      std::printf("\nCPU time per call (one run each: use --benchmark_repetitions)\n\n");
    std::printf("| %-10s | %-8s | %-10s | %-10s | %-6s | %-11s |\n", "document", "size", "floor",
                "plug-in", "ratio", "per day");
    std::printf("|------------|----------|------------|------------|--------|-------------|\n");
    std::map<int, double> per_day;
    std::map<int, double> ratio;
    double hourly_ratio = -1;
    for (const Document& doc : documents()) {
      const double floor = median("floor/" + doc.label);
      const double plugin = median((doc.days > 0 ? "plugin/" : "detail/") + doc.label);
      const double r = floor > 0 && plugin >= 0 ? plugin / floor : -1;
      std::string day_cost = "-";
      if (doc.days > 0) {
        per_day[doc.days] = plugin >= 0 ? plugin / doc.days : -1;
        ratio[doc.days] = r;
        day_cost = duration(per_day[doc.days]);
      } else {
        hourly_ratio = r;
      }
      char r_text[16];
      std::snprintf(r_text, sizeof r_text, r >= 0 ? "%.3f" : "-", r);
      std::printf("| %-10s | %-8s | %-10s | %-10s | %-6s | %-11s |\n", doc.label.c_str(),
                  size(doc.bytes).c_str(), duration(floor).c_str(), duration(plugin).c_str(),
                  r_text, day_cost.c_str());
    }
    std::printf(
        "\nFor the hourly document, \"plug-in\" is parse_xml_detail_data on a tree parsed "
        "beforehand.\n\n");
    if (ratio.count(10) && ratio[10] >= 0)
      std::printf("plug-in / floor, 10 days:      %.3f (target <= 1.25: %s)\n", ratio[10],
                  verdict(ratio[10] <= 1.25));
    if (ratio.count(10000) && ratio[10000] >= 0)
      std::printf("plug-in / floor, 10,000 days:  %.3f (target <= 1.20: %s)\n", ratio[10000],
                  verdict(ratio[10000] <= 1.20));
    if (per_day.count(100) && per_day.count(10000) && per_day[100] > 0 && per_day[10000] >= 0) {
      const double growth = per_day[10000] / per_day[100];
      std::printf("per day, 10,000 / 100 days:    %.3f (target <= 1.20: %s)\n", growth,
                  verdict(growth <= 1.20));
    }
    if (hourly_ratio >= 0)
      std::printf("hourly detail / its parse:     %.3f (target <= 0.25: %s)\n", hourly_ratio,
                  verdict(hourly_ratio <= 0.25));
  }

  std::map<std::string, std::vector<double>> seconds_;  // per repetition
  std::map<std::string, double> medians_;               // from the aggregates
  std::int64_t repetitions_ = 1;
};

}  // namespace
}  // namespace brelund::bench

int main(int argc, char** argv) {
  using namespace brelund::bench;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  write_documents();
  register_benchmarks();
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
