#include "TextMarks.h"

#include <algorithm>

#include "SysUtils.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /exchange/TextMarks.cpp 1 10.12.26 0:20 XG $")

namespace xel {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads "%[index:][-][width][.prec]type" from text[i] == '%'; the length, or 0 when the
// text holds no placeholder there. index receives the explicit index, -1 without one.
size_t ReadPlaceholder(std::string_view text, size_t i, int& index, char& type, int& consumedArgs) {
  size_t p = i + 1;
  index = -1;
  consumedArgs = 0;
  auto number = [&](bool& star) {
    star = false;
    if (p < text.size() && text[p] == '*') {
      star = true;
      ++p;
      return true;
    }
    const size_t start = p;
    while (p < text.size() && IsDigit(text[p]) && p - start < 9) ++p;
    return p > start;
  };
  bool star = false;
  const size_t first = p;
  if (number(star) && p < text.size() && text[p] == ':') {
    index = star ? -1 : static_cast<int>(std::stoi(String(text.substr(first, p - first))));
    if (star) ++consumedArgs;
    ++p;
  } else {
    p = first;
  }
  if (p < text.size() && text[p] == '-') ++p;
  if (number(star) && star) ++consumedArgs;
  if (p < text.size() && text[p] == '.') {
    ++p;
    if (!number(star)) return 0;
    if (star) ++consumedArgs;
  }
  if (p >= text.size()) return 0;
  const char t = static_cast<char>(std::tolower(static_cast<unsigned char>(text[p])));
  if (std::string_view("dufegnmpsx").find(t) == std::string_view::npos) return 0;
  type = t;
  return p + 1 - i;
}

}  // namespace

std::vector<TTextMark> FormatPlaceholders(std::string_view text) {
  std::vector<TTextMark> marks;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (i + 1 < text.size() && text[i + 1] == '%') {
      ++i;
      continue;
    }
    int index, args;
    char type;
    if (size_t length = ReadPlaceholder(text, i, index, type, args)) {
      marks.push_back({i, length});
      i += length - 1;
    }
  }
  return marks;
}

std::vector<String> PlaceholderSignature(std::string_view text) {
  std::vector<String> signature;
  int next = 0;  // Format's argument counter: an explicit index moves it
  for (const TTextMark& m : FormatPlaceholders(text)) {
    int index, args;
    char type;
    ReadPlaceholder(text, m.Pos, index, type, args);
    next += args;
    if (index >= 0) next = index;
    signature.push_back(IntToStr(next) + ":" + String(1, type));
    ++next;
  }
  std::sort(signature.begin(), signature.end());
  return signature;
}

std::vector<size_t> Accelerators(std::string_view text) {
  std::vector<size_t> marks;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (i + 1 < text.size() && text[i + 1] == '&') {
      ++i;
      continue;
    }
    if (i + 1 < text.size()) marks.push_back(i);
  }
  return marks;
}

}  // namespace xel
