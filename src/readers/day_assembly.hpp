// Day records from the service's numbered forecast periods: the state that
// carries across every `tabular` and `forecast` element of one document.
#pragma once

#include <glib.h>
#include <libxml/tree.h>

#include "frame/station_data.hpp"

namespace brelund::readers {

class DayAssembly {
 public:
  DayAssembly() noexcept;
  DayAssembly(const DayAssembly&) = delete;
  DayAssembly& operator=(const DayAssembly&) = delete;
  ~DayAssembly();

  // Runs the assembly over the `tabular` children of a `forecast` element.
  void read_forecast(const xmlNode* forecast) noexcept;

  // Day records completed so far.
  int count() const noexcept { return count_; }

  // The forecast list (null when no day was completed); the caller owns it.
  GSList* release_list() noexcept { return days_.release(); }

 private:
  station::RecordList days_;
  int count_ = 0;
};

}  // namespace brelund::readers
