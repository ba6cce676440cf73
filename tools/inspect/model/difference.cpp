// SPDX-License-Identifier: MIT
#include "model/difference.hpp"

#include "holders.hpp"
#include "tarnvale-brelund-source.h"

namespace inspector {
namespace {

std::string shown_value(GHashTable* record, const char* key) {
  gpointer value = nullptr;
  if (record == nullptr || !g_hash_table_lookup_extended(record, key, nullptr, &value))
    return "absent";
  if (value == nullptr) return "null";
  std::string quoted(1, '"');  // appended, not prefixed: g++ 12 warns falsely of the latter
  return (quoted += static_cast<const char*>(value)) += '"';
}

int by_name(gconstpointer a, gconstpointer b) {
  return g_strcmp0(static_cast<const char*>(a), static_cast<const char*>(b));
}

// The keys of `one` missing from or different in `other`, then the other way.
std::optional<Difference> record_difference(const std::string& where, GHashTable* one,
                                            GHashTable* other) {
  for (GHashTable* keys_of : {one, other}) {
    if (keys_of == nullptr) continue;
    const brelund::GPtr<GList> keys(g_list_sort(g_hash_table_get_keys(keys_of), by_name));
    for (GList* k = keys.get(); k != nullptr; k = k->next) {
      const auto* key = static_cast<const char*>(k->data);
      std::string a = shown_value(one, key), b = shown_value(other, key);
      if (a != b) return Difference{where + "." + key, std::move(a), std::move(b)};
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<Difference> first_difference(const Stored& one, const Stored& other) {
  if (one.has_location != other.has_location)
    return Difference{BRELUND_KEY_LOCATION, one.has_location ? "stored" : "absent",
                      other.has_location ? "stored" : "absent"};
  if (auto d = record_difference(BRELUND_KEY_LOCATION, one.location, other.location)) return d;
  if (one.has_forecast != other.has_forecast || one.days.size() != other.days.size())
    return Difference{"forecast (days stored)",
                      one.has_forecast ? std::to_string(one.days.size()) : "absent",
                      other.has_forecast ? std::to_string(other.days.size()) : "absent"};
  for (std::size_t k = 0; k < one.days.size(); ++k)
    if (auto d =
            record_difference("forecast[" + std::to_string(k) + "]", one.days[k], other.days[k]))
      return d;
  return std::nullopt;
}

}  // namespace inspector
