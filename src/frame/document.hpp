// Reads the forecast file into a libxml2 document, safely. Whatever the file
// holds and whatever libxml2's process-wide defaults say, the parse reads that
// one file and nothing else, opens no connection, accepts no entity or
// attribute-default declaration, stays silent, and builds a bounded tree;
// libxml2's defaults are left as they were.
#pragma once

#include <cstddef>

#include "xml.hpp"

namespace brelund::document {

// Largest document read, counted after decompression (libxml2 reads gzip and
// xz files transparently). Real forecasts are tens of kilobytes.
inline constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

// Largest tree built, estimated from libxml2's node sizes and the text the
// nodes hold. Bytes alone do not bound it: "<a/>" is 4 bytes of XML but a
// node of 120, and a namespace defaulted in the DTD is copied into every
// element that names it. A forecast's tree is about 15 times its text: a
// 10,000-day forecast (23.5 MB) needs about 350 MiB and is read.
inline constexpr std::size_t kMaxTreeBytes = std::size_t{512} << 20;

// Most attributes on one element, and most namespaces in scope at once.
// libxml2 checks attributes for duplicates and appends them to the element in
// time quadratic in their number: 200,000 on one element take minutes.
inline constexpr int kMaxAttributes = 256;
inline constexpr int kMaxNamespaces = 256;

// Largest DOCTYPE with its internal subset. libxml2 builds a declaration's
// content model before anyone can look at it (20 MB of "(b,b,...)" take
// 640 MB) and handles many attribute declarations in quadratic time; the
// service sends no DTD at all.
inline constexpr std::size_t kMaxSubsetBytes = std::size_t{64} << 10;

enum class Outcome {
  kRead,                // the document is handed back
  kUnreadable,          // not a regular file, or it cannot be opened
  kMalformed,           // not well-formed XML (or an error while reading it)
  kOverLimit,           // past one of the limits above
  kDeclaresExpansions,  // its DTD declares an entity or an attribute default
};

struct Result {
  xml::Document doc;  // set only for kRead
  Outcome outcome = Outcome::kUnreadable;
  // libxml2 built a document (possibly refused afterwards): its global state
  // then wants cleaning up.
  bool built = false;
};

Result read_file(const char* path) noexcept;

}  // namespace brelund::document
