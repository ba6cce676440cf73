// SPDX-License-Identifier: MIT
// The forecast document, read element by element from either source: the
// root's `location` becomes the location record, its `forecast` elements go
// through the day assembly. What it builds waits in a StationUpdate until
// the caller knows the document was whole.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "readers/day_assembly.hpp"
#include "readers/narrator.hpp"
#include "records/station_update.hpp"
#include "sources/element.hpp"

namespace brelund::readers {

// What one read of a forecast file may build: every day record, the diagnostic lines and the
// day being read, estimated as heap bytes. A forecast's records take about
// half its size (a 10,000-day forecast of 23.5 MB builds 13 MB), and no more
// than 64 MiB of XML is read; but a document of empty periods builds a
// record from every 36 bytes, and one value can be stored twice.
inline constexpr std::size_t kMaxBuiltBytes = std::size_t{32} << 20;

class ForecastReader final : public sources::ElementHandler {
 public:
  struct Limits {
    // Heap bytes the read may build and hold (records, diagnostic lines,
    // the day being read); past them the reader is full.
    std::size_t built_bytes = std::numeric_limits<std::size_t>::max();
    // An error document (root name containing "err") is not read at all.
    bool skip_error_documents = false;
  };

  ForecastReader() noexcept : ForecastReader(Limits{}) {}
  // Each decision is told to `narrator`, when there is one.
  explicit ForecastReader(Limits limits, Narrator* narrator = nullptr) noexcept
      : limits_(limits), narrator_(narrator), days_(update_, narrator) {}

  sources::Want start(const sources::Element& element) override;
  void text(std::string_view text) override;
  void end() override;
  bool full() const noexcept override;

  // The root's name contains "err": the service's error document.
  bool error_document() const noexcept { return error_document_; }
  records::StationUpdate& update() noexcept { return update_; }

 private:
  // Where an element stands; only the elements the reader looks into, and
  // their children, are ever shown to it.
  enum class Scope : std::uint8_t { kRoot, kLocation, kForecast, kTabular, kTime, kText, kOther };

  sources::Want enter(Scope scope, sources::Want want) noexcept;
  sources::Want start_in(Scope parent, const sources::Element& element);
  [[gnu::cold]] sources::Want start_root(const sources::Element& element);

  static constexpr std::size_t kDepth = 5;  // root, forecast, tabular, time, value
  Limits limits_;
  Narrator* narrator_;
  records::StationUpdate update_;
  DayAssembly days_;
  std::array<Scope, kDepth> scopes_{};
  std::size_t depth_ = 0;
  bool error_document_ = false;
};

// How the plug-in reads a forecast file: within kMaxBuiltBytes, an error
// document not read at all.
inline constexpr ForecastReader::Limits kFileLimits{kMaxBuiltBytes, true};

}  // namespace brelund::readers
