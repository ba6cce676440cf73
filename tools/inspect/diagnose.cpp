// SPDX-License-Identifier: MIT
// The plug-in's read of a forecast file, done again with its checks in the
// same places, so that a refusal can be named: libxml2 opens the file
// (plain, gzip or xz) and parses it through a private context into SAX
// handlers that build nothing, count what the plug-in counts and keep
// libxml2's first error instead of printing it.
#include "diagnose.hpp"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/xmlIO.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "xml_errors.hpp"

namespace inspector {
namespace {

using namespace limits;

// As the plug-in: no network, and libxml2's own reporting off.
constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
// libxml2 collects a start tag's attributes (5 slots each) in an array it
// reallocates at twice the need; the plug-in watches that capacity.
constexpr int kMaxAttributeSlots = 4 * 5 * kMaxAttributes;

enum class Refusal { kNone, kSize, kAttributes, kNamespaces, kDoctype, kTextRun, kDeclaration };

std::string explain(Refusal refusal) {
  switch (refusal) {
    case Refusal::kSize:
      return "larger than the plug-in reads: over " + std::to_string(kMaxBytes >> 20) + " MiB (" +
             std::to_string(kMaxBytes) + " bytes) after decompression";
    case Refusal::kAttributes:
      return "an element carries more than " + std::to_string(kMaxAttributes) +
             " attributes, the plug-in's limit";
    case Refusal::kNamespaces:
      return "more than " + std::to_string(kMaxNamespaces) +
             " namespaces are in scope at once, the plug-in's limit";
    case Refusal::kDoctype:
      return "its DOCTYPE's internal subset is longer than " +
             std::to_string(kMaxSubsetBytes >> 10) + " KiB (" + std::to_string(kMaxSubsetBytes) +
             " bytes), the plug-in's limit";
    case Refusal::kTextRun:
      return "a run of text is longer than " + std::to_string(kMaxTextRun) +
             " bytes, the plug-in's limit";
    case Refusal::kDeclaration:
      return "its DTD declares an entity or an attribute default, which the plug-in refuses";
    case Refusal::kNone:
      break;
  }
  return {};
}

struct ContextFree {
  void operator()(xmlParserCtxt* ctxt) const { xmlFreeParserCtxt(ctxt); }
};

struct DocFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

class Replay {
 public:
  explicit Replay(xmlParserInputBuffer* file) : file_(file) {}
  Replay(const Replay&) = delete;
  Replay& operator=(const Replay&) = delete;
  ~Replay() { xmlFreeParserInputBuffer(file_); }

  void install(xmlParserCtxt* ctxt) {
    ctxt_ = ctxt;
    ctxt->_private = this;
    xmlSAXHandler* sax = ctxt->sax;
    xmlSAXVersion(sax, 2);
    sax->startElementNs = start_element;
    sax->endElementNs = end_element;
    sax->characters = characters;
    sax->ignorableWhitespace = characters;
    sax->cdataBlock = cdata;
    sax->comment = comment;
    sax->processingInstruction = instruction;
    sax->reference = reference;
    sax->entityDecl = entity_declared;
    sax->unparsedEntityDecl = unparsed_entity_declared;
    sax->attributeDecl = attribute_declared;
    sax->internalSubset = internal_subset;
    sax->externalSubset = subset_ended;  // and the external DTD is never loaded
    sax->serror = keep_error;
    ctxt->options = 0;  // see the plug-in: xmlCtxtUseOptions only adds bits
  }

  Refusal refusal() const { return refusal_; }
  const FirstError& first_error() const { return first_; }

  static int read(void* context, char* buffer, int length) {
    Replay& self = *static_cast<Replay*>(context);
    if (self.refusal_ == Refusal::kNone) self.refusal_ = self.crowded();
    if (self.refusal_ != Refusal::kNone || self.file_->readcallback == nullptr) return -1;
    const int n = self.file_->readcallback(self.file_->context, buffer, length);
    if (n <= 0) return n;
    self.bytes_ += static_cast<std::size_t>(n);
    if (self.bytes_ <= kMaxBytes) return n;
    self.refusal_ = Refusal::kSize;
    return -1;
  }

  static int close(void* /*context*/) { return 0; }

 private:
  enum class Run { kNone, kText, kCData };

  static Replay& of(void* ctx) {
    return *static_cast<Replay*>(static_cast<xmlParserCtxt*>(ctx)->_private);
  }

