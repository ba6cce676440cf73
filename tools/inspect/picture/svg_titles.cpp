// SPDX-License-Identifier: MIT
#include <glib.h>

#include "holders.hpp"
#include "picture/render.hpp"

namespace inspector::plot {
namespace {

std::string number(double value) {
  char text[G_ASCII_DTOSTR_BUF_SIZE];
  return g_ascii_formatd(text, sizeof text, "%.1f", value);
}

}  // namespace

void add_hover_titles(std::string& svg, const Scene& scene) {
  const std::size_t end = svg.rfind("</svg>");
  if (end == std::string::npos) return;
  std::string titles;
  for (const Badge& b : scene.badges) {
    const brelund::GPtr<gchar> title(g_markup_escape_text(b.title.c_str(), -1));
    titles += "<rect x=\"" + number(b.box.x) + "\" y=\"" + number(b.box.y) + "\" width=\"" +
              number(b.box.width) + "\" height=\"" + number(b.box.height) +
              "\" fill=\"none\" pointer-events=\"all\"><title>" + title.get() + "</title></rect>\n";
  }
  svg.insert(end, titles);
}

}  // namespace inspector::plot
