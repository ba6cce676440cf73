// SPDX-License-Identifier: MIT
// Tools for the hostile-input tests: a loopback listener that tells whether
// anything connected to it, libxml2's process-wide defaults switched on for a
// scope, and files written compressed.
#pragma once

#include <cstddef>
#include <string>

namespace brelund::testing {

// A TCP listener on 127.0.0.1 with an ephemeral port; it never answers.
class LoopbackListener {
 public:
  LoopbackListener();
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;
  ~LoopbackListener();

  // "http://127.0.0.1:<port>/<name>"
  std::string url(const std::string& name) const;
  // True when a connection is waiting (or was accepted) since creation.
  bool connected();

 private:
  int fd_ = -1;
  int port_ = 0;
  bool connected_ = false;
};

// Switches on every libxml2 default that makes a parse substitute entities,
// load or validate against a DTD, drop blank text or complain pedantically;
// restores the previous defaults when it goes.
class PermissiveDefaults {
 public:
  PermissiveDefaults();
  PermissiveDefaults(const PermissiveDefaults&) = delete;
  PermissiveDefaults& operator=(const PermissiveDefaults&) = delete;
  ~PermissiveDefaults();

 private:
  // Indenting first: switching blanks off switches it on.
  int indent_, substitute_, load_dtd_, validate_, pedantic_, keep_blanks_;
};

// The current values of the defaults above, for comparing before and after.
std::string libxml2_defaults();

// Writes `head`, then `filler` repeated `count` times, then `tail`, gzip-compressed.
void write_gzip(const std::string& path, const std::string& head, const std::string& filler,
                std::size_t count, const std::string& tail);

// `text` repeated until it is exactly `size` bytes long.
std::string padded(const std::string& text, std::size_t size);

}  // namespace brelund::testing