  Refusal crowded() {
    if (ctxt_ == nullptr) return Refusal::kNone;
    if (ctxt_->inSubset == 1 && subset_too_long()) return Refusal::kDoctype;
    if (ctxt_->maxatts > kMaxAttributeSlots) return Refusal::kAttributes;
    if (ctxt_->nsNr / 2 > kMaxNamespaces) return Refusal::kNamespaces;
    return Refusal::kNone;
  }

  // As the plug-in counts it: the internal subset from its "[" to the ">"
  // that ends the DOCTYPE, in the parse's own positions.
  std::size_t position() const {
    const xmlParserInput* in = ctxt_->inputNr > 0 ? ctxt_->inputTab[0] : nullptr;
    if (in == nullptr || in->base == nullptr) return 0;
    return static_cast<std::size_t>(in->consumed) + static_cast<std::size_t>(in->cur - in->base);
  }

  bool subset_too_long() const {
    return subset_start_ != kNoSubset && position() - subset_start_ > kMaxSubsetBytes;
  }

  static void internal_subset(void* ctx, const xmlChar* name, const xmlChar* external_id,
                              const xmlChar* system_id) {
    xmlSAX2InternalSubset(ctx, name, external_id, system_id);
    Replay& self = of(ctx);
    self.subset_start_ = self.position();
  }

  static void subset_ended(void* ctx, const xmlChar* /*name*/, const xmlChar* /*external_id*/,
                           const xmlChar* /*system_id*/) {
    Replay& self = of(ctx);
    if (self.subset_too_long()) self.refuse(Refusal::kDoctype);
  }

  void refuse(Refusal why) {
    if (refusal_ == Refusal::kNone) refusal_ = why;
    xmlStopParser(ctxt_);
  }

  static void start_element(void* ctx, const xmlChar* /*name*/, const xmlChar* /*prefix*/,
                            const xmlChar* /*uri*/, int /*nb_namespaces*/,
                            const xmlChar** /*namespaces*/, int nb_attributes, int /*nb_defaulted*/,
                            const xmlChar** /*attributes*/) {
    Replay& self = of(ctx);
    if (self.refusal_ != Refusal::kNone) return;
    self.run_ = Run::kNone;
    const Refusal crowded = nb_attributes > kMaxAttributes ? Refusal::kAttributes : self.crowded();
    if (crowded != Refusal::kNone) self.refuse(crowded);
  }

  static void end_element(void* ctx, const xmlChar* /*name*/, const xmlChar* /*prefix*/,
                          const xmlChar* /*uri*/) {
    of(ctx).run_ = Run::kNone;
  }

  // Adjacent pieces of one kind would join one text node in a tree.
  void extend_run(Run kind, int length) {
    if (refusal_ != Refusal::kNone) return;
    const auto n = static_cast<std::size_t>(length);
    run_length_ = run_ == kind ? run_length_ + n : n;
    run_ = kind;
    if (run_length_ > kMaxTextRun) refuse(Refusal::kTextRun);
  }

  static void characters(void* ctx, const xmlChar* /*text*/, int length) {
    of(ctx).extend_run(Run::kText, length);
  }

  static void cdata(void* ctx, const xmlChar* /*text*/, int length) {
    of(ctx).extend_run(Run::kCData, length);
  }

  static void comment(void* ctx, const xmlChar* /*text*/) { of(ctx).run_ = Run::kNone; }

  static void instruction(void* ctx, const xmlChar* /*target*/, const xmlChar* /*data*/) {
    of(ctx).run_ = Run::kNone;
  }

  static void reference(void* ctx, const xmlChar* /*name*/) { of(ctx).run_ = Run::kNone; }

  static void entity_declared(void* ctx, const xmlChar* /*name*/, int /*type*/,
                              const xmlChar* /*public_id*/, const xmlChar* /*system_id*/,
                              xmlChar* /*content*/) {
    of(ctx).refuse(Refusal::kDeclaration);
  }

  static void unparsed_entity_declared(void* ctx, const xmlChar* /*name*/,
                                       const xmlChar* /*public_id*/, const xmlChar* /*system_id*/,
                                       const xmlChar* /*notation*/) {
    of(ctx).refuse(Refusal::kDeclaration);
  }

