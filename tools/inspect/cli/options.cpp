// SPDX-License-Identifier: MIT
#include "cli/options.hpp"

#include <cstdio>
#include <cstring>

#include "cli/messages.hpp"
#include "holders.hpp"

namespace inspector {
namespace {

using brelund::GPtr;

constexpr const char* kUsage =
    "Usage:\n  brelund-inspect [OPTION...] FILE\n  brelund-inspect --check [--json] FILE...\n"
    "  brelund-inspect --explain CODE";

constexpr const char* kSummary =
    "Reads a station's forecast file through the tarnvale forecast plug-in, as the host does, "
    "and shows the station data.\n"
    "The file is handled like the host's own copy: a waiting FILE.new is first renamed over it.\n"
    "FILE - reads the forecast from standard input.\n"
    "With --check, says for each FILE what the plug-in does with it that a user of the host "
    "should know, as FILE:LINE: severity: message [code]; it changes no file.";

constexpr const char* kDescription =
    "Exit status: 0 read, 1 usage, 2 plug-in missing, not loadable or failed to initialise, "
    "3 forecast file unreadable (-1; the message says why), 4 error document from the service "
    "(-2), 5 hourly document unreadable, 6 picture cannot be written (--plot: unknown extension, "
    "or no file can be made there), 7 --check found an error or a warning in at least one FILE "
    "(a file the plug-in refuses, a missing one included); with --check, 0 means at most "
    "notes.\n"
    "See brelund-inspect(1) for more.";

// Where GOption puts what it parses; its strings are owned from then on.
struct Raw {
  gchar *plugin = nullptr, *hourly = nullptr, *plot = nullptr, *explain = nullptr;
  gchar** files = nullptr;
  gboolean json = FALSE, check = FALSE, version = FALSE, help = FALSE;
};

GPtr<GOptionContext> make_context(Raw& raw) {
  const GOptionEntry entries[] = {
      {"plugin", 'p', 0, G_OPTION_ARG_FILENAME, &raw.plugin,
       "Plug-in file to load (default: the one built beside this program, else the installed one)",
       "PATH"},
      {"hourly", 'H', 0, G_OPTION_ARG_FILENAME, &raw.hourly,
       "Also read this hourly detail document (hbhf)", "FILE"},
      {"json", 'j', 0, G_OPTION_ARG_NONE, &raw.json,
       "Print the station data exactly as stored, as JSON", nullptr},
      {"check", 'c', 0, G_OPTION_ARG_NONE, &raw.check,
       "Say what the plug-in does with each FILE that a user of the host should know: errors, "
       "warnings and notes, each with its code; writes no file",
       nullptr},
      {"explain", 0, 0, G_OPTION_ARG_STRING, &raw.explain,
       "Print what the --check code CODE means and what the host shows, then exit", "CODE"},
      {"plot", 'P', 0, G_OPTION_ARG_FILENAME, &raw.plot,
       "Draw the station data as a meteogram into OUT (.svg, .png or .pdf) instead of the table",
       "OUT"},
      {"version", 'V', 0, G_OPTION_ARG_NONE, &raw.version,
       "Print the version and the plug-in that would be loaded, then exit", nullptr},
      {"help", 'h', 0, G_OPTION_ARG_NONE, &raw.help, "Show this help and exit", nullptr},
      {G_OPTION_REMAINING, 0, 0, G_OPTION_ARG_FILENAME_ARRAY, &raw.files, nullptr, nullptr},
      {nullptr, 0, 0, G_OPTION_ARG_NONE, nullptr, nullptr, nullptr}};
  GPtr<GOptionContext> context(g_option_context_new(nullptr));
  g_option_context_set_summary(context.get(), kSummary);
  g_option_context_set_description(context.get(), kDescription);
  // Help is printed here: GLib's own writes "[OPTION…]" in the locale's
  // characters, which the C locale turns into "[OPTION?]".
  g_option_context_set_help_enabled(context.get(), FALSE);
  g_option_context_add_main_entries(context.get(), entries, nullptr);
  return context;
}

// GLib's help text with our usage line in place of its own.
void print_help(GOptionContext* context) {
  const GPtr<gchar> help(g_option_context_get_help(context, TRUE, nullptr));
  const char* rest = std::strstr(help.get(), "\n\n");
  std::fputs(kUsage, stdout);
  std::fputs(rest != nullptr ? rest : "\n", stdout);
}

// Takes GOption's strings over, whatever came of the parse.
Options taken(const Raw& raw) {
  const GPtr<gchar> plugin(raw.plugin), hourly(raw.hourly), plot(raw.plot), explain(raw.explain);
  const GPtr<gchar*> files(raw.files);
  Options options;
  if (plugin) options.plugin = plugin.get();
  if (hourly) options.hourly = hourly.get();
  if (plot) options.plot = plot.get();
  if (explain) options.explain = explain.get();
  options.json = raw.json;
  options.check = raw.check;
  options.version = raw.version;
  options.help = raw.help;
  for (gchar** file = files.get(); file != nullptr && *file != nullptr; ++file)
    options.files.emplace_back(*file);
  return options;
}

std::nullopt_t usage_error(const char* why) {
  say::usage(why);
  return std::nullopt;
}

}  // namespace

std::optional<Options> parse_options(int argc, char** argv) {
  Raw raw;
  const GPtr<GOptionContext> context = make_context(raw);
  GError* failure = nullptr;
  const bool parsed = g_option_context_parse(context.get(), &argc, &argv, &failure);
  const GPtr<GError> error(failure);
  Options options = taken(raw);
  if (!parsed) return usage_error(error->message);
  if (options.help) print_help(context.get());
  if (options.help || options.version) return options;
  if (!options.explain.empty()) {
    if (!options.files.empty() || options.check || !options.hourly.empty() || !options.plot.empty())
      return usage_error("--explain takes a code and nothing else");
    return options;
  }
  if (options.check) {
    if (options.files.empty()) return usage_error("give at least one forecast file to check");
    if (!options.hourly.empty() || !options.plot.empty())
      return usage_error("--check takes neither --hourly nor --plot");
    return options;
  }
  if (options.files.size() != 1) return usage_error("give exactly one forecast file");
  return options;
}

}  // namespace inspector
