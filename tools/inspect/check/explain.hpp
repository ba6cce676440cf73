// SPDX-License-Identifier: MIT
// brelund-inspect --explain CODE: a code's section of docs/checks.md, which
// the program carries as it was when it was built.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace inspector::check {

// From the section's heading ("## `code`") to the next heading; nothing
// for a name that is no code.
std::optional<std::string> explanation(std::string_view code);

}  // namespace inspector::check
