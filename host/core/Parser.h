// TParser: the tokenizer of text form files.
#pragma once

#include "Streams.h"

namespace xel {

inline constexpr char toEOF = 0;
inline constexpr char toSymbol = 1;
inline constexpr char toString = 2;
inline constexpr char toInteger = 3;
inline constexpr char toFloat = 4;
inline constexpr char toWString = 5;

class TParser : public TObject {
  XEL_CLASS(TParser, TObject)
public:
  // Reads the whole stream from its position.
  explicit TParser(TStream* stream);
  explicit TParser(String text);

  char NextToken();
  char Token() const { return FToken; }
  // The symbol, the string's bytes (UTF-8), or the number's text.
  const String& TokenString() const { return FTokenString; }
  // A wide string (toWString: one with a character written as #n beyond ASCII): its
  // UTF-16 form.
  const WideString& TokenWideString() const { return FTokenWide; }
  Int64 TokenInt() const;
  // The number nearest to the text as an extended, a double or a single; a number
  // beyond the type's range raises EParserError.
  long double TokenFloat() const;
  double TokenDouble() const;
  float TokenSingle() const;
  // The suffix of a float ('s' single, 'c' currency, 'd' date) or 0.
  char FloatType() const { return FFloatType; }
  // A symbol followed by ".Name" parts, as component references are written.
  String TokenComponentIdent();
  int SourceLine() const { return FLine; }
  // The column of the current token on its line, in characters from 1.
  int TokenColumn() const;

  void CheckToken(char t);
  void CheckTokenSymbol(std::string_view s);
  bool TokenSymbolIs(std::string_view s) const;
  // The bytes of a {...} block of hexadecimal digits; the current token is "{".
  std::vector<Byte> HexToBinary();

  [[noreturn]] void Error(const String& message) const;

private:
  void SkipByteOrderMark();

  String FText;
  size_t FPos = 0;
  size_t FTokenStart = 0;
  size_t FLineStart = 0;  // where the line FLine begins
  int FLine = 1;
  char FToken = toEOF;
  char FFloatType = 0;
  String FTokenString;
  WideString FTokenWide;
};

}  // namespace xel
