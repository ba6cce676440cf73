// SPDX-License-Identifier: MIT
#include "check/families.hpp"

namespace inspector::check {

std::vector<std::unique_ptr<Family>> every_family() {
  std::vector<std::unique_ptr<Family>> families;
  families.push_back(document_family());
  families.push_back(day_family());
  families.push_back(value_family());
  families.push_back(unit_family());
  families.push_back(lookup_family());
  return families;
}

}  // namespace inspector::check
