#include "XliffFile.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlwriter.h>

#include <memory>

#include "Format.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /exchange/XliffFile.cpp 1 10.12.26 0:50 XG $")

namespace xel {

namespace {

constexpr const char* Xliff12Ns = "urn:oasis:names:tc:xliff:document:1.2";
constexpr const char* Xliff20Ns = "urn:oasis:names:tc:xliff:document:2.0";
// The language names of the data, beside the codes that XLIFF knows.
constexpr const char* GlottaNs = "urn:xel-glotta:exchange";

const xmlChar* X(const char* s) { return reinterpret_cast<const xmlChar*>(s); }
const xmlChar* X(const String& s) { return X(s.c_str()); }

// ---- writing --------------------------------------------------------------------------

// XML 1.0 carries tabs and line breaks but no other control character, and only UTF-8.
void CheckXmlText(const String& text, const String& key) {
  for (unsigned char c : text)
    if ((c < 32 && c != '\t' && c != '\n' && c != '\r') || c == 127)
      throw Exception(Format("%s: the text holds the control character #%d, which XML cannot carry", {key, c}));
  if (!text.empty() && xmlCheckUTF8(X(text)) == 0) throw Exception(Format("%s: the text is not UTF-8", {key}));
  // U+FFFE and U+FFFF are characters, but none that XML allows.
  if (text.find("\xEF\xBF\xBE") != String::npos || text.find("\xEF\xBF\xBF") != String::npos)
    throw Exception(Format("%s: the text holds a character that XML cannot carry", {key}));
}

class TXmlWriter {
public:
  TXmlWriter() : FBuffer(xmlBufferCreate()), FWriter(xmlNewTextWriterMemory(FBuffer, 0)) {
    if (!FBuffer || !FWriter) throw Exception("Out of memory for the XML writer");
    xmlTextWriterSetIndent(FWriter, 1);
    xmlTextWriterSetIndentString(FWriter, X("  "));
    Check(xmlTextWriterStartDocument(FWriter, "1.0", "UTF-8", nullptr));
  }
  ~TXmlWriter() {
    if (FWriter) xmlFreeTextWriter(FWriter);
    xmlBufferFree(FBuffer);
  }
  void Start(const char* element) { Check(xmlTextWriterStartElement(FWriter, X(element))); }
  void End() { Check(xmlTextWriterEndElement(FWriter)); }
  // What errors name: the unit being written, or the file.
  void SetContext(const String& context) { FContext = context; }
  // Every text goes through these two, so none that XML cannot carry is ever written.
  void Attribute(const char* name, const String& value) {
    CheckXmlText(value, FContext);
    Check(xmlTextWriterWriteAttribute(FWriter, X(name), X(value)));
  }
  void Text(const String& text) {
    CheckXmlText(text, FContext);
    Check(xmlTextWriterWriteString(FWriter, X(text)));
  }
  void Element(const char* element, const String& text) {
    Start(element);
    Text(text);
    End();
  }
  void Element(const char* element, const String& text, const char* attribute, const String& value) {
    Start(element);
    Attribute(attribute, value);
    Text(text);
    End();
  }
  String Finish() {
    Check(xmlTextWriterEndDocument(FWriter));
    xmlFreeTextWriter(FWriter);
    FWriter = nullptr;
    return String(reinterpret_cast<const char*>(xmlBufferContent(FBuffer)), xmlBufferLength(FBuffer));
  }

private:
  static void Check(int result) {
    if (result < 0) throw Exception("The XML writer failed");
  }
  xmlBufferPtr FBuffer;
  xmlTextWriterPtr FWriter;
  String FContext = "file";
};

// XLIFF 2.0 ids are name tokens: what else a key holds is written as "_" and two hex digits.
String UnitId(const String& key) {
  static const char* const hex = "0123456789ABCDEF";
  String id;
  for (unsigned char c : key)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
        c == ':')
      id += static_cast<char>(c);
    else
      id += {'_', hex[c >> 4], hex[c & 15]};
  return id;
}

const char* State12(TTranslationState s) {
  switch (s) {
    case tsFuzzy: return "needs-review-translation";
    case tsFinal: return "final";
    default: return "translated";
  }
}

const char* State20(TTranslationState s) {
  switch (s) {
    case tsTranslated: return "translated";
    case tsFinal: return "final";
    default: return "initial";
  }
}

}  // namespace

