// SPDX-License-Identifier: MIT
// Names and values as a source reads them: a name's comparison with a plain
// one, and the text of an attribute or element as a reader receives it.
#pragma once

#include <libxml/xmlstring.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "holders.hpp"

namespace brelund::sources {

// Equality of a libxml2 name with a plain name, inlined: names are compared
// often and most differ at the first byte.
inline bool same_name(const xmlChar* name, const char* wanted) noexcept {
  if (name == nullptr) return false;
  const auto* w = reinterpret_cast<const xmlChar*>(wanted);
  for (; *name == *w; ++name, ++w)
    if (*name == '\0') return true;
  return false;
}

// An attribute value or element text: NUL-terminated text exactly as
// xmlGetProp or xmlNodeGetContent reads it from the tree, or null when the
// attribute is absent. It may point into the document or the parser's
// buffers: valid only while the handler call that received it runs.
class Value {
 public:
  Value() noexcept = default;
  static Value borrowed(const char* text) noexcept {
    Value value;
    value.kind_ = Kind::kBorrowed;
    value.text_ = text;
    return value;
  }
  static Value copied(std::string_view text) {
    Value value;
    if (text.size() < kSmall) {
      value.kind_ = Kind::kSmall;
      std::memcpy(value.small_, text.data(), text.size());
      value.small_[text.size()] = '\0';
      return value;
    }
    value.kind_ = Kind::kCopied;
    value.copy_.assign(text);
    return value;
  }
  // libxml2's own copy (xmlGetProp, xmlNodeGetContent), freed here.
  static Value adopted(xmlChar* text) noexcept {
    Value value;
    if (text == nullptr) return value;
    value.kind_ = Kind::kAdopted;
    value.adopted_.reset(text);
    value.text_ = reinterpret_cast<const char*>(text);
    return value;
  }

  Value(Value&& other) noexcept { *this = std::move(other); }
  Value& operator=(Value&& other) noexcept {
    kind_ = std::exchange(other.kind_, Kind::kAbsent);
    text_ = std::exchange(other.text_, nullptr);
    if (kind_ == Kind::kSmall) std::memcpy(small_, other.small_, kSmall);
    copy_ = std::move(other.copy_);
    adopted_ = std::move(other.adopted_);
    return *this;
  }
  Value(const Value&) = delete;
  Value& operator=(const Value&) = delete;
  ~Value() = default;

  const char* get() const noexcept {
    if (kind_ == Kind::kSmall) return small_;
    return kind_ == Kind::kCopied ? copy_.c_str() : text_;
  }
  explicit operator bool() const noexcept { return kind_ != Kind::kAbsent; }

 private:
  enum class Kind : unsigned char { kAbsent, kBorrowed, kSmall, kCopied, kAdopted };
  // Most values are a few bytes ("3", "2021-03-07T00:30:00"): kept inline.
  static constexpr std::size_t kSmall = 40;

  Kind kind_ = Kind::kAbsent;
  const char* text_ = nullptr;
  char small_[kSmall];
  std::string copy_;
  XmlPtr<xmlChar> adopted_;
};

}  // namespace brelund::sources
