// SPDX-License-Identifier: MIT
// The plug-in against a floor: libxml2 reading the same file into a tree and
// freeing it, which any reader that builds the tree pays. The plug-in builds
// none: it reads the file in one streaming SAX2 pass, so its cost is the
// parse itself plus its reader's work, and it should stay well under the
// floor. The walk benchmark times that reader alone on a tree parsed
// beforehand, as parse_xml_data reads the host's tree.
//
// Times are this thread's CPU time per call (the kernel's time for its page
// faults included); the summary after the run uses medians over the
// repetitions (--benchmark_repetitions), so run with several. Every timed
// call starts from a settled heap (see settle()).
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "documents.hpp"
#include "holders.hpp"
#include "host.hpp"

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

// The document a run is limited to (--document=LABEL); empty for all.
std::string only_document;

void write_documents() {
  const auto wanted = [](const std::string& label) {
    return only_document.empty() || only_document == label;
  };
  for (int days : kDaySizes) {
    const std::string label = std::to_string(days) + " days";
    if (!wanted(label)) continue;
    const std::string text = forecast_document(days);
    const std::string name = "forecast-" + std::to_string(days) + ".xml";
    documents().push_back({label, directory().write(name, text), text.size(), days});
  }
  const std::string label = std::to_string(kHours) + " hours";
  if (!wanted(label)) return;
  const std::string hourly = hourly_document(kHours);
  documents().push_back({label, directory().write("hourly.xml", hourly), hourly.size(), 0});
}

