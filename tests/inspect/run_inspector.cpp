// SPDX-License-Identifier: MIT
#include "run_inspector.hpp"

#include <glib.h>
#include <sys/wait.h>

#include <algorithm>

#include "holders.hpp"

namespace brelund::testing {

namespace {

Outcome run(std::vector<std::string> args, const char* directory) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  gchar* out = nullptr;
  gchar* err = nullptr;
  gint wait_status = 0;
  const bool spawned = g_spawn_sync(directory, argv.data(), nullptr, G_SPAWN_DEFAULT, nullptr,
                                    nullptr, &out, &err, &wait_status, nullptr);
  const GPtr<gchar> out_held(out), err_held(err);
  return {spawned && WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1,
          out != nullptr ? std::string(out) : std::string(),
          err != nullptr ? std::string(err) : std::string()};
}

}  // namespace

Outcome inspect(std::vector<std::string> args, const char* directory) {
  args.insert(args.begin(), BRELUND_INSPECT_PATH);
  return run(std::move(args), directory);
}

Outcome inspect_shell(const std::string& args) {
  return run({"/bin/sh", "-c", std::string("exec ") + BRELUND_INSPECT_PATH + " " + args}, nullptr);
}

std::vector<std::string> entries(const std::string& directory) {
  std::vector<std::string> names;
  const GPtr<GDir> dir(g_dir_open(directory.c_str(), 0, nullptr));
  if (!dir) return names;
  while (const char* name = g_dir_read_name(dir.get())) names.emplace_back(name);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace brelund::testing
