// SPDX-License-Identifier: MIT
// The plug-in's stream is linked in from src/sources (the very code the
// plug-in runs) and given a handler that wants nothing: it names the limit
// that ended the read, or libxml2's first error. The station data itself
// comes only from the plug-in.
#include "host/refusal.hpp"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "entry/station_name.hpp"
#include "readers/forecast_reader.hpp"
#include "sources/file_stream.hpp"

namespace inspector {
namespace {

namespace sources = brelund::sources;
using sources::Limit;
using sources::Outcome;

// Shown the root element, it wants nothing of it: the stream still reads,
// counts and checks the whole file, and builds nothing.
class NothingWanted final : public sources::ElementHandler {
 public:
  sources::Want start(const sources::Element& /*element*/) override {
    return sources::Want::kNothing;
  }
  void text(std::string_view /*text*/) override {}
  void end() override {}
  bool full() const noexcept override { return false; }
};

// The stream's own limits; empty for the handler's, which a handler that
// builds nothing never meets: what the plug-in's reader would build is left
// to the end, when nothing else explains the refusal.
std::string over(Limit limit) {
  switch (limit) {
    case Limit::kSize:
      return "larger than the plug-in reads: over " + std::to_string(sources::kMaxBytes >> 20) +
             " MiB (" + std::to_string(sources::kMaxBytes) + " bytes) after decompression";
    case Limit::kAttributes:
      return "an element carries more than " + std::to_string(sources::kMaxAttributes) +
             " attributes, the plug-in's limit";
    case Limit::kNamespaces:
      return "more than " + std::to_string(sources::kMaxNamespaces) +
             " namespaces are in scope at once, the plug-in's limit";
    case Limit::kSubset:
      return "its DOCTYPE's internal subset is longer than " +
             std::to_string(sources::kMaxSubsetBytes >> 10) + " KiB (" +
             std::to_string(sources::kMaxSubsetBytes) + " bytes), the plug-in's limit";
    case Limit::kTextRun:
      return "a run of text is longer than " + std::to_string(sources::kMaxTextRun) +
             " bytes, the plug-in's limit";
    case Limit::kHandlerFull:
    case Limit::kNone:
      break;
  }
  return {};
}

// What the plug-in's stream makes of the file; empty when it reads it whole.
Refusal why_stream_refused(const std::string& path) {
  NothingWanted nothing;
  const sources::StreamResult read = sources::read_file(path.c_str(), nothing);
  switch (read.outcome) {
    case Outcome::kRead:
      return {};
    case Outcome::kUnreadable:
      return {file_refused(sources::file_fault(path.c_str()))};
    case Outcome::kMalformed:
      return {not_well_formed(read.error), read.error.domain == XML_FROM_IO ? 0 : read.error.line};
    case Outcome::kOverLimit:
      return {over(read.limit)};
    case Outcome::kDeclaresExpansions:
      return {"its DTD declares an entity or an attribute default, which the plug-in refuses"};
  }
  return {};
}

}  // namespace

std::string file_refused(sources::FileFault fault) {
  return fault == sources::FileFault::kNotRegularFile ? "not a regular file" : cannot_open(errno);
}

std::string cannot_open(int error) {
  return std::string("cannot open it: ") + std::strerror(error);
}

std::string not_well_formed(const sources::FirstError& first) {
  if (!first.seen) return "not well-formed XML";
  if (first.domain == XML_FROM_IO) return "cannot read it: " + first.message;
  if (first.truncated)
    return "truncated: the document ends at line " + std::to_string(first.line) +
           " before its root element closes";
  return "not well-formed XML at line " + std::to_string(first.line) + ": " + first.message;
}

Refusal why_unreadable(const std::string& path) {
  // In the plug-in's order: readable and a regular file, read whole and
  // within its limits, then a file name it can take a station from.
  const sources::FileFault fault = sources::file_fault(path.c_str());
  if (fault != sources::FileFault::kNone) return {file_refused(fault)};
  Refusal refusal = why_stream_refused(path);
  if (!refusal.why.empty()) return refusal;
  if (!brelund::entry::names_station(path.c_str()))
    return {
        "its name has no \".\", and the plug-in takes the station from a name like "
        "STATION.xml"};
  // Read whole and named well: only what the read would build is left.
  return {"it holds more station data than the plug-in builds from one file (" +
          std::to_string(brelund::readers::kMaxBuiltBytes >> 20) + " MiB), or memory ran out"};
}

}  // namespace inspector