// CPU time of this thread, in nanoseconds: time the machine gave to others
// does not count.
double thread_ns() noexcept {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

double median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The floor: what any reader of the file pays.
bool floor_once(const Document& doc) noexcept {
  {
    const XmlPtr<xmlDoc> tree(xmlReadFile(doc.path.c_str(), nullptr, 0));
    if (!tree) return false;
  }
  xmlCleanupParser();
  return true;
}

// How each timed call's heap is settled (--settle=trim|keep). glibc
// consolidates freed chunks lazily, on a later allocation, so the call after
// another one would pay for the memory that one freed: after the floor, for
// its whole tree (most of a 10,000-day call). Settling after every call,
// outside the timing, has each call pay for its own memory only.
enum class Settle {
  // malloc_trim(0), the default: consolidates, and returns the free pages to
  // the kernel, so each call also pays the page faults of its own memory, as
  // in a fresh process. What faults cost depends on the machine (a virtual
  // one makes them dear) and a little on what ran before.
  kTrim,
  // Consolidates only: the pages stay mapped, and glibc trims on its own as in
  // any process. A ratio that moves much between the two comes from page
  // faults, not from parsing.
  kKeep,
};
Settle settle_method = Settle::kTrim;

void settle() noexcept {
  if (settle_method == Settle::kTrim) {
    malloc_trim(0);
  } else {
    // glibc's mallopt consolidates the main arena before it changes anything;
    // the fast-bin limit set to its default value changes nothing else.
    mallopt(M_MXFAST, 64 * static_cast<int>(sizeof(std::size_t)) / 4);
  }
}

// Each iteration times one call through the floor, then one through the
// plug-in, each from a settled heap: then neither pays for the other, and a
// warm-up call of its own ahead of each (tried) changed nothing measurable.
// The two timed calls are moments apart, which keeps a shared machine's
// drifting speed out of their ratio. Counters: the median floor and plug-in
// times (microseconds), the median of the pairs' ratios, and per day: the
// plug-in's cost and the floor's.
void paired(benchmark::State& state, const Document& doc) {
  XmlPtr<xmlDoc> hourly;
  if (doc.days == 0) {
    hourly.reset(xmlReadFile(doc.path.c_str(), nullptr, 0));
    if (!hourly) {
      state.SkipWithError("libxml2 could not read the document");
      return;
    }
  }
  // Room for every iteration up front: no allocation of ours between calls.
  const auto iterations = static_cast<std::size_t>(state.max_iterations);
  std::vector<double> floor_ns;
  std::vector<double> plugin_ns;
  std::vector<double> ratios;
  floor_ns.reserve(iterations);
  plugin_ns.reserve(iterations);
  ratios.reserve(iterations);
  settle();
  for (auto _ : state) {
    double start = thread_ns();
    const bool read = floor_once(doc);
    const double floor_time = thread_ns() - start;
    settle();
    if (!read) {
      state.SkipWithError("libxml2 could not read the document");
      break;
    }
    start = thread_ns();
    const int result =
        hourly ? read_detail(xmlDocGetRootElement(hourly.get())) : refresh(doc.path.c_str());
    const double plugin_time = thread_ns() - start;
    settle();
    if (hourly == nullptr && result != doc.days) {
      state.SkipWithError(result < 0 ? "the plug-in refused the document (-1)"
                                     : "the plug-in read a different number of days");
      break;
    }
    floor_ns.push_back(floor_time);
    plugin_ns.push_back(plugin_time);
    ratios.push_back(plugin_time / floor_time);
  }
  if (hourly) {
    hourly.reset();
    xmlCleanupParser();
  }
  if (floor_ns.empty()) return;
  state.counters["floor_us"] = median(floor_ns) / 1e3;
  state.counters["plugin_us"] = median(plugin_ns) / 1e3;
  state.counters["ratio"] = median(ratios);
  if (doc.days > 0) {
    state.counters["per_day_us"] = median(plugin_ns) / 1e3 / doc.days;
    state.counters["floor_day_us"] = median(floor_ns) / 1e3 / doc.days;
  }
}

// The reader's work without any parse: parse_xml_data walking a tree libxml2
// built once beforehand, and the release of what it stored, each call from a
// settled heap. Its cost per day shows whether anything in the reader grows
// faster than the document, apart from the tree's own slowing down as it
// outgrows the caches (the streaming pass never holds more than a period).
void walk(benchmark::State& state, const Document& doc) {
  XmlPtr<xmlDoc> tree(xmlReadFile(doc.path.c_str(), nullptr, 0));
  if (!tree) {
    state.SkipWithError("libxml2 could not read the document");
    return;
  }
  std::vector<double> walk_ns;
  walk_ns.reserve(static_cast<std::size_t>(state.max_iterations));
  settle();
  for (auto _ : state) {
    const double start = thread_ns();
    const int days = read_forecast(xmlDocGetRootElement(tree.get()));
    walk_ns.push_back(thread_ns() - start);
    settle();
    if (days != doc.days) {
      state.SkipWithError("the plug-in read a different number of days");
      break;
    }
  }
  tree.reset();
  xmlCleanupParser();
  if (!walk_ns.empty()) state.counters["walk_day_us"] = median(walk_ns) / 1e3 / doc.days;
}

void register_benchmarks() {
  for (const Document& doc : documents()) {
    const std::string name = (doc.days > 0 ? "forecast/" : "hourly/") + doc.label;
    benchmark::RegisterBenchmark(name.c_str(), paired, doc);
    if (doc.days > 0) benchmark::RegisterBenchmark(("walk/" + doc.label).c_str(), walk, doc);
  }
}

// Prints what the console reporter prints, and keeps every repetition's
// counters for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  // In colour only on a terminal, as Google Benchmark's own console reporter
  // is by default; a ConsoleReporter made here would always colour, even
  // into a file.
  SummaryReporter() : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) {
        errors_[run.run_name.function_name] = run.error_message;
        continue;
      }
      const std::string& benchmark = run.run_name.function_name;
      if (run.run_type == Run::RT_Iteration) {
        Repetitions& r = repetitions_[benchmark];
        for (const auto& [name, counter] : run.counters) r[name].push_back(counter.value);
      } else if (run.aggregate_name == "median") {
        // Shown instead of the repetitions with --benchmark_display_aggregates_only.
        for (const auto& [name, counter] : run.counters) medians_[benchmark][name] = counter.value;
        repetitions_seen_ = std::max(repetitions_seen_, static_cast<std::size_t>(run.repetitions));
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    if (results_file_.empty()) {
      print_summary();
      return;
    }
    save_medians();
  }

  // Keeps this run's medians in `path` (appended) instead of printing the
  // summary: scripts/bench times each document in a process of its own.
  void save_to(std::string path) { results_file_ = std::move(path); }

  // Prints the summary of runs saved with save_to.
  bool summarize(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "r");
    if (in == nullptr) return false;
    char benchmark[128];
    char counter[64];
    double value = 0;
    while (std::fscanf(in, " %127[^\t]\t%63[^\t]\t%lf", benchmark, counter, &value) == 3) {
      if (std::strcmp(counter, "repetitions") == 0)
        repetitions_seen_ = std::max(repetitions_seen_, static_cast<std::size_t>(value));
      else
        medians_[benchmark][counter] = value;
    }
    std::fclose(in);
    print_summary();
    return true;
  }

 private:
  using Repetitions = std::map<std::string, std::vector<double>>;

  // Median over the repetitions of one counter; negative when missing.
  double value(const std::string& benchmark, const std::string& counter) const {
    if (const auto m = medians_.find(benchmark); m != medians_.end())
      if (const auto v = m->second.find(counter); v != m->second.end()) return v->second;
    const auto found = repetitions_.find(benchmark);
    if (found == repetitions_.end()) return -1;
    const auto values = found->second.find(counter);
    return values == found->second.end() ? -1 : median(values->second);
  }

  static std::string duration(double us) {
    char text[32];
    if (us < 0)
      std::snprintf(text, sizeof text, "-");
    else if (us < 1000)
      std::snprintf(text, sizeof text, "%.1f us", us);
    else
      std::snprintf(text, sizeof text, "%.2f ms", us / 1e3);
    return text;
  }

  static std::string size(std::size_t bytes) {
    char text[32];
    if (bytes < std::size_t{1024} * 1024)
      std::snprintf(text, sizeof text, "%.1f KB", static_cast<double>(bytes) / 1024);
    else
      std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024 * 1024));
    return text;
  }

  static const char* verdict(bool met) { return met ? "met" : "MISSED"; }

  void print_summary() const {
    std::size_t runs = repetitions_seen_;
    for (const auto& [name, counters] : repetitions_)
      if (const auto ratio = counters.find("ratio"); ratio != counters.end())
        runs = std::max(runs, ratio->second.size());
    std::printf("\nCPU time per call, medians over %zu repetition(s) of paired calls\n\n", runs);
    std::printf("| %-10s | %-8s | %-10s | %-10s | %-6s | %-9s | %-9s | %-9s |\n", "document",
                "size", "floor", "plug-in", "ratio", "per day", "floor/day", "walk/day");
    std::printf(
        "|------------|----------|------------|------------|--------|-----------|-----------|"
        "-----------|\n");
    std::map<int, double> per_day;
    std::map<int, double> floor_day;
    std::map<int, double> walk_day;
    std::map<int, double> ratio;
    double hourly_ratio = -1;
    for (const Document& doc : documents()) {
      const std::string name = (doc.days > 0 ? "forecast/" : "hourly/") + doc.label;
      const double r = value(name, "ratio");
      std::string day_cost = "-";
      std::string floor_cost = "-";
      std::string walk_cost = "-";
      if (doc.days > 0) {
        ratio[doc.days] = r;
        per_day[doc.days] = value(name, "per_day_us");
        floor_day[doc.days] = value(name, "floor_day_us");
        walk_day[doc.days] = value("walk/" + doc.label, "walk_day_us");
        day_cost = duration(per_day[doc.days]);
        floor_cost = duration(floor_day[doc.days]);
        walk_cost = duration(walk_day[doc.days]);
      } else {
        hourly_ratio = r;
      }
      char r_text[16];
      std::snprintf(r_text, sizeof r_text, r >= 0 ? "%.3f" : "-", r);
      std::printf("| %-10s | %-8s | %-10s | %-10s | %-6s | %-9s | %-9s | %-9s |", doc.label.c_str(),
                  size(doc.bytes).c_str(), duration(value(name, "floor_us")).c_str(),
                  duration(value(name, "plugin_us")).c_str(), r_text, day_cost.c_str(),
                  floor_cost.c_str(), walk_cost.c_str());
      if (const auto error = errors_.find(name); error != errors_.end())
        std::printf(" %s", error->second.c_str());
      std::printf("\n");
    }
    std::printf(
        "\nplug-in: get_station_weather_data, one streaming pass, and the release of what it "
        "stored.\nwalk/day: parse_xml_data alone on a tree parsed beforehand. For the hourly "
        "document,\n\"plug-in\" is parse_xml_detail_data on a tree parsed beforehand. Every "
        "timed call\nstarts from a settled heap: %s.\n\n",
        settle_method == Settle::kTrim
            ? "malloc_trim(0) after each call, page faults of its own memory included"
            : "consolidated after each call, pages kept (--settle=keep)");
    if (ratio[10] >= 0)
      std::printf("plug-in / floor, 10 days:      %.3f (target <= 0.50: %s)\n", ratio[10],
                  verdict(ratio[10] <= 0.50));
    if (ratio[10000] >= 0)
      std::printf("plug-in / floor, 10,000 days:  %.3f (target <= 0.50: %s)\n", ratio[10000],
                  verdict(ratio[10000] <= 0.50));
    if (per_day[100] > 0 && per_day[10000] >= 0) {
      const double growth = per_day[10000] / per_day[100];
      std::printf(
          "per day, 10,000 / 100 days:    %.3f (target <= 1.20: %s; the floor's own: %.3f)\n",
          growth, verdict(growth <= 1.20), floor_day[10000] / floor_day[100]);
    }
    if (walk_day[100] > 0 && walk_day[10000] >= 0)
      std::printf("walk per day, 10,000 / 100:    %.3f (the reader alone, on a tree)\n",
                  walk_day[10000] / walk_day[100]);
    if (hourly_ratio >= 0)
      std::printf("hourly detail / its parse:     %.3f (target <= 0.25: %s)\n", hourly_ratio,
                  verdict(hourly_ratio <= 0.25));
  }

  void save_medians() const {
    std::FILE* out = std::fopen(results_file_.c_str(), "a");
    if (out == nullptr) return;
    for (const Document& doc : documents()) {
      const std::string name = (doc.days > 0 ? "forecast/" : "hourly/") + doc.label;
      for (const std::string& benchmark : {name, "walk/" + doc.label})
        for (const char* counter :
             {"floor_us", "plugin_us", "ratio", "per_day_us", "floor_day_us", "walk_day_us"})
          if (const double v = value(benchmark, counter); v >= 0)
            std::fprintf(out, "%s\t%s\t%.17g\n", benchmark.c_str(), counter, v);
    }
    std::fprintf(out, "-\trepetitions\t%zu\n", repetitions_seen_);
    std::fclose(out);
  }

  std::string results_file_;
  std::map<std::string, Repetitions> repetitions_;
  std::map<std::string, std::map<std::string, double>> medians_;
  std::size_t repetitions_seen_ = 0;
  std::map<std::string, std::string> errors_;
};

