// SPDX-License-Identifier: MIT
// brelund-inspect: runs the plug-in exactly as the host does and shows what
// it stored. It loads the plug-in with dlopen, so it exercises the same file
// and the same nine functions the host sees.
#include <cstdio>
#include <filesystem>
#include <string>

#include "diagnose.hpp"
#include "hourly.hpp"
#include "output.hpp"
#include "paths.hpp"
#include "plugin.hpp"
#include "render.hpp"
#include "tarnvale-brelund-source.h"

namespace {

enum Status {
  kOk = 0,
  kUsage = 1,
  kPluginUnusable = 2,
  kForecastUnreadable = 3,
  kErrorDocument = 4,
  kHourlyUnreadable = 5,
  kPictureUnwritable = 6,
};

constexpr const char* kPluginFile = "libtarnvale-brelund-source.so";

// The plug-in built beside this program in a build tree, else the one
// installed with it, else the configured installed path.
std::string default_plugin() {
  std::error_code ignored;
  const auto bin = std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
  if (!bin.empty())
    for (const auto& candidate : {bin / kPluginFile, bin / BRELUND_PLUGIN_FROM_BIN / kPluginFile})
      if (std::filesystem::exists(candidate, ignored)) return candidate.lexically_normal();
  return BRELUND_INSTALLED_PLUGIN;
}

struct Options {
  gchar* plugin = nullptr;
  gchar* hourly = nullptr;
  gchar* plot = nullptr;
  gboolean json = FALSE;
  gboolean version = FALSE;
  gchar** files = nullptr;
  ~Options() {
    g_free(plugin);
    g_free(hourly);
    g_free(plot);
    g_strfreev(files);
  }
};

bool parse_options(int argc, char** argv, Options& options) {
  GOptionEntry entries[] = {
      {"plugin", 'p', 0, G_OPTION_ARG_FILENAME, &options.plugin,
       "Plug-in file to load (default: the one built beside this program, else the installed one)",
       "PATH"},
      {"hourly", 'H', 0, G_OPTION_ARG_FILENAME, &options.hourly,
       "Also read this hour-by-hour document", "FILE"},
      {"json", 'j', 0, G_OPTION_ARG_NONE, &options.json,
       "Print the station data exactly as stored, as JSON", nullptr},
      {"plot", 'P', 0, G_OPTION_ARG_FILENAME, &options.plot,
       "Draw the station data as a meteogram into OUT (.svg, .png or .pdf) instead of the table",
       "OUT"},
      {"version", 'V', 0, G_OPTION_ARG_NONE, &options.version,
       "Print the version and the plug-in that would be loaded, then exit", nullptr},
      {G_OPTION_REMAINING, 0, 0, G_OPTION_ARG_FILENAME_ARRAY, &options.files, nullptr,
       "FORECAST-FILE"},
      {nullptr, 0, 0, G_OPTION_ARG_NONE, nullptr, nullptr, nullptr}};
  // The operand is named once, by the remaining-arguments entry.
  GOptionContext* context = g_option_context_new(nullptr);
  g_option_context_set_summary(context,
                               "Reads a station's forecast file through the tarnvale forecast "
                               "plug-in, as the host does, and shows the station data.\n"
                               "The file is handled like the host's own copy: a waiting "
                               "FORECAST-FILE.new is first renamed over it.");
  g_option_context_set_description(
      context,
      "Exit status: 0 read, 1 usage, 2 plug-in missing, not loadable or failed to initialise, "
      "3 forecast file unreadable (-1; the message says why), 4 error document from the service "
      "(-2), 5 hourly document unreadable, 6 picture cannot be written (--plot: unknown extension, "
      "or no file can be made there).\n"
      "See brelund-inspect(1) for more.");
  g_option_context_add_main_entries(context, entries, nullptr);
  GError* error = nullptr;
  const bool parsed = g_option_context_parse(context, &argc, &argv, &error);
  if (parsed && options.version) {
    g_option_context_free(context);
    return true;
  }
  if (!parsed || options.files == nullptr || g_strv_length(options.files) != 1) {
    std::fprintf(stderr, "brelund-inspect: %s\n",
                 parsed ? "give exactly one forecast file (see --help)" : error->message);
    if (error != nullptr) g_error_free(error);
    g_option_context_free(context);
    return false;
  }
  g_option_context_free(context);
  return true;
}

// The version, and the plug-in a run with these options would load.
void print_version(const std::string& plugin_path) {
  std::error_code ignored;
  const bool exists = std::filesystem::exists(plugin_path, ignored);
  std::printf("brelund-inspect (tarnvale-brelund-source) %s\nplug-in: %s%s\n", BRELUND_VERSION,
              plugin_path.c_str(), exists ? "" : " (not found)");
}

void hourly_failure(const char* hourly, const std::string& why) {
  std::fprintf(stderr, "brelund-inspect: cannot read hourly document %s: %s\n", hourly,
               why.c_str());
}

int picture_failure(const char* out, const std::string& why) {
  std::fprintf(stderr, "brelund-inspect: cannot write picture %s: %s\n", out, why.c_str());
  return kPictureUnwritable;
}

// Everything after loading: one refresh of one station, then release.
int inspect(const inspector::Plugin& plugin, const Options& options) {
  // The picture's file is made first: a name it cannot take stops the run
  // before anything is read.
  inspector::plot::PictureFile picture;
  std::string why;
  if (options.plot != nullptr && !picture.open(options.plot, why))
    return picture_failure(options.plot, why);
  // Read first, so that an unusable hourly document stops the run before the
  // plug-in swaps in a staged forecast file or reports anything.
  inspector::Doc hourly;
  if (options.hourly != nullptr) {
    hourly = inspector::read_hourly(options.hourly, why);
    if (!hourly) {
      hourly_failure(options.hourly, why);
      return kHourlyUnreadable;
    }
  }
  // The plug-in takes the station from the file name after the last "/" and
  // refuses a name without one; hosts pass whole paths.
  const std::string given = options.files[0];
  const std::string named = inspector::as_file(given);
  const char* path = named.c_str();
  GHashTable* station_data = g_hash_table_new(g_str_hash, g_str_equal);
  const inspector::StagedFile staged(named);
  const int days = plugin.get_station_weather_data(path, station_data);
  if (staged.moved())
    std::fprintf(stderr, "brelund-inspect: the plug-in moved the staged file %s.new over %s\n",
                 given.c_str(), given.c_str());
  if (days < 0) {
    g_hash_table_destroy(station_data);  // untouched on failure
    if (days == -2) {
      std::fprintf(stderr, "brelund-inspect: %s is an error document from the forecast service\n",
                   given.c_str());
      return kErrorDocument;
    }
    std::fprintf(stderr, "brelund-inspect: cannot read forecast file %s: %s\n", given.c_str(),
                 inspector::why_unreadable(named).c_str());
    return kForecastUnreadable;
  }
  if (!g_hash_table_contains(station_data, BRELUND_KEY_LOCATION) &&
      !g_hash_table_contains(station_data, BRELUND_KEY_FORECAST))
    std::fprintf(stderr,
                 "brelund-inspect: note: %s has neither a location nor a forecast element\n",
                 given.c_str());
  if (hourly) {
    plugin.parse_xml_detail_data(path, xmlDocGetRootElement(hourly.get()), station_data);
    // Given an hbhf element, the plug-in stores no detail record only when it
    // refuses the whole document.
    if (!g_hash_table_contains(station_data, BRELUND_KEY_DETAIL)) {
      hourly_failure(options.hourly,
                     "the plug-in refused it (its DTD declares entities or attribute defaults)");
      plugin.release_station_data(station_data);
      return kHourlyUnreadable;
    }
  }
  if (options.plot != nullptr) {
    const bool drawn = picture.write(inspector::plot::build_scene(station_data, given), why);
    plugin.release_station_data(station_data);
    return drawn ? kOk : picture_failure(options.plot, why);
  }
  const std::string shown =
      options.json ? inspector::render_json(station_data) : inspector::render_text(station_data);
  std::fwrite(shown.data(), 1, shown.size(), stdout);
  plugin.release_station_data(station_data);
  return kOk;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parse_options(argc, argv, options)) return kUsage;
  const std::string plugin_path =
      inspector::as_file(options.plugin != nullptr ? options.plugin : default_plugin());
  if (options.version) {
    print_version(plugin_path);
    return kOk;
  }
  inspector::Plugin plugin;
  std::string why;
  if (!plugin.load(plugin_path, why)) {
    std::fprintf(stderr, "brelund-inspect: cannot use plug-in %s: %s\n", plugin_path.c_str(),
                 why.c_str());
    return kPluginUnusable;
  }
  if (plugin.source_init() == 0) {
    std::fprintf(stderr, "brelund-inspect: the plug-in failed to initialise\n");
    return kPluginUnusable;
  }
  const int status = inspect(plugin, options);
  plugin.source_destroy();
  return status;
}
