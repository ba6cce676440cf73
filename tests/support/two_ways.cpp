// SPDX-License-Identifier: MIT
#include "two_ways.hpp"

#include <libxml/parser.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "holders.hpp"
#include "host_table.hpp"
#include "readers/forecast_reader.hpp"
#include "tarnvale-brelund-source.h"

namespace brelund::testing {
namespace {

// Standard error, caught in a temporary file for as long as this lives.
class CaughtStderr {
 public:
  CaughtStderr() : file_(std::tmpfile()), saved_(dup(2)) {
    std::fflush(stderr);
    if (file_ != nullptr) dup2(fileno(file_), 2);
  }
  CaughtStderr(const CaughtStderr&) = delete;
  CaughtStderr& operator=(const CaughtStderr&) = delete;
  ~CaughtStderr() {
    restore();
    if (file_ != nullptr) std::fclose(file_);
  }

  std::string text() {
    restore();
    std::string out;
    if (file_ == nullptr) return "<stderr not caught>";
    std::rewind(file_);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file_)) > 0;)
      out.append(buffer, n);
    return out;
  }

 private:
  void restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, 2);
    close(saved_);
    saved_ = -1;
  }
  std::FILE* file_;
  int saved_;
};

// libxml2's I/O layer reports a corrupt compressed file on standard error
// whatever its caller asks, with errno's text of the moment: not the
// plug-in's to print, nor to keep equal.
std::string without_io_reports(const std::string& said) {
  std::string out;
  std::size_t start = 0;
  while (start < said.size()) {
    std::size_t end = said.find('\n', start);
    end = end == std::string::npos ? said.size() : end + 1;
    if (said.compare(start, 12, "I/O error : ") != 0) out.append(said, start, end - start);
    start = end;
  }
  return out;
}

template <typename Read>
Seen see(Read read) {
  std::setlocale(LC_TIME, "C");
  HostTable table;
  Seen seen;
  {
    CaughtStderr caught;
    seen.result = read(table);
    seen.said = without_io_reports(caught.text());
  }
  seen.lc_time = std::setlocale(LC_TIME, nullptr);
  seen.station_data = dump_station_data(table);
  return seen;
}

std::string show(const Seen& seen) {
  std::ostringstream out;
  out << "result " << seen.result << ", LC_TIME " << seen.lc_time << "\nstderr:\n"
      << seen.said << "station data:\n"
      << seen.station_data;
  return out.str();
}

}  // namespace

Seen through_file(const std::string& path) {
  return see([&](HostTable& table) { return get_station_weather_data(path.c_str(), table.get()); });
}

// get_station_weather_data as it was before the file was streamed: the
// default tree parse (libxml2's own reports silenced, as the plug-in always
// kept them), the error document, the station identifier.
Seen through_tree(const std::string& path) {
  return see([&](HostTable& table) {
    XmlPtr<xmlDoc> doc(xmlReadFile(path.c_str(), nullptr, XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!doc) return -1;
    xmlNode* root = xmlDocGetRootElement(doc.get());
    int result = 0;
    const char* slash = std::strrchr(path.c_str(), '/');
    if (root != nullptr && std::strstr(reinterpret_cast<const char*>(root->name), "err") != nullptr)
      result = -2;
    else if (slash == nullptr || std::strchr(slash, '.') == nullptr)
      result = -1;
    else
      result = parse_xml_data("station", root, table.get());
    doc.reset();
    xmlCleanupParser();
    return result;
  });
}

sources::Outcome stream_outcome(const std::string& path) {
  readers::ForecastReader reader(readers::kFileLimits);
  const sources::Outcome outcome = sources::read_file(path.c_str(), reader).outcome;
  xmlCleanupParser();
  return outcome;
}

std::string difference(const std::string& path) {
  const Seen tree = through_tree(path);
  const Seen file = through_file(path);
  if (file == tree) return "";
  if (file.result == -1 && file.said.empty() && file.station_data.empty() && file.lc_time == "C") {
    const sources::Outcome outcome = stream_outcome(path);
    if (outcome == sources::Outcome::kOverLimit) return "";
    // parse_xml_data refuses such a document too, storing nothing.
    if (outcome == sources::Outcome::kDeclaresExpansions && tree.station_data.empty() &&
        tree.said.empty())
      return "";
  }
  return "through the tree: " + show(tree) + "\nthrough the file: " + show(file);
}

}  // namespace brelund::testing
