// SPDX-License-Identifier: MIT
#include "records/diagnostics.hpp"

#include <cstdio>

namespace brelund::records {

void Diagnostics::report(const char* code) noexcept {
  std::fprintf(stderr, "%s%s\n", kNotFound, code);
}

void Diagnostics::hold(const char* code) { ((lines_ += kNotFound) += code) += '\n'; }

// Standard error is unbuffered: one write for all the lines, with the bytes
// that writing them one by one would give.
void Diagnostics::write() const noexcept {
  if (!lines_.empty()) std::fwrite(lines_.data(), 1, lines_.size(), stderr);
}

}  // namespace brelund::records
