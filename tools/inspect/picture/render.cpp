// SPDX-License-Identifier: MIT
#include "picture/render.hpp"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <cmath>

#include "picture/drawing_holders.hpp"
#include "picture/painter.hpp"

namespace inspector::plot {
namespace {

cairo_status_t to_file(void* closure, const unsigned char* data, unsigned int length) {
  return std::fwrite(data, 1, length, static_cast<std::FILE*>(closure)) == length
             ? CAIRO_STATUS_SUCCESS
             : CAIRO_STATUS_WRITE_ERROR;
}

cairo_status_t to_string(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

CairoPtr<cairo_surface_t> surface_for(PictureFile::Format format, std::FILE* out, std::string& svg,
                                      double width, double height) {
  using Format = PictureFile::Format;
  const int w = static_cast<int>(std::ceil(width)), h = static_cast<int>(std::ceil(height));
  switch (format) {
    case Format::kPng:
      return CairoPtr<cairo_surface_t>(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h));
    case Format::kSvg:  // finished in memory, for the hover titles
      return CairoPtr<cairo_surface_t>(cairo_svg_surface_create_for_stream(to_string, &svg, w, h));
    case Format::kPdf:
      return CairoPtr<cairo_surface_t>(cairo_pdf_surface_create_for_stream(to_file, out, w, h));
  }
  return nullptr;
}

}  // namespace

cairo_status_t render(const Scene& scene, PictureFile::Format format, std::FILE* out) {
  std::string svg;
  CairoPtr<cairo_surface_t> surface = surface_for(format, out, svg, scene.width, scene.height);
  cairo_status_t status = cairo_surface_status(surface.get());
  if (status == CAIRO_STATUS_SUCCESS) {
    const CairoPtr<cairo_t> cr(cairo_create(surface.get()));
    paint(cr.get(), scene);
    status = cairo_status(cr.get());
  }
  if (status == CAIRO_STATUS_SUCCESS && format == PictureFile::Format::kPng)
    status = cairo_surface_write_to_png_stream(surface.get(), to_file, out);
  cairo_surface_finish(surface.get());
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface.get());
  surface.reset();
  release_font_caches();
  if (status != CAIRO_STATUS_SUCCESS || format != PictureFile::Format::kSvg) return status;
  add_hover_titles(svg, scene);
  return std::fwrite(svg.data(), 1, svg.size(), out) == svg.size() ? CAIRO_STATUS_SUCCESS
                                                                   : CAIRO_STATUS_WRITE_ERROR;
}

}  // namespace inspector::plot
