// SPDX-License-Identifier: MIT
// Drafted records hold the last value given to each field, copied once, and
// are laid out as storing value by value lays them out.
#include "records/record_draft.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host_table.hpp"

namespace brelund::testing {
namespace {

constexpr std::array<const char*, 4> kKeys = {"a", "b", "c", "d"};

std::vector<std::string> layout(GHashTable* record) {
  std::vector<std::string> keys;
  g_hash_table_foreach(
      record,
      [](gpointer key, gpointer, gpointer data) {
        static_cast<std::vector<std::string>*>(data)->push_back(static_cast<const char*>(key));
      },
      &keys);
  return keys;
}

TEST(RecordDraft, LastValuesWinInFirstStoreOrder) {
  records::RecordDraft<4> draft(kKeys);
  char buffer[16] = "temp";
  draft.set_copy(2, buffer);
  draft.set_copy(0, "in place");
  draft.set_copy(3, static_cast<const char*>(nullptr));  // present, null
  draft.set_static(2, "static");
  std::strcpy(buffer, "xy");
  draft.set_copy(0, std::string_view(buffer));
  buffer[0] = 'X';  // copied when set
  EXPECT_TRUE(draft.holds_value(0));
  EXPECT_FALSE(draft.holds_value(1));
  EXPECT_FALSE(draft.holds_value(3));
  records::Record record = draft.build();

  // The same stores made one by one.
  records::Record expected = records::make_record();
  records::store(expected.get(), "c", "temp");
  records::store(expected.get(), "a", "in place");
  records::store(expected.get(), "d", nullptr);
  records::store(expected.get(), "c", "static");
  records::store(expected.get(), "a", "xy");
  EXPECT_EQ(layout(record.get()), layout(expected.get()));
  EXPECT_EQ(g_hash_table_size(record.get()), 3u);
  EXPECT_EQ(field(record.get(), "a"), "xy");
  EXPECT_EQ(field(record.get(), "b"), "<absent>");
  EXPECT_EQ(field(record.get(), "c"), "static");
  EXPECT_EQ(field(record.get(), "d"), "<null>");

  // Built drafts start empty; cleared ones drop what they held.
  EXPECT_FALSE(draft.holds_value(0));
  draft.set_copy(1, "dropped");
  draft.clear();
  draft.set_static(3, "only");
  records::Record next = draft.build();
  EXPECT_EQ(layout(next.get()), std::vector<std::string>{"d"});
}

}  // namespace
}  // namespace brelund::testing
