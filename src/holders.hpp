// SPDX-License-Identifier: MIT
// Owners for libxml2 and GLib memory: one deleter per library, with one
// overload per free function, and unique_ptr does the rest. Hand a value
// over with release(). Records (tables whose values are the host's texts)
// have a release of their own: records::Record.
#pragma once

#include <glib.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlmemory.h>

#include <memory>

namespace brelund {

struct XmlFree {
  void operator()(xmlChar* text) const noexcept { xmlFree(text); }
  void operator()(xmlDoc* doc) const noexcept { xmlFreeDoc(doc); }
  void operator()(xmlParserCtxt* context) const noexcept { xmlFreeParserCtxt(context); }
  // A file opened for a parse, closed with it.
  void operator()(xmlParserInputBuffer* input) const noexcept { xmlFreeParserInputBuffer(input); }
  // A node and the siblings after it, as xmlStringLenGetNodeList returns them.
  void operator()(xmlNode* list) const noexcept { xmlFreeNodeList(list); }
};
template <typename T>
using XmlPtr = std::unique_ptr<T, XmlFree>;

struct GFree {
  void operator()(gchar* text) const noexcept { g_free(text); }
  void operator()(gchar** texts) const noexcept { g_strfreev(texts); }
  // UTF-16 text, as g_utf8_to_utf16 returns it.
  void operator()(gunichar2* text) const noexcept { g_free(text); }
  // A table without destroy functions: its keys and values stay.
  void operator()(GHashTable* table) const noexcept { g_hash_table_unref(table); }
  // The cells only: what they point to stays.
  void operator()(GList* list) const noexcept { g_list_free(list); }
  void operator()(GSList* list) const noexcept { g_slist_free(list); }
  void operator()(GError* error) const noexcept { g_error_free(error); }
  void operator()(GOptionContext* context) const noexcept { g_option_context_free(context); }
  void operator()(GDir* dir) const noexcept { g_dir_close(dir); }
};
template <typename T>
using GPtr = std::unique_ptr<T, GFree>;

}  // namespace brelund
