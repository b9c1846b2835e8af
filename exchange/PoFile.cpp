#include "PoFile.h"

#include <unordered_set>

#include "Format.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /exchange/PoFile.cpp 1 10.12.26 0:35 XG $")

namespace xel {

namespace {

// ---- writing --------------------------------------------------------------------------

String Quoted(std::string_view s) {
  String out = "\"";
  for (char c : s) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 32 || c == 127) {
          const unsigned v = static_cast<unsigned char>(c);
          out += '\\';
          out += static_cast<char>('0' + (v >> 6));
          out += static_cast<char>('0' + ((v >> 3) & 7));
          out += static_cast<char>('0' + (v & 7));
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

// A keyword and its string; a text with line breaks inside goes on one line per line, as
// gettext's tools write it.
void Field(String& out, const char* prefix, const char* keyword, std::string_view s) {
  const size_t nl = s.find('\n');
  out += prefix;
  out += keyword;
  out += ' ';
  if (nl == std::string_view::npos || nl + 1 == s.size()) {
    out += Quoted(s) + "\n";
    return;
  }
  out += "\"\"\n";
  for (size_t start = 0; start < s.size();) {
    size_t end = s.find('\n', start);
    end = end == std::string_view::npos ? s.size() : end + 1;
    out += prefix;
    out += Quoted(s.substr(start, end - start)) + "\n";
    start = end;
  }
}

void Comment(String& out, const char* mark, std::string_view text) {
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    out += mark;
    out += ' ';
    out += text.substr(start, end - start);
    out += '\n';
    start = end + 1;
  }
}

}  // namespace

String WritePoFile(const TTranslationCatalog& catalog) {
  String out;
  Comment(out, "#", "Translation of " + catalog.Original + " into " + catalog.TargetLanguage + ".");
  out += "msgid \"\"\nmsgstr \"\"\n";
  auto header = [&](const String& field, const String& value) { out += Quoted(field + ": " + value + "\n") + "\n"; };
  header("Project-Id-Version", catalog.Original);
  header("Language", catalog.TargetCode);
  header("MIME-Version", "1.0");
  header("Content-Type", "text/plain; charset=UTF-8");
  header("Content-Transfer-Encoding", "8bit");
  header("X-Glotta-Source-Language", catalog.SourceLanguage);
  header("X-Glotta-Language", catalog.TargetLanguage);
  for (const TTranslationUnit& u : catalog.Units) {
    out += '\n';
    if (!u.Note.empty()) Comment(out, "#.", u.Note);
    if (u.State == tsFuzzy) out += "#, fuzzy\n";
    if (u.HasPreviousSource) Field(out, "#| ", "msgid", u.PreviousSource);
    Field(out, "", "msgctxt", u.Key);
    Field(out, "", "msgid", u.Source);
    Field(out, "", "msgstr", u.HasTarget ? std::string_view(u.Target) : std::string_view());
  }
  return out;
}

// ---- reading --------------------------------------------------------------------------

namespace {

class TPoReader {
public:
  TPoReader(std::string_view text, const String& fileName, TStrings* warnings)
      : FText(text), FFileName(fileName), FWarnings(warnings) {}
  TTranslationCatalog Read();

private:
  enum TField { fdNone, fdContext, fdId, fdPlural, fdStr, fdPrevious, fdIgnored };
  struct TEntry {
    int Line = 0;
    bool Obsolete = false, Fuzzy = false;
    bool HasContext = false, HasId = false, HasStr = false, Plural = false;
    String Context, Id, Str, Note, Previous;
    bool HasPrevious = false;
    bool Started() const { return HasContext || HasId || HasStr || Plural; }
  };

  [[noreturn]] void Fail(size_t col, const String& message) const {
    throw EReadError(Format("%s:%d:%d: %s", {FFileName, FLine, static_cast<Integer>(col + 1), message}));
  }
  void Warn(int line, const String& message) {
    if (FWarnings) FWarnings->Add(Format("%s:%d: warning: %s", {FFileName, line, message}));
  }
  void ParseLine(std::string_view line);
  void Keyword(std::string_view line, size_t at, bool previous);
  String ParseString(std::string_view line, size_t at);
  void Append(TField field, const String& s);
  void Flush();
  void Header(const String& text, int line);

