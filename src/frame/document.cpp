// The forecast file's parse: libxml2's own reading of the file (plain, gzip
// or xz, as it always was), through a private parser context whose settings
// owe nothing to libxml2's process-wide defaults, watched all the way.
#include "frame/document.hpp"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/xmlIO.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>
#include <utility>

namespace brelund::document {
namespace {

// No network even if an external resource slipped through; libxml2's
// diagnostics would only reach the host's standard error. Short texts (most
// attribute values: "3", "270.5", "celsius") are kept inside their text node
// instead of in an allocation of their own; the tree reads the same.
constexpr int kOptions =
    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_COMPACT;

// Estimated cost of one tree node, attribute or namespace: the structure
// plus the allocator's overhead for it and for the text it points to.
constexpr std::size_t kNodeCost = sizeof(xmlNode) + 32;
constexpr std::size_t kAttributeCost = sizeof(xmlAttr) + kNodeCost + 32;
constexpr std::size_t kNamespaceCost = sizeof(xmlNs) + 32;

// libxml2 collects a start tag's attributes (5 slots each) before any SAX
// event reports them; its array is reallocated at twice the need. Past this
// capacity an element is known to carry well over kMaxAttributes.
constexpr int kMaxAttributeSlots = 4 * 5 * kMaxAttributes;

std::size_t length(const xmlChar* text) noexcept {
  return text != nullptr ? std::strlen(reinterpret_cast<const char*>(text)) : 0;
}

// Watches one parse from both ends. As libxml2 reads the file it counts the
// decompressed bytes and looks into the start tag being collected; as the
// tree is built it refuses the first entity or attribute-default
// declaration, before anything uses it, and stops once the tree would pass
// its limits. Reading fails (an I/O error ends the parse) or the parser is
// stopped, whichever comes first.
class Watch {
 public:
  explicit Watch(xmlParserInputBuffer* file) noexcept : file_(file) {}
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;
  ~Watch() { xmlFreeParserInputBuffer(file_); }

  void install(xmlParserCtxt* ctxt) noexcept {
    ctxt_ = ctxt;
    ctxt->_private = this;
    xmlSAXHandler* sax = ctxt->sax;
    // The plain tree builder, whatever defaults (SAX1, dropped blanks) the
    // process chose for libxml2's own handler.
    xmlSAXVersion(sax, 2);
    sax->startElementNs = start_element;
    sax->endElementNs = end_element;
    sax->characters = characters;
    sax->ignorableWhitespace = characters;  // blanks are kept, as by default
    sax->cdataBlock = cdata;
    sax->comment = comment;
    sax->processingInstruction = instruction;
    sax->reference = reference;
    sax->entityDecl = entity_declared;
    sax->unparsedEntityDecl = unparsed_entity_declared;
    sax->attributeDecl = attribute_declared;
    sax->externalSubset = nullptr;  // never load an external DTD
    sax->serror = quiet;
  }

  Outcome refusal() const noexcept { return refusal_; }

  static int read(void* context, char* buffer, int length) noexcept {
    Watch& self = *static_cast<Watch*>(context);
    if (self.refusal_ == Outcome::kRead && self.crowded()) self.refusal_ = Outcome::kOverLimit;
    if (self.refusal_ != Outcome::kRead || self.file_->readcallback == nullptr) return -1;
    const int n = self.file_->readcallback(self.file_->context, buffer, length);
    if (n <= 0) return n;
    self.bytes_ += static_cast<std::size_t>(n);
    if (self.bytes_ <= kMaxBytes) return n;
    self.refusal_ = Outcome::kOverLimit;
    return -1;
  }

  // The file is closed with the Watch, after the parser context.
  static int close(void* /*context*/) noexcept { return 0; }

 private:
  static Watch& of(void* ctx) noexcept {
    return *static_cast<Watch*>(static_cast<xmlParserCtxt*>(ctx)->_private);
  }

  // The start tag being read, or the elements open, hold too many
  // attributes or namespaces; or the DOCTYPE being read is too long.
  bool crowded() noexcept {
    if (ctxt_ == nullptr) return false;
    if (ctxt_->inSubset != 0) {
      if (subset_start_ == kNoSubset) subset_start_ = bytes_;
      if (bytes_ - subset_start_ > kMaxSubsetBytes) return true;
    }
    return ctxt_->maxatts > kMaxAttributeSlots || ctxt_->nsNr / 2 > kMaxNamespaces;
  }

  void refuse(Outcome why) noexcept {
    if (refusal_ == Outcome::kRead) refusal_ = why;
    xmlStopParser(ctxt_);
  }

  // False (and the parse stopped) when the tree would grow past its limit.
  bool charge(std::size_t bytes) noexcept {
    tree_bytes_ += bytes;
    if (tree_bytes_ <= kMaxTreeBytes) return true;
    refuse(Outcome::kOverLimit);
    return false;
  }

  static void start_element(void* ctx, const xmlChar* name, const xmlChar* prefix,
                            const xmlChar* uri, int nb_namespaces, const xmlChar** namespaces,
                            int nb_attributes, int nb_defaulted,
                            const xmlChar** attributes) noexcept {
    Watch& self = of(ctx);
    self.in_text_ = false;
    if (nb_attributes > kMaxAttributes || self.crowded()) {
      self.refuse(Outcome::kOverLimit);
      return;
    }
    std::size_t cost = kNodeCost;
    // Namespaces come as (prefix, URI) pairs, attributes as (name, prefix,
    // URI, value, end of value); both are copied into the element.
    const xmlChar** pair = namespaces;
    for (int i = 0; i < nb_namespaces; ++i, pair += 2)
      cost += kNamespaceCost + length(pair[0]) + length(pair[1]);
    // Defaulted attributes come last and stay out of the tree (libxml2 adds
    // them only when asked to complete attributes, which this parse never is).
    const xmlChar** attribute = attributes;
    for (int i = 0; i < nb_attributes - nb_defaulted; ++i, attribute += 5)
      cost += kAttributeCost + static_cast<std::size_t>(attribute[4] - attribute[3]);
    if (!self.charge(cost)) return;
    xmlSAX2StartElementNs(ctx, name, prefix, uri, nb_namespaces, namespaces, nb_attributes,
                          nb_defaulted, attributes);
  }

