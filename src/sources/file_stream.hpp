// SPDX-License-Identifier: MIT
// The forecast file, read in one pass and shown to a reader element by
// element as libxml2 parses it; no document tree is built. Whatever the file
// holds and whatever libxml2's process-wide defaults say, the parse reads
// that one file and nothing else, opens no connection, accepts no entity or
// attribute-default declaration and stays silent; libxml2's defaults are
// left as they were. The handler sees what the host tree walk would show it
// for the tree libxml2's default parse builds of the same file.
#pragma once

#include <cstddef>

#include "sources/element.hpp"
#include "sources/first_error.hpp"

namespace brelund::sources {

// Largest document read, counted after decompression (libxml2 reads gzip and
// xz files transparently). Real forecasts are tens of kilobytes.
inline constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

// Most attributes on one element, and most namespaces in scope at once.
// libxml2 checks attributes for duplicates and appends them to the element in
// time quadratic in their number: 200,000 on one element take minutes.
inline constexpr int kMaxAttributes = 256;
inline constexpr int kMaxNamespaces = 256;

// Longest internal DTD subset, counted from its "[" to the ">" that ends the
// DOCTYPE. libxml2 builds a declaration's content model before anyone can
// look at it (20 MB of "(b,b,...)" take 640 MB) and handles many attribute
// declarations in quadratic time; the service sends no DTD at all.
inline constexpr std::size_t kMaxSubsetBytes = std::size_t{64} << 10;

// Longest run of adjacent text (or of adjacent CDATA). libxml2's tree
// builder stops a document at a text node this long (XML_MAX_TEXT_LENGTH)
// and may still call it well-formed; a stream that kept reading would see a
// different document than the tree does, so such a file is refused.
inline constexpr std::size_t kMaxTextRun = 10'000'000;

// Why a file cannot be read at all, before any parse.
enum class FileFault {
  kNone,
  kUnreadable,      // access(R_OK) or stat failed: errno says why
  kNotRegularFile,  // a FIFO would block the reader on open; a device could be endless
};

// Readable (access(R_OK)), then a regular file (stat, which follows
// links). read_file() refuses a file with a fault as kUnreadable, unparsed
// (the plug-in's -1 for it), and the inspector names the fault. Null is
// kUnreadable (EINVAL).
FileFault file_fault(const char* path) noexcept;

enum class Outcome {
  kRead,                // well-formed, and the handler saw all of it
  kUnreadable,          // a FileFault, or it cannot be opened
  kMalformed,           // not well-formed XML (or an error while reading it)
  kOverLimit,           // past one of the limits above, or the handler is full
  kDeclaresExpansions,  // its DTD declares an entity or an attribute default
};

// Which limit ended a read that came to kOverLimit.
enum class Limit {
  kNone,
  kSize,         // kMaxBytes
  kAttributes,   // kMaxAttributes
  kNamespaces,   // kMaxNamespaces
  kSubset,       // kMaxSubsetBytes
  kTextRun,      // kMaxTextRun
  kHandlerFull,  // the handler is full, or ran out of memory
};

struct StreamResult {
  Outcome outcome = Outcome::kUnreadable;
  Limit limit = Limit::kNone;
  // libxml2 ended its parse with a document: its global state then wants
  // cleaning up, as after any parse that yields one.
  bool parsed = false;
  // For kMalformed only: libxml2's first error, which nothing printed.
  FirstError error;
};

// Shows the file's elements to `handler` while it is parsed. Whatever the
// outcome, the handler may have seen part of the file: only kRead says that
// it saw a whole, well-formed document.
StreamResult read_file(const char* path, ElementHandler& handler) noexcept;

}  // namespace brelund::sources
