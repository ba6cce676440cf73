// SPDX-License-Identifier: MIT
// Attribute and text reads give exactly what xmlGetProp and xmlNodeGetContent
// give, whether the text is read in place or assembled by libxml2.
#include "sources/tree_text.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents.hpp"
#include "holders.hpp"

namespace brelund::testing {
namespace {

std::string shown(const char* text) { return text == nullptr ? "<null>" : text; }

std::string libxml2_prop(const xmlNode* node, const char* name) {
  const XmlPtr<xmlChar> value(xmlGetProp(node, reinterpret_cast<const xmlChar*>(name)));
  return shown(reinterpret_cast<const char*>(value.get()));
}

std::string libxml2_content(const xmlNode* node) {
  const XmlPtr<xmlChar> value(xmlNodeGetContent(node));
  return shown(reinterpret_cast<const char*>(value.get()));
}

void all_elements(xmlNode* node, std::vector<xmlNode*>& out) {
  for (xmlNode* child = node; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE) out.push_back(child);
    all_elements(child->children, out);
  }
}

TEST(XmlReads, MatchLibxml2OnEveryElementAndAttribute) {
  // Entity references, CDATA, comments, namespaces, DTD defaults, empty
  // values: the shapes where reading in place and copying could differ.
  const Doc doc = parse(R"(<?xml version="1.0"?>
<!DOCTYPE w [
  <!ENTITY deg "degrees">
  <!ATTLIST time period CDATA "2">
  <!ATTLIST pressure unit CDATA #FIXED "hPa">
]>
<w xmlns:x="urn:x">
  <time from="a" to="b&amp;c" period="0"><sunr>06:52</sunr></time>
  <time to="&deg;" x:period="1"/>
  <time period="" to="  spaced  "><suns></suns><sunr><![CDATA[<6:52>]]></sunr></time>
  <pressure value="1012"/>
  <pressure unit="mb" value="x&#10;y"/>
  <t>Light <b>Snow</b></t>
  <t>a<!-- note -->b</t>
  <t>&deg; north</t>
  <t><?pi data?>text</t>
  <t>&deg;</t>
  <t><![CDATA[one]]><![CDATA[two]]></t>
  <t>&lt;escaped&gt;</t>
</w>)");
  ASSERT_NE(doc, nullptr);
  std::vector<xmlNode*> elements;
  all_elements(root_of(doc), elements);
  ASSERT_EQ(elements.size(), 17u);
  int compared = 0;
  for (const xmlNode* element : elements) {
    for (const char* name : {"from", "to", "period", "unit", "value", "missing"}) {
      EXPECT_EQ(shown(sources::tree::attribute(element, name).get()), libxml2_prop(element, name))
          << reinterpret_cast<const char*>(element->name) << " @" << name;
      ++compared;
    }
    EXPECT_EQ(shown(sources::tree::text(element).get()), libxml2_content(element))
        << reinterpret_cast<const char*>(element->name);
  }
  EXPECT_EQ(compared, 102);
  // Spot checks that the comparison saw the interesting cases.
  EXPECT_EQ(libxml2_prop(elements[3], "period"), "1");  // namespaced, found by local name
  EXPECT_EQ(libxml2_prop(elements[4], "period"), "");
  EXPECT_EQ(libxml2_prop(elements[7], "unit"), "hPa");  // from the DTD
  EXPECT_EQ(libxml2_content(elements[9]), "Light Snow");
}

TEST(XmlReads, ValuesMoveWithoutLosingOrDoublingTheirText) {
  const Doc doc = parse(R"(<w a="in place"><t>x<!-- -->y</t></w>)");
  sources::Value borrowed = sources::tree::attribute(root_of(doc), "a");
  sources::Value owned = sources::tree::text(root_of(doc));  // assembled by libxml2: a copy
  sources::Value moved = std::move(owned);
  EXPECT_STREQ(moved.get(), "xy");
  EXPECT_FALSE(owned);  // NOLINT(bugprone-use-after-move): the moved-from state is checked
  moved = std::move(borrowed);
  EXPECT_STREQ(moved.get(), "in place");
  EXPECT_FALSE(borrowed);  // NOLINT(bugprone-use-after-move)
  // A copy short enough to live inside the string object moves too.
  sources::Value copied = sources::Value::copied("short");
  moved = std::move(copied);
  EXPECT_STREQ(moved.get(), "short");
  EXPECT_FALSE(copied);  // NOLINT(bugprone-use-after-move)
}

}  // namespace
}  // namespace brelund::testing
