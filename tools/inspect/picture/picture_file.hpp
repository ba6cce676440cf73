// SPDX-License-Identifier: MIT
// The picture file a run writes, in the format its name's extension says.
#pragma once

#include <string>

#include "picture/scene.hpp"

namespace inspector::plot {

// A temporary file beside the target, made when the run starts (so an
// unwritable place stops it before anything is read) and renamed over the
// target only when the picture is complete. Whatever stops earlier leaves
// no file behind.
class PictureFile {
 public:
  PictureFile() = default;
  PictureFile(const PictureFile&) = delete;
  PictureFile& operator=(const PictureFile&) = delete;
  ~PictureFile();

  // Takes the format from the extension of `path` (.svg, .png, .pdf, in
  // any case) and creates the temporary file; on failure says why.
  bool open(const std::string& path, std::string& why);

  // Paints `scene` into the temporary file and renames it to the target.
  bool write(const Scene& scene, std::string& why);

  enum class Format { kSvg, kPng, kPdf };

 private:
  std::string target_, temporary_;
  Format format_ = Format::kPng;
  int fd_ = -1;
};

}  // namespace inspector::plot
