// String tools of the tool library: pure functions on byte strings (1-based positions, as
// the host's Pos and Copy) and on raw byte buffers (0-based offsets). None keeps state.
#pragma once

#include "SysUtils.h"

namespace xel {

// Copies min(size, length of s) bytes, without a terminator.
void StrToBuf(const String& s, void* buf, int size);
// The bytes of buf up to its first zero byte, at most maxLen of them.
void SetStr(String& s, const void* buf, int maxLen);

// Position of the count-th occurrence of sub, 0 when there is none. Forward counts from the
// left, each search going on behind the previous hit; backward examines the candidate
// positions from the right, so overlapping occurrences count there. A count below 1 raises.
int PosEx(const String& sub, const String& s, int count, bool forward);

String FillStr(const String& s, int len);
String FillStrEx(const String& s, char c, int len, bool left);
String ReplaceStr(const String& s, const String& oldText, const String& newText);
// Every occurrence, left to right; an inserted text is never searched again.
String ReplaceAll(const String& s, const String& oldText, const String& newText);
String RemoveChars(const String& s, char c);
String StringOfString(const String& s, int count);

// Inserts at the 1-based index, replacing the run of whitespace (bytes up to the blank) around
// it; at the very end of s only the whitespace behind the index goes. Indexes outside the
// string are moved to its nearest end.
void TrimInsert(const String& insertion, String& s, int index);

// Splits at the first "=" without trimming; without one, name is empty and value is s.
void ExtractNameValue(const String& s, String& name, String& value);
// The same; a name such as Item[3] then gives name Item and index 3 (index empty otherwise).
void ExtractNameIndexValue(const String& s, String& name, String& index, String& value);

// When the trimmed s has at least two characters and starts with prefix and ends with
// suffix, result is the trimmed s without them; otherwise result is s itself.
bool RemovePrefixAndSuffix(const String& s, char prefix, char suffix, String& result);
String RemoveApostrophes(const String& s);

// From pos (at least 1) skips the bytes up to the blank and takes the run of bytes above it;
// pos ends behind the word. False, with an empty word and pos behind the end, when only
// whitespace is left.
bool FindWord(const String& s, int& pos, String& word);

// 0-based offset of the byte c in the first count bytes of buf, -1 when absent.
int FindChar(const void* buf, int count, char c);
// 0-based offset of the first occurrence of the pattern in buf, -1 when there is none (an
// empty pattern is not searched).
int FindBuffer(const void* pattern, int patternLen, const void* buf, int bufLen);
// True when the first count bytes of a and b are equal (nothing to compare is equal).
bool Compare(const void* a, const void* b, int count);

// s as quoted runs ('' for a quote inside) and #n codes, the codes for the bytes for which
// coded answers true: 'first'#13#10'second'. The text starts with a code when the first
// byte is coded, and an empty s gives an empty text.
template <class Coded>
String QuotedRunsAndCodes(std::string_view s, Coded coded) {
  String out;
  out.reserve(s.size() + 2);
  bool open = false;
  for (char c : s) {
    if (coded(c)) {
      if (open) out += '\'';
      open = false;
      out += '#';
      out += std::to_string(static_cast<unsigned char>(c));
      continue;
    }
    if (!open) out += '\'';
    open = true;
    out += c;
    if (c == '\'') out += '\'';
  }
  if (open) out += '\'';
  return out;
}

// Wildcard match of the whole of s: "*" any run of bytes, "?" exactly one byte, every other
// byte itself (case-sensitive).
bool CompareFilter(const String& filter, const String& s);

}  // namespace xel
