// SPDX-License-Identifier: MIT
// Painting a scene with cairo and pango into an SVG, PNG or PDF file.
#pragma once

#include <string>

#include "scene.hpp"

namespace inspector::plot {

// The picture file a run writes: a temporary file beside the target, made
// when the run starts (so an unwritable place stops it before anything is
// read) and renamed over the target only when the picture is complete.
// Whatever stops earlier leaves no file behind.
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

 private:
  enum class Format { kSvg, kPng, kPdf };
  std::string target_, temporary_;
  Format format_ = Format::kPng;
  int fd_ = -1;
};

}  // namespace inspector::plot
