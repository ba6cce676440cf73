// From the host's forecast file to the forecast reader: staged-file swap,
// parse, error documents, station identifier.
#include <libxml/parser.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "frame/document.hpp"
#include "tarnvale-brelund-source.h"
#include "xml.hpp"

namespace {

constexpr int kUnusable = -1;
constexpr int kErrorDocument = -2;
constexpr std::size_t kPathBuffer = 1024;
// Formatting into the path buffer is bounded one byte short of its size.
constexpr std::size_t kPathLimit = kPathBuffer - 1;

// Moves "<path>.new" over `path` when the host left one. A name that would
// not fit the buffer is never formed: its truncation would name another file,
// and renaming that over the forecast would destroy data.
void swap_in_staged_file(const char* path) noexcept {
  char staged[kPathBuffer];
  const int length = std::snprintf(staged, kPathLimit, "%s.new", path);
  if (length < 0 || static_cast<std::size_t>(length) >= kPathLimit) return;
  if (access(staged, R_OK) == 0) std::rename(staged, path);  // failure: read the old file
}

// The file name after the last "/" and before its last "."; false when the
// path has no "/" or the name no ".".
bool station_identifier(const char* path, char (&id)[kPathBuffer]) noexcept {
  const char* slash = std::strrchr(path, '/');
  if (slash == nullptr) return false;
  std::snprintf(id, kPathLimit, "%s", slash + 1);
  char* dot = std::strrchr(id, '.');
  if (dot == nullptr) return false;
  *dot = '\0';
  return true;
}

bool is_error_document(const xmlNode* root) noexcept {
  return root != nullptr && root->type == XML_ELEMENT_NODE &&
         std::strstr(reinterpret_cast<const char*>(root->name), "err") != nullptr;
}

int read_document(const char* path, xmlDoc* doc, GHashTable* station_data) noexcept {
  xmlNode* root = xmlDocGetRootElement(doc);
  if (is_error_document(root)) return kErrorDocument;
  char id[kPathBuffer];
  if (!station_identifier(path, id)) return kUnusable;
  return parse_xml_data(id, root, station_data);
}

}  // namespace

int get_station_weather_data(const char* path, GHashTable* station_data) noexcept {
  if (path == nullptr || station_data == nullptr) return kUnusable;
  swap_in_staged_file(path);
  if (access(path, R_OK) != 0) return kUnusable;
  brelund::document::Result read = brelund::document::read_file(path);
  // A refused document (past the limits, declaring entities) leaves the table alone.
  const int result = read.doc ? read_document(path, read.doc.get(), station_data) : kUnusable;
  read.doc.reset();
  // The host relies on libxml2's globals being reset after every document.
  if (read.built) xmlCleanupParser();
  return result;
}
