// SPDX-License-Identifier: MIT
#include "hourly.hpp"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "paths.hpp"
#include "sources/first_error.hpp"

namespace inspector {
namespace {

// Reported as the plug-in's stream reports a refused forecast file.
using brelund::sources::FirstError;

struct ContextFree {
  void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

// The context's own structured handler: it sees every error of this parse
// and nothing of any other.
void keep_first_error(void* data, xmlErrorPtr error) {
  const auto* context = static_cast<const xmlParserCtxt*>(data);
  auto* first = context != nullptr ? static_cast<FirstError*>(context->_private) : nullptr;
  if (first != nullptr) first->keep(error);
}

bool has_hbhf_child(const xmlNode* root) {
  for (const xmlNode* child = root != nullptr ? root->children : nullptr; child != nullptr;
       child = child->next)
    if (child->type == XML_ELEMENT_NODE &&
        std::strcmp(reinterpret_cast<const char*>(child->name), "hbhf") == 0)
      return true;
  return false;
}

}  // namespace

Doc read_hourly(const std::string& path, std::string& why) {
  // Checked here because libxml2 reports an unreadable file through its
  // process-wide error handler, which a private context does not silence.
  struct stat status {};
  if (stat(path.c_str(), &status) != 0 || access(path.c_str(), R_OK) != 0) {
    why = std::string("cannot open it: ") + std::strerror(errno);
    return nullptr;
  }
  if (S_ISDIR(status.st_mode)) {
    why = std::string("cannot open it: ") + std::strerror(EISDIR);
    return nullptr;
  }
  const std::string named = as_file(path);
  const std::unique_ptr<xmlParserCtxt, ContextFree> context(xmlNewParserCtxt());
  if (!context) {
    why = "out of memory";
    return nullptr;
  }
  FirstError first;
  context->_private = &first;
  context->sax->serror = keep_first_error;
  Doc doc(xmlCtxtReadFile(context.get(), named.c_str(), nullptr,
                          XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!doc) {
    first.keep_last(xmlCtxtGetLastError(context.get()));
    if (!first.seen)
      why = "cannot parse it";
    else if (first.domain == XML_FROM_IO)
      why = "cannot open it: " + first.message;
    else
      why = "not well-formed XML at line " + std::to_string(first.line) + ": " + first.message;
    return nullptr;
  }
  if (!has_hbhf_child(xmlDocGetRootElement(doc.get()))) {
    why = "not an hourly document: its root element has no hbhf child";
    return nullptr;
  }
  return doc;
}

}  // namespace inspector