  std::string_view FText;
  String FFileName;
  TStrings* FWarnings;
  int FLine = 0;
  size_t FOffset = 0;  // of the current line's text after an obsolete mark
  TEntry FEntry;
  TField FField = fdNone;
  bool FHeaderSeen = false;
  TTranslationCatalog FCatalog;
  std::unordered_set<String> FKeys;
};

String TPoReader::ParseString(std::string_view line, size_t at) {
  while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
  if (at >= line.size() || line[at] != '"') Fail(FOffset + at, "a string in double quotes expected");
  String s;
  size_t i = at + 1;
  for (;; ++i) {
    if (i >= line.size()) Fail(FOffset + at, "the string does not end on its line");
    const char c = line[i];
    if (c == '"') break;
    if (c != '\\') {
      s += c;
      continue;
    }
    if (++i >= line.size()) Fail(FOffset + i, "the string does not end on its line");
    switch (line[i]) {
      case 'n': s += '\n'; break;
      case 't': s += '\t'; break;
      case 'r': s += '\r'; break;
      case 'a': s += '\a'; break;
      case 'b': s += '\b'; break;
      case 'f': s += '\f'; break;
      case 'v': s += '\v'; break;
      case '\\': s += '\\'; break;
      case '"': s += '"'; break;
      case 'x': {
        unsigned v = 0;
        int digits = 0;
        while (i + 1 < line.size() && digits < 2 && std::isxdigit(static_cast<unsigned char>(line[i + 1]))) {
          const char h = line[++i];
          v = v * 16 + static_cast<unsigned>(h <= '9' ? h - '0' : (h | 0x20) - 'a' + 10);
          ++digits;
        }
        if (digits == 0) Fail(FOffset + i, "\\x without hexadecimal digits");
        s += static_cast<char>(v);
        break;
      }
      default:
        if (line[i] >= '0' && line[i] <= '7') {
          unsigned v = 0;
          int digits = 0;
          for (--i; i + 1 < line.size() && digits < 3 && line[i + 1] >= '0' && line[i + 1] <= '7'; ++digits)
            v = v * 8 + static_cast<unsigned>(line[++i] - '0');
          if (v > 255) Fail(FOffset + i, "octal escape beyond 255");
          s += static_cast<char>(v);
        } else {
          Fail(FOffset + i - 1, Format("unknown escape \\%s", {String(1, line[i])}));
        }
    }
  }
  for (size_t j = i + 1; j < line.size(); ++j)
    if (line[j] != ' ' && line[j] != '\t') Fail(FOffset + j, "text after the string");
  return s;
}

void TPoReader::Append(TField field, const String& s) {
  switch (field) {
    case fdContext: FEntry.Context += s; break;
    case fdId: FEntry.Id += s; break;
    case fdStr: FEntry.Str += s; break;
    case fdPrevious: FEntry.Previous += s; break;
    default: break;
  }
}

void TPoReader::Keyword(std::string_view line, size_t at, bool previous) {
  size_t end = at;
  while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '"') ++end;
  const std::string_view word = line.substr(at, end - at);
  if (previous) {
    // "#| msgid" and "#| msgctxt": only the old text matters here.
    FField = word == "msgid" ? fdPrevious : fdIgnored;
    if (word != "msgid" && word != "msgctxt" && word != "msgid_plural") Fail(FOffset + at, "unknown keyword after #|");
    if (FField == fdPrevious) FEntry.HasPrevious = true;
    Append(FField, ParseString(line, end));
    return;
  }
  // A keyword that starts an entry ends the one before it.
  if ((word == "msgctxt" || word == "msgid") && FEntry.HasStr) Flush();
  if (!FEntry.Started()) FEntry.Line = FLine;
  if ((word == "msgctxt" || word == "msgid") && FEntry.HasId) {
    FLine = FEntry.Line;
    Fail(0, "entry without msgstr");
  }
  if (word == "msgctxt") {
    if (FEntry.HasContext) Fail(FOffset + at, "a second msgctxt");
    FEntry.HasContext = true;
    FField = fdContext;
  } else if (word == "msgid") {
    FEntry.HasId = true;
    FField = fdId;
  } else if (word == "msgid_plural") {
    if (!FEntry.HasId || FEntry.HasStr) Fail(FOffset + at, "msgid_plural out of place");
    FEntry.Plural = true;
    FField = fdIgnored;
  } else if (word == "msgstr" || (word.size() > 7 && word.substr(0, 7) == "msgstr[")) {
    if (!FEntry.HasId) Fail(FOffset + at, "msgstr without msgid");
    const bool indexed = word != "msgstr";
    if (indexed) {
      if (word.back() != ']' || word.size() < 9) Fail(FOffset + at, "msgstr[ without index");
      for (size_t k = 7; k + 1 < word.size(); ++k)
        if (word[k] < '0' || word[k] > '9') Fail(FOffset + at + k, "msgstr[ without index");
      FEntry.Plural = true;
    } else if (FEntry.HasStr) {
      Fail(FOffset + at, "a second msgstr");
    }
    FEntry.HasStr = true;
    FField = indexed ? fdIgnored : fdStr;
  } else {
    Fail(FOffset + at, Format("unknown keyword %s", {String(word)}));
  }
  Append(FField, ParseString(line, end));
}

void TPoReader::ParseLine(std::string_view line) {
  FOffset = 0;
  bool obsolete = false;
  if (line.substr(0, 2) == "#~") {
    obsolete = true;
    FOffset = 2;
    line.remove_prefix(2);
    while (!line.empty() && line[0] == ' ') line.remove_prefix(1), ++FOffset;
    if (line.empty() || line[0] == '|') return;  // an obsolete entry's old text
  }
  if (obsolete) {
    if (FEntry.HasStr && !FEntry.Obsolete) Flush();
    FEntry.Obsolete = true;
  }
  if (line[0] == '#') {
    if (FEntry.HasStr) Flush();
    if (line.substr(0, 2) == "#|") {
      size_t at = 2;
      while (at < line.size() && line[at] == ' ') ++at;
      if (at < line.size() && line[at] == '"') {
        if (FField != fdPrevious && FField != fdIgnored) Fail(FOffset + at, "a continued string without keyword");
        Append(FField, ParseString(line, at));
      } else if (at < line.size()) {
        Keyword(line, at, true);
      }
    } else if (line.substr(0, 2) == "#,") {
      size_t start = 2;
      while (start <= line.size()) {
        size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) comma = line.size();
        if (Trim(line.substr(start, comma - start)) == "fuzzy") FEntry.Fuzzy = true;
        start = comma + 1;
      }
    } else if (line.substr(0, 2) == "#.") {
      String note = Trim(line.substr(2));
      FEntry.Note += FEntry.Note.empty() ? note : "\n" + note;
    }
    return;  // translators' comments and references have no place in the data
  }
  if (line[0] == '"') {
    if (FField == fdNone || FField == fdPrevious) Fail(FOffset, "a continued string without keyword");
    Append(FField, ParseString(line, 0));
    return;
  }
  Keyword(line, 0, false);
}

