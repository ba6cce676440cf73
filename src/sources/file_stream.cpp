// SPDX-License-Identifier: MIT
// libxml2's own reading of the forecast file (plain, gzip or xz, as it always
// was), through a private parser context whose settings owe nothing to
// libxml2's process-wide defaults. The DTD, if any, goes to libxml2's own
// handlers as in a tree parse (the parser consults what they record); every
// element, text and comment comes here instead of into a tree.
#include "sources/file_stream.hpp"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/xmlIO.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "holders.hpp"
#include "sources/expansions.hpp"

namespace brelund::sources {
namespace {

// No network even if an external resource slipped through; libxml2's
// diagnostics would only reach the host's standard error (the first error
// is kept instead, to say why a file was refused).
constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

// libxml2 collects a start tag's attributes (5 slots each) before any SAX
// event reports them; its array is reallocated at twice the need. Past this
// capacity an element is known to carry well over kMaxAttributes.
constexpr int kMaxAttributeSlots = 4 * 5 * kMaxAttributes;

// One parse: counts the decompressed bytes and looks into the start tag
// being collected as libxml2 reads the file; refuses the first entity or
// attribute-default declaration before anything uses it; passes elements and
// text on to the handler, as far as it wants them. Reading fails (an I/O
// error ends the parse) or the parser is stopped, whichever comes first.
class Stream {
 public:
  Stream(XmlPtr<xmlParserInputBuffer> file, ElementHandler& handler) noexcept
      : file_(std::move(file)), handler_(handler) {}
  // The parser context points here.
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;
  ~Stream() = default;

  void install(xmlParserCtxt* ctxt) noexcept {
    ctxt_ = ctxt;
    ctxt->_private = this;
    xmlSAXHandler* sax = ctxt->sax;
    // libxml2's SAX2 handlers for the document and its DTD, whatever
    // defaults (SAX1, dropped blanks) the process chose.
    xmlSAXVersion(sax, 2);
    sax->startElementNs = start_element;
    sax->endElementNs = end_element;
    sax->characters = characters;
    // The same function as for characters: libxml2 then never asks whether
    // blanks could be dropped, as in a default parse that keeps them.
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
  }

  Outcome refusal() const noexcept { return refusal_; }
  Limit limit() const noexcept { return limit_; }
  FirstError take_first_error() noexcept { return std::move(first_error_); }

  static int read(void* context, char* buffer, int length) noexcept {
    Stream& self = *static_cast<Stream*>(context);
    if (self.reading()) {
      const Limit crowded = self.crowded();
      if (crowded != Limit::kNone) self.note(Outcome::kOverLimit, crowded);
    }
    if (!self.reading() || self.file_->readcallback == nullptr) return -1;
    const int n = self.file_->readcallback(self.file_->context, buffer, length);
    self.ended_ = n == 0;
    if (n <= 0) return n;
    self.bytes_ += static_cast<std::size_t>(n);
    if (self.bytes_ <= kMaxBytes) return n;
    self.note(Outcome::kOverLimit, Limit::kSize);
    return -1;
  }

  // The file is closed with the Stream, after the parser context.
  static int close(void* /*context*/) noexcept { return 0; }

 private:
  enum class Run { kNone, kText, kCData };

  static Stream& of(void* ctx) noexcept {
    return *static_cast<Stream*>(static_cast<xmlParserCtxt*>(ctx)->_private);
  }

  // The start tag being read, or the elements open, hold too many
  // attributes or namespaces; or the internal subset being read is already
  // too long.
  Limit crowded() const noexcept {
    if (ctxt_ == nullptr) return Limit::kNone;
    if (ctxt_->inSubset == 1 && subset_too_long()) return Limit::kSubset;
    if (ctxt_->maxatts > kMaxAttributeSlots) return Limit::kAttributes;
    if (ctxt_->nsNr / 2 > kMaxNamespaces) return Limit::kNamespaces;
    return Limit::kNone;
  }

  // Where the parse stands in the document's text (UTF-8, as libxml2 holds
  // it), whatever was read ahead of it.
  std::size_t position() const noexcept {
    const xmlParserInput* in = ctxt_->inputNr > 0 ? ctxt_->inputTab[0] : nullptr;
    if (in == nullptr || in->base == nullptr) return 0;
    return static_cast<std::size_t>(in->consumed) + static_cast<std::size_t>(in->cur - in->base);
  }

