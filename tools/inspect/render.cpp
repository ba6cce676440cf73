// SPDX-License-Identifier: MIT
#include "render.hpp"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <pango/pangocairo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#if defined(__SANITIZE_ADDRESS__)
// LeakSanitizer: fontconfig's own leak while it parses its configuration
// (explained in tests/valgrind.supp). Its stack ends inside the library,
// without frame pointers, so only the library can be named.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_options() {
  return "print_suppressions=0";
}
#endif

namespace inspector::plot {
namespace {

// One family everywhere (scripts/setup-debian installs it), so the picture
// looks the same on every machine.
constexpr const char* kFont = "DejaVu Sans";

struct SurfaceFree {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextFree {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct LayoutFree {
  void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
struct FontFree {
  void operator()(PangoFontDescription* font) const { pango_font_description_free(font); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceFree>;
using Context = std::unique_ptr<cairo_t, ContextFree>;

void colour(cairo_t* cr, Colour c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

class Painter {
 public:
  explicit Painter(cairo_t* cr) : cr_(cr), layout_(pango_cairo_create_layout(cr)) {
    // Unhinted metrics: text takes the same room in every format.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout_.get()), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout_.get());
  }
  void paint(const Scene& scene);

 private:
  void text(const Label& label);
  void axis(const Axis& axis);
  void line(const Line& line);
  void arrow(const Arrow& arrow);
  void badge(const Badge& badge);
  void gap(const Gap& gap);

  cairo_t* cr_;
  std::unique_ptr<PangoLayout, LayoutFree> layout_;
};

void Painter::text(const Label& label) {
  PangoLayout* layout = layout_.get();
  std::unique_ptr<PangoFontDescription, FontFree> font(pango_font_description_from_string(kFont));
  pango_font_description_set_absolute_size(font.get(), label.size * PANGO_SCALE);
  pango_font_description_set_weight(font.get(),
                                    label.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_layout_set_font_description(layout, font.get());
  const PangoAlignment alignment = label.align == Align::kLeft     ? PANGO_ALIGN_LEFT
                                   : label.align == Align::kCentre ? PANGO_ALIGN_CENTER
                                                                   : PANGO_ALIGN_RIGHT;
  pango_layout_set_alignment(layout, alignment);
  if (label.width > 0) {
    pango_layout_set_width(layout, static_cast<int>(label.width * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_height(layout, -label.lines);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
  } else {
    pango_layout_set_width(layout, -1);
    pango_layout_set_height(layout, -1);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_NONE);
  }
  pango_layout_set_text(layout, label.text.c_str(), -1);
  int width = 0, height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  const double box = label.width > 0 ? label.width : width;
  const double x = label.align == Align::kLeft     ? label.x
                   : label.align == Align::kCentre ? label.x - box / 2
                                                   : label.x - box;
  colour(cr_, label.colour);
  cairo_move_to(cr_, x, label.y);
  pango_cairo_show_layout(cr_, layout);
}

void Painter::axis(const Axis& axis) {
  colour(cr_, axis.colour);
  const double edge = axis.right ? axis.box.right() : axis.box.x;
  const double outward = axis.right ? 1 : -1;
  cairo_set_line_width(cr_, 1);
  for (const Tick& tick : axis.ticks) {
    cairo_move_to(cr_, edge, tick.y);
    cairo_line_to(cr_, edge + 4 * outward, tick.y);
    cairo_stroke(cr_);
    text({tick.text, edge + 7 * outward, tick.y - 6.5, 10, axis.colour,
          axis.right ? Align::kLeft : Align::kRight});
  }
  text({axis.title, edge, axis.title_y, 9.5, axis.colour, axis.right ? Align::kRight : Align::kLeft,
        true});
}

void Painter::line(const Line& line) {
  colour(cr_, line.colour);
  cairo_set_line_width(cr_, line.width);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  const double dashes[] = {5, 3};
  cairo_set_dash(cr_, dashes, line.dashed ? 2 : 0, 0);
  for (const auto& run : line.runs) {
    for (std::size_t i = 0; i < run.size(); ++i)
      (i == 0 ? cairo_move_to : cairo_line_to)(cr_, run[i].x, run[i].y);
    cairo_stroke(cr_);
    if (run.size() == 1 || line.markers)
      for (const Point& p : run) {
        cairo_new_sub_path(cr_);
        cairo_arc(cr_, p.x, p.y, line.width + 1.3, 0, 2 * M_PI);
      }
    cairo_fill(cr_);
  }
  cairo_set_dash(cr_, nullptr, 0, 0);
}

void Painter::arrow(const Arrow& a) {
  const double half = a.length / 2;
  const Point tip{a.centre.x + a.dx * half, a.centre.y + a.dy * half};
  const Point tail{a.centre.x - a.dx * half, a.centre.y - a.dy * half};
  colour(cr_, a.colour);
  cairo_set_line_width(cr_, 2);
  cairo_move_to(cr_, tail.x, tail.y);
  cairo_line_to(cr_, tip.x - a.dx * 5, tip.y - a.dy * 5);
  cairo_stroke(cr_);
  // The head: a triangle along (dx, dy), 7 px long.
  cairo_move_to(cr_, tip.x, tip.y);
  cairo_line_to(cr_, tip.x - a.dx * 8 - a.dy * 4.5, tip.y - a.dy * 8 + a.dx * 4.5);
  cairo_line_to(cr_, tip.x - a.dx * 8 + a.dy * 4.5, tip.y - a.dy * 8 - a.dx * 4.5);
  cairo_close_path(cr_);
  cairo_fill(cr_);
}

void Painter::badge(const Badge& b) {
  const double r = 6;
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, b.box.right() - r, b.box.y + r, r, -M_PI / 2, 0);
  cairo_arc(cr_, b.box.right() - r, b.box.bottom() - r, r, 0, M_PI / 2);
  cairo_arc(cr_, b.box.x + r, b.box.bottom() - r, r, M_PI / 2, M_PI);
  cairo_arc(cr_, b.box.x + r, b.box.y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr_);
  const Colour fill = b.night ? Colour{0.16, 0.22, 0.33} : Colour{1, 0.95, 0.75};
  const Colour ink = b.night ? Colour{1, 1, 1} : Colour{0, 0, 0};
  colour(cr_, fill);
  cairo_fill_preserve(cr_);
  colour(cr_, {0.3, 0.3, 0.3});
  cairo_set_line_width(cr_, 0.8);
  cairo_stroke(cr_);
  text(
      {b.code, b.box.x + b.box.width / 2, b.box.y + 4, 12, ink, Align::kCentre, true, b.box.width});
}

void Painter::gap(const Gap& g) {
  colour(cr_, {0.45, 0.45, 0.45});
  cairo_set_line_width(cr_, 1.2);
  cairo_move_to(cr_, g.at.x - 3, g.at.y - 3);
  cairo_line_to(cr_, g.at.x + 3, g.at.y + 3);
  cairo_move_to(cr_, g.at.x + 3, g.at.y - 3);
  cairo_line_to(cr_, g.at.x - 3, g.at.y + 3);
  cairo_stroke(cr_);
}

void Painter::paint(const Scene& scene) {
  cairo_set_source_rgb(cr_, 1, 1, 1);
  cairo_paint(cr_);
  // Every other column shaded, so the days read as columns.
  cairo_set_source_rgb(cr_, 0.95, 0.96, 0.97);
  for (std::size_t i = 1; i < scene.columns.size(); i += 2) {
    const Box& c = scene.columns[i];
    cairo_rectangle(cr_, c.x, c.y, c.width, c.height);
  }
  cairo_fill(cr_);
  for (const Rule& rule : scene.rules) {
    colour(cr_, rule.colour);
    cairo_set_line_width(cr_, rule.width);
    cairo_move_to(cr_, rule.from.x, rule.from.y);
    cairo_line_to(cr_, rule.to.x, rule.to.y);
    cairo_stroke(cr_);
  }
  cairo_set_source_rgb(cr_, 0.25, 0.25, 0.25);
  cairo_set_line_width(cr_, 1);
  for (const Box& frame : scene.frames)
    cairo_rectangle(cr_, frame.x, frame.y, frame.width, frame.height);
  cairo_stroke(cr_);
  for (const Axis& a : scene.axes) axis(a);
  for (const Bar& bar : scene.bars) {
    colour(cr_, bar.colour);
    cairo_rectangle(cr_, bar.box.x, bar.box.y, bar.box.width, bar.box.height);
    cairo_fill(cr_);
  }
  for (const Line& l : scene.lines) line(l);
  for (const Arrow& a : scene.arrows) arrow(a);
  for (const Badge& b : scene.badges) badge(b);
  for (const Gap& g : scene.gaps) gap(g);
  for (const Label& label : scene.labels) text(label);
}

// Pango's default font map and the fonts it caches live for the process;
// the picture is the run's last work, so they are released here and a leak
// checker sees only what this program leaks. (cairo's and fontconfig's own
// clean-up calls assert on references they cannot see, so are not used.)
void release_font_caches() { pango_cairo_font_map_set_default(nullptr); }

cairo_status_t to_file(void* closure, const unsigned char* data, unsigned int length) {
  return std::fwrite(data, 1, length, static_cast<std::FILE*>(closure)) == length
             ? CAIRO_STATUS_SUCCESS
             : CAIRO_STATUS_WRITE_ERROR;
}

cairo_status_t to_string(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

std::string number(double value) {
  char text[G_ASCII_DTOSTR_BUF_SIZE];
  return g_ascii_formatd(text, sizeof text, "%.1f", value);
}

// cairo's SVG has no tooltips: each badge gets a transparent rectangle
// holding its condition text as a <title>, which viewers show on hover.
void add_hover_titles(std::string& svg, const Scene& scene) {
  const std::size_t end = svg.rfind("</svg>");
  if (end == std::string::npos) return;
  std::string titles;
  for (const Badge& b : scene.badges) {
    gchar* title = g_markup_escape_text(b.title.c_str(), -1);
    titles += "<rect x=\"" + number(b.box.x) + "\" y=\"" + number(b.box.y) + "\" width=\"" +
              number(b.box.width) + "\" height=\"" + number(b.box.height) +
              "\" fill=\"none\" pointer-events=\"all\"><title>" + title + "</title></rect>\n";
    g_free(title);
  }
  svg.insert(end, titles);
}

std::string lower_extension(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string extension = path.substr(dot);
  for (char& c : extension) c = g_ascii_tolower(c);
  return extension;
}

}  // namespace

PictureFile::~PictureFile() {
  if (fd_ >= 0) close(fd_);
  if (!temporary_.empty()) g_unlink(temporary_.c_str());
}

bool PictureFile::open(const std::string& path, std::string& why) {
  const std::string extension = lower_extension(path);
  if (extension == ".svg")
    format_ = Format::kSvg;
  else if (extension == ".png")
    format_ = Format::kPng;
  else if (extension == ".pdf")
    format_ = Format::kPdf;
  else {
    why = "unknown picture format \"" + extension + "\" (name it .svg, .png or .pdf)";
    return false;
  }
  target_ = path;
  gchar* directory = g_path_get_dirname(path.c_str());
  gchar* base = g_path_get_basename(path.c_str());
  std::string pattern = std::string(directory) + "/." + base + ".XXXXXX";
  g_free(directory);
  g_free(base);
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
  const int width = static_cast<int>(std::ceil(scene.width));
  const int height = static_cast<int>(std::ceil(scene.height));
  std::string svg;  // finished in memory, for the hover titles
  Surface surface(format_ == Format::kPng
                      ? cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)
                  : format_ == Format::kSvg
                      ? cairo_svg_surface_create_for_stream(to_string, &svg, width, height)
                      : cairo_pdf_surface_create_for_stream(to_file, out, width, height));
  cairo_status_t status = cairo_surface_status(surface.get());
  if (status == CAIRO_STATUS_SUCCESS) {
    Context cr(cairo_create(surface.get()));
    Painter(cr.get()).paint(scene);
    status = cairo_status(cr.get());
  }
  if (status == CAIRO_STATUS_SUCCESS && format_ == Format::kPng)
    status = cairo_surface_write_to_png_stream(surface.get(), to_file, out);
  cairo_surface_finish(surface.get());
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface.get());
  surface.reset();
  release_font_caches();
  if (status == CAIRO_STATUS_SUCCESS && format_ == Format::kSvg) {
    add_hover_titles(svg, scene);
    if (std::fwrite(svg.data(), 1, svg.size(), out) != svg.size())
      status = CAIRO_STATUS_WRITE_ERROR;
  }
  const bool flushed = std::fflush(out) == 0 && fsync(fileno(out)) == 0;
  const int flush_error = errno;
  const bool closed = std::fclose(out) == 0;
  if (status != CAIRO_STATUS_SUCCESS) {
    why = cairo_status_to_string(status);
    return false;
  }
  if (!flushed || !closed) {
    why = std::strerror(flushed ? errno : flush_error);
    return false;
  }
  if (g_rename(temporary_.c_str(), target_.c_str()) != 0) {
    why = std::strerror(errno);
    return false;
  }
  temporary_.clear();
  return true;
}

}  // namespace inspector::plot