void TPoReader::Header(const String& text, int entryLine) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == String::npos) end = text.size();
    const String line = text.substr(start, end - start);
    start = end + 1;
    const size_t colon = line.find(':');
    if (colon == String::npos) continue;
    const String field = Trim(line.substr(0, colon));
    const String value = Trim(line.substr(colon + 1));
    if (SameText(field, "Language")) FCatalog.TargetCode = value;
    else if (SameText(field, "X-Glotta-Language")) FCatalog.TargetLanguage = value;
    else if (SameText(field, "X-Glotta-Source-Language")) FCatalog.SourceLanguage = value;
    else if (SameText(field, "Project-Id-Version")) FCatalog.Original = value;
    else if (SameText(field, "Content-Type")) {
      const size_t cs = LowerCase(value).find("charset=");
      const String charset = cs == String::npos ? String() : Trim(value.substr(cs + 8));
      if (!charset.empty() && !SameText(charset, "UTF-8") && !SameText(charset, "ASCII") &&
          !SameText(charset, "US-ASCII") && charset != "CHARSET")
        throw EReadError(Format("%s:%d:1: charset %s: only UTF-8 files are read (convert the file with iconv)",
                                {FFileName, entryLine, charset}));
    }
  }
}

void TPoReader::Flush() {
  TEntry e = std::move(FEntry);
  FEntry = TEntry{};
  FField = fdNone;
  if (!e.Started()) return;
  if (!e.HasStr) {
    FLine = e.Line;
    Fail(0, "entry without msgstr");
  }
  if (e.Obsolete) {
    Warn(e.Line, "obsolete entry left out");
    return;
  }
  if (!e.HasContext && e.Id.empty()) {
    if (FHeaderSeen) Warn(e.Line, "a second header left out");
    else Header(e.Str, e.Line);
    FHeaderSeen = true;
    return;
  }
  if (e.Plural) {
    Warn(e.Line, "plural forms do not apply to the language data: entry left out");
    return;
  }
  if (!e.HasContext) {
    Warn(e.Line, Format("entry without msgctxt names no item: \"%s\" left out", {e.Id}));
    return;
  }
  if (!FKeys.insert(e.Context).second) {
    FLine = e.Line;
    Fail(0, Format("msgctxt \"%s\" occurs twice", {e.Context}));
  }
  TTranslationUnit u;
  u.Key = std::move(e.Context);
  u.Note = std::move(e.Note);
  u.Source = std::move(e.Id);
  u.HasTarget = !e.Str.empty();
  u.Target = std::move(e.Str);
  u.State = !u.HasTarget ? tsUntranslated : e.Fuzzy ? tsFuzzy : tsTranslated;
  u.PreviousSource = std::move(e.Previous);
  u.HasPreviousSource = e.HasPrevious;
  u.Line = e.Line;
  if (u.State == tsFuzzy) Warn(u.Line, Format("%s: translation marked fuzzy (needs review), imported", {u.Key}));
  FCatalog.Units.push_back(std::move(u));
}

TTranslationCatalog TPoReader::Read() {
  FCatalog.FileName = FFileName;
  std::string_view text = FText;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++FLine;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    size_t lead = 0;
    while (lead < line.size() && (line[lead] == ' ' || line[lead] == '\t')) ++lead;
    if (lead == line.size()) {
      // A blank line ends an entry that is complete.
      if (FEntry.HasStr) Flush();
      continue;
    }
    ParseLine(line.substr(lead));
  }
  ++FLine;
  Flush();
  return std::move(FCatalog);
}

}  // namespace

TTranslationCatalog ReadPoFile(std::string_view text, const String& fileName, TStrings* warnings) {
  return TPoReader(text, fileName, warnings).Read();
}

}  // namespace xel