  // The internal subset runs from its "[" to the ">" that ends the DOCTYPE.
  // Counted from the parse's own positions, the limit does not depend on
  // how reads fall: checked while reading, and once more at its end.
  bool subset_too_long() const noexcept {
    return subset_start_ != kNoSubset && position() - subset_start_ > kMaxSubsetBytes;
  }

  bool reading() const noexcept { return refusal_ == Outcome::kRead; }

  // The first refusal stands, with the limit it names.
  void note(Outcome why, Limit limit) noexcept {
    if (refusal_ != Outcome::kRead) return;
    refusal_ = why;
    limit_ = limit;
  }

  void refuse(Outcome why, Limit limit = Limit::kNone) noexcept {
    note(why, limit);
    xmlStopParser(ctxt_);
  }

  // Runs a handler call. A full handler ends the parse, and so does one
  // that runs out of memory: nothing may unwind through libxml2.
  template <typename Call>
  void guarded(Call call) noexcept {
    try {
      call();
    } catch (...) {
      refuse(Outcome::kOverLimit, Limit::kHandlerFull);
      return;
    }
    if (handler_.full()) refuse(Outcome::kOverLimit, Limit::kHandlerFull);
  }

  // Adjacent pieces of one kind join one text node in a tree; see kMaxTextRun.
  bool extend_run(Run kind, int length) noexcept {
    const auto n = static_cast<std::size_t>(length);
    if (run_ != kind) {
      run_ = kind;
      run_length_ = n;
      return true;
    }
    run_length_ += n;
    if (run_length_ <= kMaxTextRun) return true;
    refuse(Outcome::kOverLimit, Limit::kTextRun);
    return false;
  }

  static void start_element(void* ctx, const xmlChar* name, const xmlChar* prefix,
                            const xmlChar* uri, int /*nb_namespaces*/,
                            const xmlChar** /*namespaces*/, int nb_attributes, int nb_defaulted,
                            const xmlChar** attributes) noexcept {
    Stream& self = of(ctx);
    if (!self.reading()) return;
    self.run_ = Run::kNone;
    const Limit crowded = nb_attributes > kMaxAttributes ? Limit::kAttributes : self.crowded();
    if (crowded != Limit::kNone) {
      self.refuse(Outcome::kOverLimit, crowded);
      return;
    }
    ++self.depth_;
    if (self.quiet_from_ != 0) return;
    // Defaulted attributes come last and stay out of the tree (libxml2 adds
    // them only when asked to complete attributes, which no parse here is).
    const Element element =
        Element::of_tag(name, prefix, uri, attributes, nb_attributes - nb_defaulted,
                        self.ctxt_->input != nullptr ? self.ctxt_->input->line : 0);
    self.guarded([&] {
      switch (self.handler_.start(element)) {
        case Want::kChildren:
          break;
        case Want::kText:
          self.text_wanted_ = true;
          [[fallthrough]];
        case Want::kNothing:
          self.quiet_from_ = self.depth_;
          break;
      }
    });
  }

  static void end_element(void* ctx, const xmlChar* /*name*/, const xmlChar* /*prefix*/,
                          const xmlChar* /*uri*/) noexcept {
    Stream& self = of(ctx);
    if (!self.reading()) return;
    self.run_ = Run::kNone;
    const unsigned depth = self.depth_--;
    if (self.quiet_from_ != 0 && depth > self.quiet_from_) return;
    if (depth == self.quiet_from_) {
      self.quiet_from_ = 0;
      self.text_wanted_ = false;
    }
    self.guarded([&] { self.handler_.end(); });
  }

  void pass_text(Run kind, const xmlChar* text, int length) noexcept {
    if (!reading() || !extend_run(kind, length) || !text_wanted_) return;
    guarded([&] {
      handler_.text({reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)});
    });
  }

  static void characters(void* ctx, const xmlChar* text, int length) noexcept {
    of(ctx).pass_text(Run::kText, text, length);
  }

  static void cdata(void* ctx, const xmlChar* text, int length) noexcept {
    of(ctx).pass_text(Run::kCData, text, length);
  }

  // Comments and processing instructions are nodes of their own in a tree:
  // the text on either side of one does not join.
  static void comment(void* ctx, const xmlChar* /*text*/) noexcept { of(ctx).run_ = Run::kNone; }

  static void instruction(void* ctx, const xmlChar* /*target*/, const xmlChar* /*data*/) noexcept {
    of(ctx).run_ = Run::kNone;
  }

