// SPDX-License-Identifier: MIT
// Documents the benchmarks read: forecasts shaped like the service's, at any
// number of days, and an hour-by-hour document. Generated, so the figures do
// not depend on files that drift.
#pragma once

#include <string>

namespace brelund::bench {

// A forecast of `days` days: four periods a day, every child the service
// sends, with its comments, header, credit, links and meta. 10 days is about
// 20 KB.
std::string forecast_document(int days);

// An hour-by-hour document with `hours` hours.
std::string hourly_document(int hours);

}  // namespace brelund::bench