  static void end_element(void* ctx, const xmlChar* name, const xmlChar* prefix,
                          const xmlChar* uri) noexcept {
    of(ctx).in_text_ = false;
    xmlSAX2EndElementNs(ctx, name, prefix, uri);
  }

  // Adjacent text joins one node whose buffer grows by doubling.
  static void characters(void* ctx, const xmlChar* text, int len) noexcept {
    Watch& self = of(ctx);
    const std::size_t node = self.in_text_ ? 0 : kNodeCost;
    self.in_text_ = true;
    if (!self.charge(node + 2 * static_cast<std::size_t>(len))) return;
    xmlSAX2Characters(ctx, text, len);
  }

  static void cdata(void* ctx, const xmlChar* text, int len) noexcept {
    Watch& self = of(ctx);
    self.in_text_ = false;
    if (!self.charge(kNodeCost + 2 * static_cast<std::size_t>(len))) return;
    xmlSAX2CDataBlock(ctx, text, len);
  }

  static void comment(void* ctx, const xmlChar* text) noexcept {
    Watch& self = of(ctx);
    self.in_text_ = false;
    if (!self.charge(kNodeCost + length(text))) return;
    xmlSAX2Comment(ctx, text);
  }

  static void instruction(void* ctx, const xmlChar* target, const xmlChar* data) noexcept {
    Watch& self = of(ctx);
    self.in_text_ = false;
    if (!self.charge(kNodeCost + length(target) + length(data))) return;
    xmlSAX2ProcessingInstruction(ctx, target, data);
  }

  static void reference(void* ctx, const xmlChar* name) noexcept {
    Watch& self = of(ctx);
    self.in_text_ = false;
    if (!self.charge(kNodeCost + length(name))) return;
    xmlSAX2Reference(ctx, name);
  }

  static void entity_declared(void* ctx, const xmlChar* /*name*/, int /*type*/,
                              const xmlChar* /*public_id*/, const xmlChar* /*system_id*/,
                              xmlChar* /*content*/) noexcept {
    of(ctx).refuse(Outcome::kDeclaresExpansions);
  }

  static void unparsed_entity_declared(void* ctx, const xmlChar* /*name*/,
                                       const xmlChar* /*public_id*/, const xmlChar* /*system_id*/,
                                       const xmlChar* /*notation*/) noexcept {
    of(ctx).refuse(Outcome::kDeclaresExpansions);
  }

  static void attribute_declared(void* ctx, const xmlChar* element, const xmlChar* name, int type,
                                 int def, const xmlChar* default_value,
                                 xmlEnumeration* values) noexcept {
    if (default_value == nullptr) {
      xmlSAX2AttributeDecl(ctx, element, name, type, def, default_value, values);
      return;
    }
    xmlFreeEnumeration(values);  // ours to free when libxml2's handler is skipped
    of(ctx).refuse(Outcome::kDeclaresExpansions);
  }

  static void quiet(void* /*ctx*/, xmlErrorPtr /*error*/) noexcept {}

  static constexpr std::size_t kNoSubset = ~std::size_t{0};

  xmlParserInputBuffer* file_;
  xmlParserCtxt* ctxt_ = nullptr;
  std::size_t bytes_ = 0;
  std::size_t subset_start_ = kNoSubset;  // bytes read when the DOCTYPE began
  std::size_t tree_bytes_ = 0;
  bool in_text_ = false;
  Outcome refusal_ = Outcome::kRead;
};

struct ContextFree {
  void operator()(xmlParserCtxt* ctxt) const noexcept { xmlFreeParserCtxt(ctxt); }
};

bool is_regular_file(const char* path) noexcept {
  struct stat status {};
  // A FIFO would block the host on open; a device could be endless.
  return stat(path, &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

Result read_file(const char* path) noexcept {
  Result result;
  if (path == nullptr || !is_regular_file(path)) return result;
  // libxml2's own opening of a local file, decompression included; the
  // process-wide external-entity loader and catalogs are bypassed.
  xmlParserInputBuffer* file = xmlParserInputBufferCreateFilename(path, XML_CHAR_ENCODING_NONE);
  if (file == nullptr) return result;
  Watch watch(file);
  const std::unique_ptr<xmlParserCtxt, ContextFree> ctxt(xmlNewParserCtxt());
  if (!ctxt) return result;
  watch.install(ctxt.get());
  // xmlCtxtUseOptions resets the fields the process-wide defaults set in a
  // new context, but only ever adds to its option bits, which libxml2 also
  // consults (a parameter entity is fetched when NOENT or DTDLOAD is there).
  ctxt->options = 0;
  xml::Document doc(
      xmlCtxtReadIO(ctxt.get(), Watch::read, Watch::close, &watch, path, nullptr, kOptions));
  result.built = doc != nullptr;
  if (watch.refusal() != Outcome::kRead)
    result.outcome = watch.refusal();
  else if (!doc)
    result.outcome = Outcome::kMalformed;
  else if (xml::declares_expansions(doc.get()))
    result.outcome = Outcome::kDeclaresExpansions;
  else
    result = {std::move(doc), Outcome::kRead, true};
  return result;
}

}  // namespace brelund::document