String WriteXliffFile(const TTranslationCatalog& catalog, TXliffVersion version) {
  TXmlWriter w;
  w.Start("xliff");
  if (version == xv12) {
    w.Attribute("version", "1.2");
    w.Attribute("xmlns", Xliff12Ns);
    w.Attribute("xmlns:xg", GlottaNs);
    w.Start("file");
    w.Attribute("original", catalog.Original);
    w.Attribute("source-language", catalog.SourceCode);
    w.Attribute("target-language", catalog.TargetCode);
    w.Attribute("datatype", "plaintext");
    w.Attribute("xg:source-language", catalog.SourceLanguage);
    w.Attribute("xg:target-language", catalog.TargetLanguage);
    w.Start("body");
    for (const TTranslationUnit& u : catalog.Units) {
      w.SetContext(u.Key);
      w.Start("trans-unit");
      w.Attribute("id", u.Key);
      w.Attribute("resname", u.Key);
      w.Attribute("xml:space", "preserve");
      w.Element("source", u.Source);
      if (u.HasTarget) w.Element("target", u.Target, "state", State12(u.State));
      if (!u.Note.empty()) w.Element("note", u.Note, "from", "developer");
      w.End();
    }
    w.End();
    w.End();
  } else {
    w.Attribute("xmlns", Xliff20Ns);
    w.Attribute("xmlns:xg", GlottaNs);
    w.Attribute("version", "2.0");
    w.Attribute("srcLang", catalog.SourceCode);
    w.Attribute("trgLang", catalog.TargetCode);
    w.Start("file");
    w.Attribute("id", "f1");
    w.Attribute("original", catalog.Original);
    w.Attribute("xg:source-language", catalog.SourceLanguage);
    w.Attribute("xg:target-language", catalog.TargetLanguage);
    for (const TTranslationUnit& u : catalog.Units) {
      w.SetContext(u.Key);
      w.Start("unit");
      w.Attribute("id", UnitId(u.Key));
      w.Attribute("name", u.Key);
      w.Attribute("xml:space", "preserve");
      if (!u.Note.empty()) {
        w.Start("notes");
        w.Element("note", u.Note, "category", "location");
        w.End();
      }
      w.Start("segment");
      w.Attribute("state", State20(u.State));
      if (u.State == tsFuzzy) w.Attribute("subState", "xg:fuzzy");
      w.Element("source", u.Source);
      if (u.HasTarget) w.Element("target", u.Target);
      w.End();
      w.End();
    }
    w.End();
  }
  w.End();
  return w.Finish();
}

// ---- reading --------------------------------------------------------------------------

namespace {

struct TDocFree {
  void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};

bool Is(const xmlNode* n, const char* name) {
  return n && n->type == XML_ELEMENT_NODE && xmlStrcmp(n->name, X(name)) == 0;
}

String Attr(const xmlNode* n, const char* name, const char* ns = nullptr) {
  xmlChar* v = ns ? xmlGetNsProp(n, X(name), X(ns)) : xmlGetNoNsProp(n, X(name));
  if (!v) return {};
  String s(reinterpret_cast<const char*>(v));
  xmlFree(v);
  return s;
}

class TXliffReader {
public:
  TXliffReader(const String& fileName, TStrings* warnings) : FFileName(fileName), FWarnings(warnings) {}
  std::vector<TTranslationCatalog> Read(std::string_view text);

private:
  void Warn(const xmlNode* n, const String& message) {
    if (FWarnings)
      FWarnings->Add(Format("%s:%d: warning: %s", {FFileName, static_cast<Integer>(xmlGetLineNo(n)), message}));
  }
  [[noreturn]] void Fail(const xmlNode* n, const String& message) const {
    throw EReadError(Format("%s:%d:1: %s", {FFileName, static_cast<Integer>(n ? xmlGetLineNo(n) : 1), message}));
  }
  // The text of source or target; inline codes keep their text, those without any are
  // left out with a warning.
  String Text(const xmlNode* n, const String& key);
  void ReadFile(const xmlNode* file, const xmlNode* root, bool v2);
  void Units12(const xmlNode* parent, TTranslationCatalog& catalog, int depth);
  void Units20(const xmlNode* parent, TTranslationCatalog& catalog, int depth);
  void Add(TTranslationCatalog& catalog, TTranslationUnit u, const xmlNode* n);

