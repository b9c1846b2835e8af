#include "Parser.h"

#include <cmath>
#include <cstdlib>

#include "Format.h"

namespace xel {

namespace {
bool IsAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
int HexValue(char c) { return IsDigit(c) ? c - '0' : (UpCase(c) - 'A' + 10); }

void AppendUtf8(String& s, std::uint32_t cp) {
  std::u16string w;
  if (cp >= 0x10000) {
    cp -= 0x10000;
    w.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    w.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    w.push_back(static_cast<char16_t>(cp));
  }
  s += WideToUtf8(w);
}
}  // namespace

TParser::TParser(TStream* stream) {
  Int64 n = stream->Size() - stream->Position();
  FText.resize(static_cast<size_t>(n > 0 ? n : 0));
  if (n > 0) stream->ReadBuffer(FText.data(), n);
  SkipByteOrderMark();
  NextToken();
}

TParser::TParser(String text) : FText(std::move(text)) {
  SkipByteOrderMark();
  NextToken();
}

void TParser::SkipByteOrderMark() {
  // Editors put it before UTF-8 text; the text is UTF-8 either way.
  if (FText.compare(0, 3, "\xEF\xBB\xBF") == 0) FPos = FLineStart = 3;
}

int TParser::TokenColumn() const {
  // UTF-8 continuation bytes do not start a character.
  int column = 1;
  for (size_t i = FLineStart; i < FTokenStart && i < FText.size(); ++i)
    if ((static_cast<unsigned char>(FText[i]) & 0xC0) != 0x80) ++column;
  return column;
}

void TParser::Error(const String& message) const { throw EParserError(message, FLine, TokenColumn()); }

char TParser::NextToken() {
  // Blanks, control characters and line ends separate tokens.
  while (FPos < FText.size() && static_cast<unsigned char>(FText[FPos]) <= ' ') {
    const bool lineEnd =
        FText[FPos] == '\n' || (FText[FPos] == '\r' && (FPos + 1 >= FText.size() || FText[FPos + 1] != '\n'));
    ++FPos;
    if (lineEnd) {
      ++FLine;
      FLineStart = FPos;
    }
  }
  FTokenStart = FPos;
  FTokenString.clear();
  FTokenWide.clear();
  FFloatType = 0;
  if (FPos >= FText.size()) return FToken = toEOF;
  char c = FText[FPos];
  if (IsAlpha(c)) {
    while (FPos < FText.size() && (IsAlpha(FText[FPos]) || IsDigit(FText[FPos]))) ++FPos;
    FTokenString = FText.substr(FTokenStart, FPos - FTokenStart);
    return FToken = toSymbol;
  }
  if (c == '\'' || c == '#') {
    bool wide = false;
    std::vector<std::uint32_t> codes;  // for the wide form: bytes and #n values in order
    String bytes;
    while (FPos < FText.size() && (FText[FPos] == '\'' || FText[FPos] == '#')) {
      if (FText[FPos] == '#') {
        ++FPos;
        std::uint32_t v = 0;
        bool any = false;
        if (FPos < FText.size() && FText[FPos] == '$') {
          ++FPos;
          while (FPos < FText.size() && IsHex(FText[FPos]) && v <= 0x10FFFF) {
            v = v * 16 + static_cast<std::uint32_t>(HexValue(FText[FPos++]));
            any = true;
          }
        } else {
          while (FPos < FText.size() && IsDigit(FText[FPos]) && v <= 0x10FFFF) {
            v = v * 10 + static_cast<std::uint32_t>(FText[FPos++] - '0');
            any = true;
          }
        }
        if (!any || v > 0x10FFFF) Error("Invalid string constant");
        // #n is the character n. Beyond ASCII it makes the string a wide one: that is how
        // wide strings are written, and byte strings write such characters as they stand.
        if (v >= 0x80) wide = true;
        AppendUtf8(bytes, v);
        codes.push_back(v);
      } else {
        ++FPos;
        for (;;) {
          if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r') Error("Unterminated string");
          if (FText[FPos] == '\'') {
            if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
              bytes += '\'';
              codes.push_back('\'');
              FPos += 2;
              continue;
            }
            ++FPos;
            break;
          }
          size_t start = FPos;
          while (FPos < FText.size() && FText[FPos] != '\'' && FText[FPos] != '\n' && FText[FPos] != '\r') ++FPos;
          std::string_view run(FText.data() + start, FPos - start);
          bytes += run;
          for (char16_t u : Utf8ToWide(run)) codes.push_back(u);
        }
      }
    }
    FTokenString = bytes;
    if (wide) {
      for (std::uint32_t v : codes) {
        if (v >= 0x10000) {
          v -= 0x10000;
          FTokenWide.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
          FTokenWide.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
          FTokenWide.push_back(static_cast<char16_t>(v));
        }
      }
      return FToken = toWString;
    }
    return FToken = toString;
  }
  if (c == '$') {
    ++FPos;
    while (FPos < FText.size() && IsHex(FText[FPos])) ++FPos;
    FTokenString = FText.substr(FTokenStart, FPos - FTokenStart);
    if (FTokenString.size() == 1) Error("Number expected");
    return FToken = toInteger;
  }
  if (IsDigit(c) || (c == '-' && FPos + 1 < FText.size() && IsDigit(FText[FPos + 1]))) {
    ++FPos;
    while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    char tok = toInteger;
    // "12." is a float too, as other tools read it.
    if (FPos < FText.size() && FText[FPos] == '.') {
      tok = toFloat;
      ++FPos;
      while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    }
    if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
      size_t save = FPos++;
      if (FPos < FText.size() && (FText[FPos] == '+' || FText[FPos] == '-')) ++FPos;
      if (FPos < FText.size() && IsDigit(FText[FPos])) {
        tok = toFloat;
        while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
      } else {
        FPos = save;
      }
    }
    FTokenString = FText.substr(FTokenStart, FPos - FTokenStart);
    if (FPos < FText.size()) {
      char s = LoCase(FText[FPos]);
      if (s == 's' || s == 'c' || s == 'd') {
        bool followedByIdent = FPos + 1 < FText.size() && (IsAlpha(FText[FPos + 1]) || IsDigit(FText[FPos + 1]));
        if (!followedByIdent) {
          FFloatType = s;
          tok = toFloat;
          ++FPos;
        }
      }
    }
    return FToken = tok;
  }
  ++FPos;
  FTokenString = String(1, c);
  return FToken = c;
}