  static void attribute_declared(void* ctx, const xmlChar* element, const xmlChar* name, int type,
                                 int def, const xmlChar* default_value, xmlEnumeration* values) {
    if (default_value == nullptr) {
      xmlSAX2AttributeDecl(ctx, element, name, type, def, default_value, values);
      return;
    }
    xmlFreeEnumeration(values);  // ours to free when libxml2's handler is skipped
    of(ctx).refuse(Refusal::kDeclaration);
  }

  static void keep_error(void* ctx, xmlErrorPtr error) { of(ctx).first_.keep(error); }

  static constexpr std::size_t kNoSubset = ~std::size_t{0};

  xmlParserInputBuffer* file_;
  xmlParserCtxt* ctxt_ = nullptr;
  std::size_t bytes_ = 0;
  std::size_t subset_start_ = kNoSubset;  // position of the internal subset's "["
  Run run_ = Run::kNone;
  std::size_t run_length_ = 0;
  Refusal refusal_ = Refusal::kNone;
  FirstError first_;
};

bool holds_any(void* table) {
  return table != nullptr && xmlHashSize(static_cast<xmlHashTablePtr>(table)) > 0;
}

bool declares_attribute_default(void* attributes) {
  bool found = false;
  if (holds_any(attributes))
    xmlHashScan(
        static_cast<xmlHashTablePtr>(attributes),
        [](void* payload, void* data, const xmlChar* /*name*/) {
          if (static_cast<const xmlAttribute*>(payload)->defaultValue != nullptr)
            *static_cast<bool*>(data) = true;
        },
        &found);
  return found;
}

// What the parse left in the document's DTDs, beyond what the handlers saw.
bool declares_expansions(const xmlDoc* doc) {
  for (const xmlDtd* dtd : {doc->intSubset, doc->extSubset})
    if (dtd != nullptr && (holds_any(dtd->entities) || holds_any(dtd->pentities) ||
                           declares_attribute_default(dtd->attributes)))
      return true;
  return false;
}

// Parses the file as the plug-in does; empty when the plug-in would read it.
std::string why_refused(const std::string& path) {
  xmlParserInputBuffer* file =
      xmlParserInputBufferCreateFilename(path.c_str(), XML_CHAR_ENCODING_NONE);
  if (file == nullptr) return std::string("cannot open it: ") + std::strerror(errno);
  Replay replay(file);
  const std::unique_ptr<xmlParserCtxt, ContextFree> ctxt(xmlNewParserCtxt());
  if (!ctxt) return "out of memory";
  replay.install(ctxt.get());
  const std::unique_ptr<xmlDoc, DocFree> doc(xmlCtxtReadIO(
      ctxt.get(), Replay::read, Replay::close, &replay, path.c_str(), nullptr, kOptions));
  if (replay.refusal() != Refusal::kNone) return explain(replay.refusal());
  if (!doc) {
    FirstError first = replay.first_error();
    first.keep_last(xmlCtxtGetLastError(ctxt.get()));
    if (!first.seen) return "not well-formed XML";
    if (first.domain == XML_FROM_IO) return "cannot read it: " + first.message;
    return "not well-formed XML at line " + std::to_string(first.line) + ": " + first.message;
  }
  if (declares_expansions(doc.get())) return explain(Refusal::kDeclaration);
  return {};
}

}  // namespace

std::string why_unreadable(const std::string& path) {
  // In the plug-in's order: readable, a regular file, read whole and within
  // its limits, then a file name it can take a station from.
  if (access(path.c_str(), R_OK) != 0)
    return std::string("cannot open it: ") + std::strerror(errno);
  struct stat status {};
  if (stat(path.c_str(), &status) != 0)
    return std::string("cannot open it: ") + std::strerror(errno);
  if (!S_ISREG(status.st_mode)) return "not a regular file";
  std::string why = why_refused(path);
  if (!why.empty()) return why;
  const std::size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.find('.') == std::string::npos)
    return "its name has no \".\", and the plug-in takes the station from a name like "
           "STATION.xml";
  // Read whole and named well: only what the read would build is left.
  return "it holds more station data than the plug-in builds from one file (" +
         std::to_string(kMaxBuiltBytes >> 20) + " MiB), or memory ran out";
}

StagedFile::StagedFile(const std::string& path)
    : staged_(path + ".new"), waiting_(access(staged_.c_str(), F_OK) == 0) {}

bool StagedFile::moved() const { return waiting_ && access(staged_.c_str(), F_OK) != 0; }

}  // namespace inspector