  String FFileName;
  TStrings* FWarnings;
  std::vector<TTranslationCatalog> FCatalogs;
};

void AppendText(const xmlNode* n, String& out, std::vector<String>& dropped) {
  for (const xmlNode* c = n->children; c; c = c->next) {
    if (c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE) {
      if (c->content) out += reinterpret_cast<const char*>(c->content);
    } else if (c->type == XML_ELEMENT_NODE) {
      if (Is(c, "cp")) {
        // A character that XML cannot carry, in XLIFF 2.0.
        const String hex = Attr(c, "hex");
        unsigned v = 0;
        try {
          v = static_cast<unsigned>(std::stoul(hex, nullptr, 16));
        } catch (const std::exception&) {
          dropped.push_back("cp");
          continue;
        }
        if (v == 0 || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) {
          dropped.push_back("cp");
        } else if (v < 0x80) {
          out += static_cast<char>(v);
        } else if (v < 0x800) {
          out += {static_cast<char>(0xC0 | (v >> 6)), static_cast<char>(0x80 | (v & 0x3F))};
        } else if (v < 0x10000) {
          out += {static_cast<char>(0xE0 | (v >> 12)), static_cast<char>(0x80 | ((v >> 6) & 0x3F)),
                  static_cast<char>(0x80 | (v & 0x3F))};
        } else {
          out += {static_cast<char>(0xF0 | (v >> 18)), static_cast<char>(0x80 | ((v >> 12) & 0x3F)),
                  static_cast<char>(0x80 | ((v >> 6) & 0x3F)), static_cast<char>(0x80 | (v & 0x3F))};
        }
      } else if (!c->children) {
        dropped.push_back(reinterpret_cast<const char*>(c->name));
      } else {
        AppendText(c, out, dropped);
      }
    }
  }
}

String TXliffReader::Text(const xmlNode* n, const String& key) {
  String out;
  std::vector<String> dropped;
  AppendText(n, out, dropped);
  for (const String& d : dropped) Warn(n, Format("%s: inline code <%s> has no text here: left out", {key, d}));
  return out;
}

void TXliffReader::Add(TTranslationCatalog& catalog, TTranslationUnit u, const xmlNode* n) {
  u.Line = static_cast<int>(xmlGetLineNo(n));
  if (u.Key.empty()) {
    Warn(n, "unit without id left out");
    return;
  }
  for (const TTranslationUnit& other : catalog.Units)
    if (other.Key == u.Key) Fail(n, Format("unit %s occurs twice", {u.Key}));
  if (u.State == tsFuzzy && u.HasTarget) Warn(n, Format("%s: translation needs review, imported", {u.Key}));
  catalog.Units.push_back(std::move(u));
}

void TXliffReader::Units12(const xmlNode* parent, TTranslationCatalog& catalog, int depth) {
  if (depth > 32) Fail(parent, "groups nested too deeply");
  for (const xmlNode* n = parent->children; n; n = n->next) {
    if (Is(n, "group")) {
      Units12(n, catalog, depth + 1);
    } else if (Is(n, "bin-unit")) {
      Warn(n, "binary unit left out");
    } else if (Is(n, "trans-unit")) {
      TTranslationUnit u;
      u.Key = Attr(n, "resname");
      if (u.Key.empty()) u.Key = Attr(n, "id");
      bool hasSource = false;
      if (Attr(n, "translate") == "no") continue;
      for (const xmlNode* c = n->children; c; c = c->next) {
        if (Is(c, "source")) {
          u.Source = Text(c, u.Key);
          hasSource = true;
        } else if (Is(c, "target")) {
          u.Target = Text(c, u.Key);
          u.HasTarget = true;
          const String state = Attr(c, "state");
          u.State = state == "final" || state == "signed-off" ? tsFinal
                    : state.empty() || state == "translated"  ? tsTranslated
                    : state == "new"                          ? tsUntranslated
                                                              : tsFuzzy;
          if (u.State == tsUntranslated && u.Target.empty()) u.HasTarget = false;
          else if (u.State == tsUntranslated) u.State = tsFuzzy;
        } else if (Is(c, "note") && u.Note.empty()) {
          u.Note = Text(c, u.Key);
        }
      }
      if (!hasSource) Fail(n, Format("trans-unit %s without source", {u.Key}));
      Add(catalog, std::move(u), n);
    }
  }
}

void TXliffReader::Units20(const xmlNode* parent, TTranslationCatalog& catalog, int depth) {
  if (depth > 32) Fail(parent, "groups nested too deeply");
  for (const xmlNode* n = parent->children; n; n = n->next) {
    if (Is(n, "group")) {
      Units20(n, catalog, depth + 1);
      continue;
    }
    if (!Is(n, "unit")) continue;
    TTranslationUnit u;
    u.Key = Attr(n, "name");
    if (u.Key.empty()) u.Key = Attr(n, "id");
    if (Attr(n, "translate") == "no") continue;
    bool hasSource = false, anyTarget = false, allTargets = true;
    TTranslationState state = tsFinal;
    for (const xmlNode* c = n->children; c; c = c->next) {
      if (Is(c, "notes")) {
        for (const xmlNode* note = c->children; note; note = note->next)
          if (Is(note, "note") && u.Note.empty()) u.Note = Text(note, u.Key);
        continue;
      }
      const bool segment = Is(c, "segment");
      if (!segment && !Is(c, "ignorable")) continue;
      bool hasTarget = false;
      for (const xmlNode* part = c->children; part; part = part->next) {
        if (Is(part, "source")) {
          u.Source += Text(part, u.Key);
          hasSource = true;
        } else if (Is(part, "target")) {
          u.Target += Text(part, u.Key);
          hasTarget = true;
        }
      }
      if (!segment) continue;
      anyTarget = anyTarget || hasTarget;
      allTargets = allTargets && hasTarget;
      const String s = Attr(c, "state");
      const TTranslationState segmentState = s == "final"                            ? tsFinal
                                             : s == "translated" || s == "reviewed" ? tsTranslated
                                             : s.empty() && hasTarget              ? tsTranslated
                                             : hasTarget                           ? tsFuzzy
                                                                                   : tsUntranslated;
      if (segmentState < state) state = segmentState;
    }
    if (!hasSource) Fail(n, Format("unit %s without source", {u.Key}));
    if (anyTarget && !allTargets) {
      Warn(n, Format("%s: some segments are not translated: left out", {u.Key}));
      continue;
    }
    u.HasTarget = anyTarget;
    u.State = anyTarget ? (state == tsUntranslated ? tsFuzzy : state) : tsUntranslated;
    Add(catalog, std::move(u), n);
  }
}

void TXliffReader::ReadFile(const xmlNode* file, const xmlNode* root, bool v2) {
  TTranslationCatalog catalog;
  catalog.FileName = FFileName;
  catalog.Original = Attr(file, "original");
  // XLIFF 1.2 names the languages per file, 2.0 once for the document.
  catalog.SourceCode = v2 ? Attr(root, "srcLang") : Attr(file, "source-language");
  catalog.TargetCode = v2 ? Attr(root, "trgLang") : Attr(file, "target-language");
  catalog.SourceLanguage = Attr(file, "source-language", GlottaNs);
  catalog.TargetLanguage = Attr(file, "target-language", GlottaNs);
  if (v2) Units20(file, catalog, 0);
  else
    for (const xmlNode* n = file->children; n; n = n->next)
      if (Is(n, "body")) Units12(n, catalog, 0);
  FCatalogs.push_back(std::move(catalog));
}

std::vector<TTranslationCatalog> TXliffReader::Read(std::string_view text) {
  if (text.find("<!DOCTYPE") != std::string_view::npos)
    throw EReadError(FFileName + ":1:1: a document type declaration is not read (entities could expand without bound)");
  if (text.size() > static_cast<size_t>(INT32_MAX)) throw EReadError(FFileName + ":1:1: file too large");
  xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
  if (!ctxt) throw Exception("Out of memory for the XML reader");
  std::unique_ptr<xmlDoc, TDocFree> doc(xmlCtxtReadMemory(ctxt, text.data(), static_cast<int>(text.size()),
                                                          FFileName.c_str(), "UTF-8",
                                                          XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!doc) {
    const xmlError* e = xmlCtxtGetLastError(ctxt);
    String message = e && e->message ? Trim(e->message) : String("not an XML document");
    const int line = e ? e->line : 1, col = e ? e->int2 : 1;
    xmlFreeParserCtxt(ctxt);
    throw EReadError(Format("%s:%d:%d: %s", {FFileName, line, col > 0 ? col : 1, message}));
  }
  xmlFreeParserCtxt(ctxt);
  const xmlNode* root = xmlDocGetRootElement(doc.get());
  if (!Is(root, "xliff")) Fail(root, "the root element is not <xliff>");
  const String version = Attr(root, "version");
  const bool v2 = version.rfind("2.", 0) == 0;
  if (!v2 && version != "1.2" && version != "1.1" && version != "1.0")
    Fail(root, Format("XLIFF version \"%s\" is not read", {version}));
  for (const xmlNode* n = root->children; n; n = n->next)
    if (Is(n, "file")) ReadFile(n, root, v2);
  if (FCatalogs.empty()) Fail(root, "the file holds no <file> element");
  return std::move(FCatalogs);
}

}  // namespace

std::vector<TTranslationCatalog> ReadXliffFile(std::string_view text, const String& fileName, TStrings* warnings) {
  return TXliffReader(fileName, warnings).Read(text);
}

}  // namespace xel
