// SPDX-License-Identifier: MIT
// The hour records carry the hour of day only. Their dates come from the
// detail record's last update, where it names a date the way the service
// writes it ("12/8/26 4:10 AM CET", or "2026-12-08 04:10").
#pragma once

#include <glib.h>

#include <optional>
#include <string>

namespace inspector::plot {

// The date of the first hour record: the update's date, or the next day
// when the first hour comes earlier in the day than the update. Nothing
// when the update names no date.
std::optional<GDate> first_hour_date(const char* last_update, int first_hour);

// "Dec 09", as the plug-in writes a day's date (in the POSIX locale).
std::string date_shown(const GDate& date);

}  // namespace inspector::plot