  // Declared entities were refused with their declaration, so only a name
  // nothing declares comes here: beside an external DTD (never fetched)
  // that is no error. The tree keeps an empty reference node, which adds
  // no text and parts the text on either side.
  static void reference(void* ctx, const xmlChar* /*name*/) noexcept { of(ctx).run_ = Run::kNone; }

  // libxml2 reports the DOCTYPE standing at its "[" (or at its end, when it
  // has no internal subset).
  static void internal_subset(void* ctx, const xmlChar* name, const xmlChar* external_id,
                              const xmlChar* system_id) noexcept {
    xmlSAX2InternalSubset(ctx, name, external_id, system_id);
    Stream& self = of(ctx);
    self.subset_start_ = self.position();
  }

  // The DOCTYPE has ended: here libxml2 would load the external DTD.
  static void subset_ended(void* ctx, const xmlChar* /*name*/, const xmlChar* /*external_id*/,
                           const xmlChar* /*system_id*/) noexcept {
    Stream& self = of(ctx);
    if (self.subset_too_long()) self.refuse(Outcome::kOverLimit, Limit::kSubset);
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

  // Reports come here, and only here, with the parser context.
  static void keep_error(void* ctx, xmlErrorPtr error) noexcept {
    if (ctx == nullptr) return;
    Stream& self = of(ctx);
    self.first_error_.keep(error, static_cast<xmlParserCtxt*>(ctx), self.ended_);
  }

  static constexpr std::size_t kNoSubset = ~std::size_t{0};

  XmlPtr<xmlParserInputBuffer> file_;
  ElementHandler& handler_;
  xmlParserCtxt* ctxt_ = nullptr;
  std::size_t bytes_ = 0;
  bool ended_ = false;                    // the file has given all it holds
  std::size_t subset_start_ = kNoSubset;  // position of the internal subset's "["
  Run run_ = Run::kNone;
  std::size_t run_length_ = 0;
  unsigned depth_ = 0;        // elements open
  unsigned quiet_from_ = 0;   // depth of the element whose children go unseen
  bool text_wanted_ = false;  // ...and whose text the handler wants
  Outcome refusal_ = Outcome::kRead;
  Limit limit_ = Limit::kNone;  // ...when it is kOverLimit
  FirstError first_error_;
};

}  // namespace

FileFault file_fault(const char* path) noexcept {
  if (path == nullptr) {
    errno = EINVAL;
    return FileFault::kUnreadable;
  }
  if (access(path, R_OK) != 0) return FileFault::kUnreadable;
  struct stat status {};
  if (stat(path, &status) != 0) return FileFault::kUnreadable;
  return S_ISREG(status.st_mode) ? FileFault::kNone : FileFault::kNotRegularFile;
}

StreamResult read_file(const char* path, ElementHandler& handler) noexcept {
  StreamResult result;
  if (file_fault(path) != FileFault::kNone) return result;
  // libxml2's own opening of a local file, decompression included; the
  // process-wide external-entity loader and catalogs are bypassed.
  XmlPtr<xmlParserInputBuffer> file(
      xmlParserInputBufferCreateFilename(path, XML_CHAR_ENCODING_NONE));
  if (!file) return result;
  Stream stream(std::move(file), handler);
  const XmlPtr<xmlParserCtxt> ctxt(xmlNewParserCtxt());
  if (!ctxt) return result;
  stream.install(ctxt.get());
  // xmlCtxtUseOptions resets the fields the process-wide defaults set in a
  // new context, but only ever adds to its option bits, which libxml2 also
  // consults (a parameter entity is fetched when NOENT or DTDLOAD is there).
  ctxt->options = 0;
  // What comes back is the document's shell: its DTD, no elements. It
  // exists only when the file was well-formed.
  const XmlPtr<xmlDoc> doc(
      xmlCtxtReadIO(ctxt.get(), Stream::read, Stream::close, &stream, path, nullptr, kOptions));
  result.parsed = doc != nullptr;
  if (stream.refusal() != Outcome::kRead) {
    result.outcome = stream.refusal();
    result.limit = stream.limit();
  } else if (!doc) {
    result.outcome = Outcome::kMalformed;
    result.error = stream.take_first_error();
    result.error.keep_last(xmlCtxtGetLastError(ctxt.get()));
  } else if (declares_expansions(doc.get()))
    result.outcome = Outcome::kDeclaresExpansions;
  else
    result.outcome = Outcome::kRead;
  return result;
}

}  // namespace brelund::sources
