// SPDX-License-Identifier: MIT
// Reading the hour-by-hour document the way docs/hosts.md tells hosts to: the
// host parses it, the plug-in reads the tree.
#pragma once

#include <libxml/tree.h>

#include <string>

#include "holders.hpp"

namespace inspector {

using Doc = brelund::XmlPtr<xmlDoc>;

// Parses `path` with no network access, entities left as references and
// libxml2's default size limits, printing nothing. Returns the document, or
// null with `why` saying in a few words on one line what is wrong: it cannot
// be opened, it is not well-formed (and where), or its root element has no
// `hbhf` child.
Doc read_hourly(const std::string& path, std::string& why);

}  // namespace inspector
