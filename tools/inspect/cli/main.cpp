// SPDX-License-Identifier: MIT
// brelund-inspect: runs the plug-in exactly as the host does and shows what
// it stored. It loads the plug-in with dlopen, so it exercises the same file
// and the same nine functions the host sees. This file only reads the
// command line and hands the run to the step it names.
#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/check_run.hpp"
#include "cli/exit_status.hpp"
#include "cli/inspect.hpp"
#include "cli/messages.hpp"
#include "cli/options.hpp"
#include "host/file_names.hpp"
#include "host/plugin.hpp"

namespace {

using namespace inspector;

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

// The version, and the plug-in a run with these options would load.
void print_version(const std::string& plugin_path) {
  std::error_code ignored;
  const bool exists = std::filesystem::exists(plugin_path, ignored);
  std::printf("brelund-inspect (tarnvale-brelund-source) %s\nplug-in: %s%s\n", BRELUND_VERSION,
              plugin_path.c_str(), exists ? "" : " (not found)");
}

// Loads and initialises the plug-in, runs, and finalises it.
int run(const std::string& plugin_path, const Options& options) {
  Plugin plugin;
  std::string why;
  if (!plugin.load(plugin_path, why)) {
    say::plugin_unusable(plugin_path, why);
    return kPluginUnusable;
  }
  if (plugin.source_init() == 0) {
    say::plugin_not_initialised();
    return kPluginUnusable;
  }
  const int status = options.check ? check_files(plugin, options) : inspect(plugin, options);
  plugin.source_destroy();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = parse_options(argc, argv);
  if (!options) return kUsage;
  if (options->help) return kOk;
  if (!options->explain.empty()) return explain(*options);
  const std::string plugin_path =
      as_file(!options->plugin.empty() ? options->plugin : default_plugin());
  if (options->version) {
    print_version(plugin_path);
    return kOk;
  }
  return run(plugin_path, *options);
}