struct Flags {
  std::string results;  // --results=FILE: save medians there, no summary
  std::string summary;  // --summary-from=FILE: print the summary of saved runs
};

// Takes this program's own flags out of the arguments, before Google
// Benchmark sees them: --settle=trim|keep, --document=LABEL ("10 days",
// "48 hours"), --results=FILE, --summary-from=FILE. False for a bad value.
bool take_flags(int& argc, char** argv, Flags& flags) {
  const auto value = [](const char* arg, const char* flag) -> const char* {
    const std::size_t n = std::strlen(flag);
    return std::strncmp(arg, flag, n) == 0 ? arg + n : nullptr;
  };
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (const char* method = value(argv[i], "--settle=")) {
      if (std::strcmp(method, "trim") == 0)
        settle_method = Settle::kTrim;
      else if (std::strcmp(method, "keep") == 0)
        settle_method = Settle::kKeep;
      else
        return false;
    } else if (const char* label = value(argv[i], "--document=")) {
      only_document = label;
    } else if (const char* file = value(argv[i], "--results=")) {
      flags.results = file;
    } else if (const char* saved = value(argv[i], "--summary-from=")) {
      flags.summary = saved;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  argv[argc] = nullptr;
  return true;
}

}  // namespace
}  // namespace brelund::bench

int main(int argc, char** argv) {
  using namespace brelund::bench;
  Flags flags;
  if (!take_flags(argc, argv, flags)) {
    std::fprintf(stderr, "%s: --settle takes trim (the default) or keep\n", argv[0]);
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  write_documents();
  SummaryReporter reporter;
  if (!flags.summary.empty()) return reporter.summarize(flags.summary) ? 0 : 1;
  if (!flags.results.empty()) reporter.save_to(flags.results);
  register_benchmarks();
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
