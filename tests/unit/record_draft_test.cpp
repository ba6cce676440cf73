// Drafted records hold the last value given to each field, copied once, and
// are laid out as storing value by value lays them out.
#include "frame/record_draft.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents.hpp"
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
  const Doc doc = parse(R"(<w a="in place"><t>x<!-- -->y</t></w>)");
  station::RecordDraft<4> draft(kKeys);
  char buffer[8] = "temp";
  draft.set_copy(2, buffer);
  draft.set(0, xml::attribute(root_of(doc), "a"));
  draft.set(3, xml::attribute(root_of(doc), "missing"));  // present, null
  draft.set_static(2, "static");
  draft.set(0, xml::text(root_of(doc)->children));  // libxml2's copy, held by the draft
  buffer[0] = 'X';
  EXPECT_TRUE(draft.holds_value(0));
  EXPECT_FALSE(draft.holds_value(1));
  EXPECT_FALSE(draft.holds_value(3));
  station::Record record = draft.build();

  // The same stores made one by one.
  station::Record expected = station::make_record();
  station::store(expected.get(), "c", "temp");
  station::store(expected.get(), "a", "in place");
  station::store(expected.get(), "d", nullptr);
  station::store(expected.get(), "c", "static");
  station::store(expected.get(), "a", "xy");
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
  station::Record next = draft.build();
  EXPECT_EQ(layout(next.get()), std::vector<std::string>{"d"});
}

}  // namespace
}  // namespace brelund::testing
