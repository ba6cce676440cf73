// SPDX-License-Identifier: MIT
#include "check/file_findings.hpp"

#include "check/events.hpp"

namespace inspector::check {

Finding refused(const std::string& why, int line) {
  return {.code = Code::kRefused,
          .line = line,
          .count = 1,
          .message = "the plug-in refuses the file and stores nothing (-1): " + why,
          .values = {{"why", why}},
          .items = {},
          .cites = {}};
}

Finding error_document() {
  return {.code = Code::kErrorDocument,
          .line = 0,
          .count = 1,
          .message =
              "an error document from the forecast service (its root element's name "
              "contains \"err\"): the plug-in stores nothing (-2)",
          .values = {},
          .items = {},
          .cites = {}};
}

Finding long_path(std::size_t length) {
  return {.code = Code::kLongPath,
          .line = 0,
          .count = 1,
          .message = "a path of " + std::to_string(length) +
                     " bytes: the plug-in forms no staged name this long, so no staged \".new\" "
                     "file is ever swapped in for it",
          .values = {{"bytes", std::to_string(length), true}},
          .items = {},
          .cites = {}};
}

Finding staged_file(const std::string& staged, bool missing) {
  const std::string what =
      missing ? "this file is missing, and a staged " + staged +
                    " waits: the next refresh moves it into place and reads it"
              : "a staged " + staged +
                    " is waiting: the next refresh moves it over this file and reads it instead";
  return {.code = Code::kStagedFile,
          .line = 0,
          .count = 1,
          .message = what + " (its own check follows)",
          .values = {{"staged", staged}},
          .items = {},
          .cites = {}};
}

Finding staged_breaks(const std::string& staged, int days, const std::string& outcome) {
  return {.code = Code::kStagedBreaks,
          .line = 0,
          .count = 1,
          .message = "the next refresh moves " + staged + " over this forecast, which stores " +
                     times(static_cast<std::size_t>(days), "day") + ", and from " + staged +
                     " the plug-in " + outcome + ": the host loses its forecast",
          .values = {{"staged", staged}, {"days", std::to_string(days), true}},
          .items = {},
          .cites = {}};
}

Finding plugin_differs(const Difference& difference) {
  return {.code = Code::kPluginDiffers,
          .line = 0,
          .count = 1,
          .message =
              "the plug-in loaded stores other data than the readers built into this "
              "inspector (another version?): " +
              difference.where + " is " + difference.one + " there, " + difference.other +
              " here; the other findings are this inspector's reading",
          .values = {{"where", difference.where},
                     {"plugin", difference.one},
                     {"inspector", difference.other}},
          .items = {},
          .cites = {}};
}

}  // namespace inspector::check
