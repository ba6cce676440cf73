// SPDX-License-Identifier: MIT
// Tests that change the environment's locale: what they change is put back.
#pragma once

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

namespace brelund::testing {

// True when the C library can load `name` for LC_TIME.
inline bool locale_installed(const char* name) {
  const locale_t probe = newlocale(LC_TIME_MASK, name, nullptr);
  if (probe == nullptr) return false;
  freelocale(probe);
  return true;
}

// Saves LC_ALL in the environment and the process's LC_TIME; restores both
// when destroyed.
class LocaleEnvironment {
 public:
  LocaleEnvironment() : time_(std::setlocale(LC_TIME, nullptr)) {
    if (const char* all = std::getenv("LC_ALL")) all_ = all;
  }
  LocaleEnvironment(const LocaleEnvironment&) = delete;
  LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;
  ~LocaleEnvironment() {
    if (all_)
      setenv("LC_ALL", all_->c_str(), 1);
    else
      unsetenv("LC_ALL");
    std::setlocale(LC_TIME, time_.c_str());
  }

 private:
  std::optional<std::string> all_;
  std::string time_;
};

}  // namespace brelund::testing
