#include "LanguageFile.h"

#include "StringTools.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /exchange/LanguageFile.cpp 1 10.12.26 17:30 XG $")

namespace xel {

namespace {

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// Quoted runs ('' for a quote) and character codes (#13), one after the other.
bool ParseConstant(std::string_view s, String& out) {
  out.clear();
  size_t i = 0;
  if (s.empty()) return false;
  while (i < s.size()) {
    if (s[i] == '\'') {
      ++i;
      for (;;) {
        if (i >= s.size()) return false;
        if (s[i] == '\'') {
          if (i + 1 < s.size() && s[i + 1] == '\'') {
            out += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += s[i++];
      }
    } else if (s[i] == '#') {
      ++i;
      int code = 0, digits = 0;
      while (i < s.size() && s[i] >= '0' && s[i] <= '9' && digits < 3) code = code * 10 + (s[i++] - '0'), ++digits;
      if (digits == 0 || code > 255) return false;
      out += static_cast<char>(code);
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

String EncodeLanguageValue(const Variant& value) {
  if (value.IsNull()) return {};
  const String s = VarToStr(value);
  if (!HasLineBreak(s)) {
    String out;
    out.reserve(s.size() + 2);
    out += '\'';
    out += s;
    out += '\'';
    return out;
  }
  return "(" + QuotedRunsAndCodes(s, [](char c) { return c == '\r' || c == '\n'; }) + ")";
}

TValueParse DecodeLanguageValue(std::string_view text, String& value) {
  String t = Trim(text);
  value.clear();
  if (t.empty()) return TValueParse::Null;
  if (t.front() == '\'') {
    if (t.size() < 2 || t.back() != '\'') return TValueParse::Broken;
    value.assign(t, 1, t.size() - 2);
    return TValueParse::Value;
  }
  if (t.size() >= 2 && t.front() == '(' && t.back() == ')' &&
      ParseConstant(std::string_view(t).substr(1, t.size() - 2), value) && HasLineBreak(value))
    return TValueParse::Value;
  value = std::move(t);
  return TValueParse::Value;
}

String ShownLanguageValue(std::string_view text) {
  String t = Trim(text);
  if (t.size() >= 2 && t.front() == '\'' && t.back() == '\'') return t.substr(1, t.size() - 2);
  return t;
}

String PathToLanguageKey(const String& path, bool stringList) {
  String p = path;
  if (stringList)
    if (size_t at = p.find(".Strings["); at != String::npos) p.replace(at, 9, "[");
  String key;
  key.reserve(p.size());
  for (char c : p)
    if (c == '[') key += '%';
    else if (c != ']') key += c;
  return key;
}

String LanguageKeyToPath(const String& key, size_t& lastOpen, size_t& lastClose) {
  String path;
  path.reserve(key.size() + 8);
  for (size_t i = 0; i < key.size(); ++i) {
    if (key[i] != '%') {
      path += key[i];
      continue;
    }
    path += '[';
    while (i + 1 < key.size() && key[i + 1] >= '0' && key[i + 1] <= '9') path += key[++i];
    path += ']';
  }
  lastOpen = path.rfind('[');
  lastClose = lastOpen == String::npos ? String::npos : path.find(']', lastOpen);
  if (lastClose == String::npos) lastOpen = String::npos;
  return path;
}

String SectionLanguage(const String& section) {
  size_t dot = section.find('.');
  if (dot == String::npos) return section;
  if (dot + 1 == section.size()) return section.substr(0, dot);
  return section.substr(dot + 1);
}

String SectionToRow(const String& section) {
  String row = section;
  if (size_t dot = row.find('.'); dot != String::npos) row[dot] = '=';
  return row;
}

String RowToSection(const String& row) {
  String section = row;
  if (size_t eq = section.find('='); eq != String::npos) section[eq] = '.';
  return section;
}

}  // namespace xel
