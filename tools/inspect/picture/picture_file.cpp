// SPDX-License-Identifier: MIT
#include "picture/picture_file.hpp"

#include <glib.h>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "holders.hpp"
#include "picture/render.hpp"

namespace inspector::plot {
namespace {

std::string lower_extension(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string extension = path.substr(dot);
  for (char& c : extension) c = g_ascii_tolower(c);
  return extension;
}

bool format_of(const std::string& path, PictureFile::Format& format, std::string& why) {
  const std::string extension = lower_extension(path);
  if (extension == ".svg")
    format = PictureFile::Format::kSvg;
  else if (extension == ".png")
    format = PictureFile::Format::kPng;
  else if (extension == ".pdf")
    format = PictureFile::Format::kPdf;
  else
    why = "unknown picture format \"" + extension + "\" (name it .svg, .png or .pdf)";
  return why.empty();
}

// ".NAME.XXXXXX" beside NAME, for mkstemp.
std::string temporary_beside(const std::string& path) {
  const brelund::GPtr<gchar> directory(g_path_get_dirname(path.c_str()));
  const brelund::GPtr<gchar> base(g_path_get_basename(path.c_str()));
  return std::string(directory.get()) + "/." + base.get() + ".XXXXXX";
}

}  // namespace

PictureFile::~PictureFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temporary_.empty()) g_unlink(temporary_.c_str());
}

bool PictureFile::open(const std::string& path, std::string& why) {
  if (!format_of(path, format_, why)) return false;
  target_ = path;
  std::string pattern = temporary_beside(path);
  fd_ = g_mkstemp(pattern.data());
  if (fd_ < 0) {
    why = std::string("cannot create a file beside it: ") + std::strerror(errno);
    return false;
  }
  temporary_ = pattern;
  // mkstemp makes the file private; a picture gets the usual permissions.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd_, 0666 & ~mask);
  return true;
}

bool PictureFile::write(const Scene& scene, std::string& why) {
  std::FILE* out = fdopen(fd_, "wb");
  if (out == nullptr) {
    why = std::strerror(errno);
    return false;
  }
  fd_ = -1;  // the stream owns it now
  const cairo_status_t status = render(scene, format_, out);
  const bool flushed = std::fflush(out) == 0 && fsync(fileno(out)) == 0;
  const int flush_error = errno;
  const bool closed = std::fclose(out) == 0;
  if (status != CAIRO_STATUS_SUCCESS)
    why = cairo_status_to_string(status);
  else if (!flushed || !closed)
    why = std::strerror(flushed ? errno : flush_error);
  else if (g_rename(temporary_.c_str(), target_.c_str()) != 0)
    why = std::strerror(errno);
  else
    temporary_.clear();
  return why.empty();
}

}  // namespace inspector::plot