Int64 TParser::TokenInt() const {
  Int64 v;
  if (FTokenString.size() > 1 && FTokenString[0] == '$') {
    std::uint64_t u = 0;
    if (FTokenString.size() > 17) Error("Number expected");
    for (size_t i = 1; i < FTokenString.size(); ++i) u = u * 16 + static_cast<std::uint64_t>(HexValue(FTokenString[i]));
    return static_cast<Int64>(u);
  }
  if (!TryStrToInt64(FTokenString, v)) Error("Number expected");
  return v;
}

namespace {
// The text of a float token as the value of type T, nearest to the text. A value beyond
// the type's range is refused, and so is one too small to be anything but zero; values
// below the normal range are kept as far as the type holds them.
template <class T>
T ParseFloat(const TParser& parser, const String& text, T (*convert)(const char*, char**)) {
  char* end = nullptr;
  T v = convert(text.c_str(), &end);
  if (!end || *end != '\0') parser.Error("Number expected");
  bool nonZero = false;
  for (char c : text) {
    if (c == 'e' || c == 'E') break;
    if (c >= '1' && c <= '9') nonZero = true;
  }
  if (std::isinf(v) || std::isnan(v) || (v == 0 && nonZero))
    parser.Error(Format("Number out of range: %s", {text}));
  return v;
}
}  // namespace

long double TParser::TokenFloat() const { return ParseFloat<long double>(*this, FTokenString, std::strtold); }

double TParser::TokenDouble() const { return ParseFloat<double>(*this, FTokenString, std::strtod); }

float TParser::TokenSingle() const { return ParseFloat<float>(*this, FTokenString, std::strtof); }

String TParser::TokenComponentIdent() {
  CheckToken(toSymbol);
  String s = FTokenString;
  while (FPos + 1 < FText.size() && FText[FPos] == '.' && IsAlpha(FText[FPos + 1])) {
    ++FPos;
    NextToken();
    s += "." + FTokenString;
  }
  return s;
}

void TParser::CheckToken(char t) {
  if (FToken == t) return;
  switch (t) {
    case toSymbol: Error("Identifier expected");
    case toString:
    case toWString: Error("String expected");
    case toInteger:
    case toFloat: Error("Number expected");
    default: Error(Format("'%s' expected", {String(1, t)}));
  }
}

void TParser::CheckTokenSymbol(std::string_view s) {
  if (!TokenSymbolIs(s)) Error(Format("%s expected", {String(s)}));
}

bool TParser::TokenSymbolIs(std::string_view s) const { return FToken == toSymbol && SameText(FTokenString, s); }

std::vector<Byte> TParser::HexToBinary() {
  std::vector<Byte> out;
  int nibble = -1;
  while (FPos < FText.size() && FText[FPos] != '}') {
    char c = FText[FPos++];
    if (c == '\n') {
      ++FLine;
      FLineStart = FPos;
    }
    if (static_cast<unsigned char>(c) <= ' ') continue;
    if (!IsHex(c)) {
      FTokenStart = FPos - 1;  // the error points at the digit that is none
      Error("Invalid binary value");
    }
    if (nibble < 0) {
      nibble = HexValue(c);
    } else {
      out.push_back(static_cast<Byte>(nibble * 16 + HexValue(c)));
      nibble = -1;
    }
  }
  if (FPos >= FText.size() || nibble >= 0) {
    FTokenStart = FPos;
    Error("Invalid binary value");
  }
  ++FPos;  // the closing brace
  NextToken();
  return out;
}

}  // namespace xel
