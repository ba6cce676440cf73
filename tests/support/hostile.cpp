// SPDX-License-Identifier: MIT
#include "hostile.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <libxml/globals.h>
#include <libxml/parser.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

#include <stdexcept>

namespace brelund::testing {

LoopbackListener::LoopbackListener() : fd_(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0)) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  auto* generic = reinterpret_cast<sockaddr*>(&address);
  if (fd_ < 0 || bind(fd_, generic, size) != 0 || listen(fd_, 16) != 0 ||
      getsockname(fd_, generic, &size) != 0)
    throw std::runtime_error("no loopback listener");
  port_ = ntohs(address.sin_port);
}

LoopbackListener::~LoopbackListener() { close(fd_); }

std::string LoopbackListener::url(const std::string& name) const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/" + name;
}

bool LoopbackListener::connected() {
  const int client = accept(fd_, nullptr, nullptr);
  if (client >= 0) {
    connected_ = true;
    close(client);
  }
  return connected_;
}

PermissiveDefaults::PermissiveDefaults()
    : indent_(xmlIndentTreeOutput),
      substitute_(xmlSubstituteEntitiesDefault(1)),
      load_dtd_(xmlLoadExtDtdDefaultValue),
      validate_(xmlDoValidityCheckingDefaultValue),
      pedantic_(xmlPedanticParserDefault(1)),
      keep_blanks_(xmlKeepBlanksDefault(0)) {
  xmlLoadExtDtdDefaultValue = XML_DETECT_IDS | XML_COMPLETE_ATTRS;
  xmlDoValidityCheckingDefaultValue = 1;
}

PermissiveDefaults::~PermissiveDefaults() {
  xmlSubstituteEntitiesDefault(substitute_);
  xmlLoadExtDtdDefaultValue = load_dtd_;
  xmlDoValidityCheckingDefaultValue = validate_;
  xmlPedanticParserDefault(pedantic_);
  xmlKeepBlanksDefault(keep_blanks_);
  xmlIndentTreeOutput = indent_;
}

std::string libxml2_defaults() {
  return "substitute=" + std::to_string(xmlSubstituteEntitiesDefaultValue) +
         " load=" + std::to_string(xmlLoadExtDtdDefaultValue) +
         " validate=" + std::to_string(xmlDoValidityCheckingDefaultValue) +
         " pedantic=" + std::to_string(xmlPedanticParserDefaultValue) +
         " keepBlanks=" + std::to_string(xmlKeepBlanksDefaultValue) +
         " indent=" + std::to_string(xmlIndentTreeOutput) +
         " lineNumbers=" + std::to_string(xmlLineNumbersDefaultValue);
}

void write_gzip(const std::string& path, const std::string& head, const std::string& filler,
                std::size_t count, const std::string& tail) {
  gzFile file = gzopen(path.c_str(), "wb6");
  if (file == nullptr) throw std::runtime_error("cannot write " + path);
  const auto put = [&](const std::string& text) {
    if (gzwrite(file, text.data(), static_cast<unsigned>(text.size())) !=
        static_cast<int>(text.size()))
      throw std::runtime_error("cannot compress into " + path);
  };
  put(head);
  for (std::size_t i = 0; i < count; ++i) put(filler);
  put(tail);
  gzclose(file);
}

std::string padded(const std::string& text, std::size_t size) {
  std::string out;
  out.reserve(size);
  while (out.size() < size) out += text;
  out.resize(size);
  return out;
}

}  // namespace brelund::testing
