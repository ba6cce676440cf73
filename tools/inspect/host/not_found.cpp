// SPDX-License-Identifier: MIT
#include "host/not_found.hpp"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string_view>

#include "records/diagnostics.hpp"

namespace inspector {
namespace {

constexpr std::string_view kPrefix = brelund::records::kNotFound;

void count_line(std::string_view line, NotFound& found) {
  if (line.substr(0, kPrefix.size()) != kPrefix) return;
  ++found.lines;
  const std::string code(line.substr(kPrefix.size()));
  const auto at = found.by_code.find(code);
  if (at != found.by_code.end())
    ++at->second;
  else if (found.by_code.size() < NotFound::kMost)
    found.by_code.emplace(code, 1);
  else
    ++found.others;
}

// Reads back what was caught, a block at a time: a hostile document can make
// the plug-in write tens of megabytes of lines.
void read_back(int fd, bool pass_on, NotFound& found) {
  lseek(fd, 0, SEEK_SET);
  std::string pending;
  char block[65536];
  for (ssize_t n; (n = read(fd, block, sizeof block)) > 0;) {
    if (pass_on) std::fwrite(block, 1, static_cast<std::size_t>(n), stderr);
    pending.append(block, static_cast<std::size_t>(n));
    std::size_t start = 0;
    for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos; start = end + 1)
      count_line(std::string_view(pending).substr(start, end - start), found);
    pending.erase(0, start);
  }
  if (!pending.empty()) count_line(pending, found);
}

}  // namespace

int catching_not_found(const std::function<int()>& call, bool pass_on, NotFound& found) {
  // An anonymous file in memory: the caught lines go nowhere on disk.
  const int caught = memfd_create("brelund-inspect-stderr", MFD_CLOEXEC);
  std::fflush(stderr);
  const int saved = caught >= 0 ? dup(STDERR_FILENO) : -1;
  if (saved < 0 || dup2(caught, STDERR_FILENO) < 0) {
    if (saved >= 0) close(saved);
    if (caught >= 0) close(caught);
    return call();  // not caught: the lines reach standard error as they are
  }
  const int result = call();
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  read_back(caught, pass_on, found);
  close(caught);
  return result;
}

}  // namespace inspector
