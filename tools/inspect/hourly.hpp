// SPDX-License-Identifier: MIT
// Reading the hour-by-hour document the way the README tells hosts to.
#pragma once

#include <libxml/tree.h>

#include <memory>
#include <string>

namespace inspector {

struct DocFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using Doc = std::unique_ptr<xmlDoc, DocFree>;

// Parses `path` with no network access, entities left as references and
// libxml2's default size limits, printing nothing. Returns the document, or
// null with `why` saying in a few words on one line what is wrong: it cannot
// be opened, it is not well-formed (and where), or its root element has no
// `hbhf` child.
Doc read_hourly(const std::string& path, std::string& why);

}  // namespace inspector
