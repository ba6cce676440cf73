// SPDX-License-Identifier: MIT
#include "host/station_data.hpp"

#include "host_release.hpp"

namespace inspector {

StationData::StationData(const Plugin& plugin)
    : plugin_(plugin), table_(g_hash_table_new(g_str_hash, g_str_equal)) {}

StationData::~StationData() { host::release_station_data(table_, plugin_.free_fields); }

}  // namespace inspector
