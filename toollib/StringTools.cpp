#include "StringTools.h"

#include <algorithm>
#include <cstring>

#include "Expand.h"
#include "Format.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/StringTools.cpp 1 10.12.26 15:10 XG $")

namespace xel {

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

void StrToBuf(const String& s, void* buf, int size) {
  if (size > 0) std::memcpy(buf, s.data(), std::min(static_cast<size_t>(size), s.size()));
}

void SetStr(String& s, const void* buf, int maxLen) {
  if (maxLen <= 0) {
    s.clear();
    return;
  }
  const char* p = static_cast<const char*>(buf);
  s.assign(p, strnlen(p, static_cast<size_t>(maxLen)));
}

int PosEx(const String& sub, const String& s, int count, bool forward) {
  if (count < 1) throw Exception("PosEx failed. Nr must be larger than zero");
  if (sub.empty() || sub.size() > s.size()) return 0;
  if (forward) {
    size_t from = 0;
    for (;;) {
      size_t p = s.find(sub, from);
      if (p == String::npos) return 0;
      if (--count == 0) return static_cast<int>(p) + 1;
      from = p + sub.size();
    }
  }
  for (size_t p = s.size() - sub.size() + 1; p-- > 0;)
    if (s.compare(p, sub.size(), sub) == 0 && --count == 0) return static_cast<int>(p) + 1;
  return 0;
}

String FillStr(const String& s, int len) { return FillStrEx(s, ' ', len, false); }

String FillStrEx(const String& s, char c, int len, bool left) {
  if (len <= static_cast<int>(s.size())) return s;
  String fill = StringOfChar(c, len - static_cast<int>(s.size()));
  return left ? fill + s : s + fill;
}

String ReplaceStr(const String& s, const String& oldText, const String& newText) {
  return StringReplace(s, oldText, newText);
}

String ReplaceAll(const String& s, const String& oldText, const String& newText) {
  return StringReplace(s, oldText, newText, rfReplaceAll);
}

String RemoveChars(const String& s, char c) {
  String r = s;
  std::erase(r, c);
  return r;
}

String StringOfString(const String& s, int count) {
  String r;
  if (count <= 0) return r;
  r.reserve(s.size() * static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) r += s;
  return r;
}

void TrimInsert(const String& insertion, String& s, int index) {
  size_t i = static_cast<size_t>(std::clamp(index, 1, static_cast<int>(s.size()) + 1)) - 1;
  size_t end = i;
  while (end < s.size() && IsBlank(s[end])) ++end;
  s.erase(i, end - i);
  if (i < s.size()) {
    size_t start = i;
    while (start > 0 && IsBlank(s[start - 1])) --start;
    s.erase(start, i - start);
    i = start;
  }
  s.insert(i, insertion);
}

void ExtractNameValue(const String& s, String& name, String& value) {
  size_t eq = s.find('=');
  if (eq == String::npos) {
    name.clear();
    value = s;
    return;
  }
  name = s.substr(0, eq);
  value = s.substr(eq + 1);
}

void ExtractNameIndexValue(const String& s, String& name, String& index, String& value) {
  ExtractNameValue(s, name, value);
  index.clear();
  size_t open = name.find('['), close = name.find(']');
  if (open == String::npos || close == String::npos || close < open) return;
  index = name.substr(open + 1, close - open - 1);
  name.erase(open);
}

bool RemovePrefixAndSuffix(const String& s, char prefix, char suffix, String& result) {
  String t = Trim(s);
  if (t.size() >= 2 && t.front() == prefix && t.back() == suffix) {
    result = t.substr(1, t.size() - 2);
    return true;
  }
  result = s;
  return false;
}

String RemoveApostrophes(const String& s) {
  String r;
  RemovePrefixAndSuffix(s, '\'', '\'', r);
  return r;
}

bool FindWord(const String& s, int& pos, String& word) {
  size_t i = static_cast<size_t>(std::max(pos, 1)) - 1;
  while (i < s.size() && IsBlank(s[i])) ++i;
  size_t start = i;
  while (i < s.size() && !IsBlank(s[i])) ++i;
  word = start < s.size() ? s.substr(start, i - start) : String();
  pos = static_cast<int>(std::max(i, start)) + 1;
  return !word.empty();
}

int FindChar(const void* buf, int count, char c) {
  if (count <= 0) return -1;
  const void* hit = std::memchr(buf, static_cast<unsigned char>(c), static_cast<size_t>(count));
  return hit ? static_cast<int>(static_cast<const char*>(hit) - static_cast<const char*>(buf)) : -1;
}

int FindBuffer(const void* pattern, int patternLen, const void* buf, int bufLen) {
  if (patternLen <= 0 || bufLen < patternLen) return -1;
  std::string_view hay(static_cast<const char*>(buf), static_cast<size_t>(bufLen));
  size_t p = hay.find(std::string_view(static_cast<const char*>(pattern), static_cast<size_t>(patternLen)));
  return p == std::string_view::npos ? -1 : static_cast<int>(p);
}

bool Compare(const void* a, const void* b, int count) {
  return count <= 0 || std::memcmp(a, b, static_cast<size_t>(count)) == 0;
}

// Each "*" remembers where it began to swallow; when the rest fails to match, the last one
// swallows one byte more and the match goes on from there. Trying later occurrences of the
// text behind a "*" is what makes "*.lng" accept "a.lng.lng".
bool CompareFilter(const String& filter, const String& s) {
  DebugTrace(Format("Filter: %s Str: %s", {filter, s}));
  size_t f = 0, i = 0;
  size_t starF = String::npos, starI = 0;
  while (i < s.size()) {
    if (f < filter.size() && (filter[f] == '?' || (filter[f] != '*' && filter[f] == s[i]))) {
      ++f;
      ++i;
    } else if (f < filter.size() && filter[f] == '*') {
      starF = f++;
      starI = i;
    } else if (starF != String::npos) {
      f = starF + 1;
      i = ++starI;
    } else {
      return false;
    }
  }
  while (f < filter.size() && filter[f] == '*') ++f;
  return f == filter.size();
}

}  // namespace xel
