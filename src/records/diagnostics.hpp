// SPDX-License-Identifier: MIT
// The one diagnostic the plug-in writes: "Not found <code>" on standard
// error, for a code the tables do not translate. A reader's lines are held
// until its document is known to be whole and well-formed, so that a file
// found broken near its end prints nothing, as if it had never been read.
#pragma once

#include <cstddef>
#include <string>

namespace brelund::records {

// What each line says before the code.
inline constexpr char kNotFound[] = "Not found ";

class Diagnostics {
 public:
  // Writes the line for `code` at once.
  static void report(const char* code) noexcept;

  // Holds the line for `code` until write().
  void hold(const char* code);
  void write() const noexcept;
  // Heap bytes the held lines take.
  std::size_t bytes() const noexcept { return lines_.capacity(); }

 private:
  std::string lines_;
};

}  // namespace brelund::records
