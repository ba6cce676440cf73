// SPDX-License-Identifier: MIT
#include "check/reading.hpp"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <string_view>

#include "check/families.hpp"
#include "check/narration.hpp"
#include "host/stdio_file.hpp"
#include "host_release.hpp"
#include "readers/forecast_reader.hpp"
#include "records/station_data.hpp"
#include "sources/file_stream.hpp"

namespace inspector::check {
namespace {

// libxml2 counts lines at line feeds only: in a document whose lines end in
// a bare carriage return, every element stands on line 1. XML reads either
// end of line as a line feed, so a copy with bare carriage returns made
// line feeds is the same document with the lines an editor shows. Only
// plain text in an ASCII-based encoding is copied: a compressed file or one
// in UTF-16 is read as it is.
class LineTrueCopy {
 public:
  explicit LineTrueCopy(const std::string& path) : path_(path) { copy_if_needed(); }
  LineTrueCopy(const LineTrueCopy&) = delete;
  LineTrueCopy& operator=(const LineTrueCopy&) = delete;
  ~LineTrueCopy() {
    if (fd_ >= 0) close(fd_);
  }
  const std::string& path() const { return path_; }

 private:
  static bool plain(std::string_view head) {
    if (head.size() >= 2 &&
        (head[0] == '\x1f' || head[0] == '\xfd' || head[0] == '\xfe' || head[0] == '\xff'))
      return false;  // gzip, xz, a UTF-16 byte-order mark
    return head.find('\0') == std::string_view::npos;
  }

  void copy_if_needed();
  bool convert(std::FILE* in);

  std::string path_;
  int fd_ = -1;
};

// Scans for a carriage return not followed by a line feed, then copies.
void LineTrueCopy::copy_if_needed() {
  const StdioFile file(std::fopen(path_.c_str(), "rb"));
  std::FILE* in = file.get();
  if (in == nullptr) return;
  char block[65536];
  bool first = true, bare = false, after_cr = false;
  for (std::size_t n; !bare && (n = std::fread(block, 1, sizeof block, in)) > 0; first = false) {
    if (first && !plain({block, n})) break;
    for (std::size_t i = 0; i < n && !bare; ++i) {
      bare = after_cr && block[i] != '\n';
      after_cr = block[i] == '\r';
    }
  }
  bare = bare || after_cr;
  if (bare && std::fseek(in, 0, SEEK_SET) == 0 && convert(in))
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

bool LineTrueCopy::convert(std::FILE* in) {
  fd_ = memfd_create("brelund-check-lines", MFD_CLOEXEC);
  if (fd_ < 0) return false;
  std::string out;
  char block[65536];
  bool after_cr = false;
  for (std::size_t n; (n = std::fread(block, 1, sizeof block, in)) > 0;) {
    out.clear();
    for (std::size_t i = 0; i < n; ++i) {
      if (after_cr) out += block[i] == '\n' ? '\r' : '\n';
      after_cr = block[i] == '\r';
      if (!after_cr) out += block[i];
    }
    if (write(fd_, out.data(), out.size()) != static_cast<ssize_t>(out.size())) return false;
  }
  if (after_cr && write(fd_, "\n", 1) != 1) return false;
  return true;
}

// Why a forecast stored no day, from the finding that says so.
std::string why_no_days(const std::vector<Finding>& findings) {
  for (const Finding& finding : findings) {
    if (finding.code == Code::kHourByHour)
      return "an hour-by-hour forecast: its time elements have no period";
    if (finding.code == Code::kEmptyForecast) return "its forecast holds no time element";
    if (finding.code == Code::kDroppedDay) return "no day record reached its period 3";
  }
  return {};
}

}  // namespace

void StationRelease::operator()(GHashTable* table) const noexcept {
  host::release_station_data(table, brelund::records::free_value);
}

NarratedReading read_with_narrator(const std::string& path) {
  std::vector<std::unique_ptr<Family>> families = every_family();
  Narration narration(families);
  brelund::readers::ForecastReader reader(brelund::readers::kFileLimits, &narration);
  const LineTrueCopy copy(path);
  NarratedReading reading;
  const auto result = brelund::sources::read_file(copy.path().c_str(), reader);
  reading.read = result.outcome == brelund::sources::Outcome::kRead && !reader.error_document();
  if (!reading.read) return reading;
  const Ending& ending = narration.finish();
  for (auto& family : families) family->findings(ending, reading.findings);
  reading.stored.reset(g_hash_table_new(g_str_hash, g_str_equal));
  reader.update().store_in(reading.stored.get());
  if (ending.days == 0) reading.why_no_days = why_no_days(reading.findings);
  return reading;
}

}  // namespace inspector::check
