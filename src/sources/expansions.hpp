// SPDX-License-Identifier: MIT
// The check for documents whose DTD could make them expand, made of a host's
// tree and of the file stream's document shell alike.
#pragma once

#include <libxml/tree.h>

namespace brelund::sources {

// True when the document's DTD, internal or external subset, declares an
// entity, a parameter entity or an attribute default. Each lets a short
// declaration stand for text that libxml2 copies at every use, without any
// limit, when the text is read (xmlNodeGetContent, xmlGetProp). The service
// never sends a DTD, so the readers refuse such documents whole.
bool declares_expansions(const xmlDoc* doc) noexcept;

}  // namespace brelund::sources
