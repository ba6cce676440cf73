// SPDX-License-Identifier: MIT
#include "check/explain.hpp"

#include "check/codes.hpp"

namespace inspector::check {

extern const unsigned char kChecksText[];  // docs/checks.md (checks_text.cpp, generated)

std::optional<std::string> explanation(std::string_view code) {
  if (!code_named(code)) return std::nullopt;
  const std::string_view text = reinterpret_cast<const char*>(kChecksText);
  const std::string heading = "\n## `" + std::string(code) + "`\n";
  const std::size_t start = text.find(heading);
  if (start == std::string_view::npos) return std::nullopt;
  const std::size_t end = text.find("\n## ", start + heading.size() - 1);
  return std::string(text.substr(start + 1, end == std::string_view::npos ? end : end - start));
}

}  // namespace inspector::check
