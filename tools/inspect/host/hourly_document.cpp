// SPDX-License-Identifier: MIT
#include "host/hourly_document.hpp"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <cstring>

#include "host/file_names.hpp"
#include "host/refusal.hpp"

namespace inspector {
namespace {

using brelund::sources::FirstError;

// The context's own structured handler: it sees every error of this parse
// and nothing of any other. libxml2 reads the file on its own here, and does
// not say when it has read all of it: a cut is told as libxml2 tells it.
void keep_first_error(void* data, xmlErrorPtr error) {
  const auto* context = static_cast<const xmlParserCtxt*>(data);
  auto* first = context != nullptr ? static_cast<FirstError*>(context->_private) : nullptr;
  if (first != nullptr) first->keep(error, context, false);
}

bool has_child(const xmlNode* root, const char* name) {
  for (const xmlNode* child = root != nullptr ? root->children : nullptr; child != nullptr;
       child = child->next)
    if (child->type == XML_ELEMENT_NODE &&
        std::strcmp(reinterpret_cast<const char*>(child->name), name) == 0)
      return true;
  return false;
}

// Checked before parsing, as the plug-in checks its forecast file: libxml2
// reports a file it cannot open through its process-wide error handler,
// which a private context does not silence, and a FIFO would block.
bool openable(const std::string& path, std::string& why) {
  const brelund::sources::FileFault fault = brelund::sources::file_fault(path.c_str());
  if (fault != brelund::sources::FileFault::kNone) why = file_refused(fault);
  return fault == brelund::sources::FileFault::kNone;
}

}  // namespace

Doc read_hourly(const std::string& path, std::string& why) {
  if (!openable(path, why)) return nullptr;
  const brelund::XmlPtr<xmlParserCtxt> context(xmlNewParserCtxt());
  if (!context) {
    why = "out of memory";
    return nullptr;
  }
  FirstError first;
  context->_private = &first;
  context->sax->serror = keep_first_error;
  Doc doc(xmlCtxtReadFile(context.get(), as_file(path).c_str(), nullptr,
                          XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!doc) {
    first.keep_last(xmlCtxtGetLastError(context.get()));
    why = not_well_formed(first);
    return nullptr;
  }
  const xmlNode* root = xmlDocGetRootElement(doc.get());
  if (!has_child(root, "hbhf")) {
    // The service's hour-by-hour forecast is a forecast document, not this.
    why = has_child(root, "forecast")
              ? "not an hourly document: its root element has a forecast child, not an hbhf one "
                "(a forecast document, perhaps the service's hour-by-hour forecast: give it as "
                "the forecast file; --check says what the plug-in makes of it)"
              : "not an hourly document: its root element has no hbhf child";
    return nullptr;
  }
  return doc;
}

}  // namespace inspector
