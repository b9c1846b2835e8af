#include "TextForms.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <type_traits>

#include "Filer.h"
#include "Format.h"
#include "Parser.h"

namespace xel {

namespace {

constexpr size_t LineLength = 64;
constexpr size_t BytesPerLine = 32;

// Lays out the digits of a value printed by "%.*e" as the host's general format does:
// fixed notation while the exponent is below 15 and not under -5, else scientific; a
// float without "." or "E" gets ".0" so that it stays a float.
String FloatText(const char* printed, bool markFloat) {
  String s(printed);
  bool neg = !s.empty() && s[0] == '-';
  if (neg) s.erase(0, 1);
  size_t e = s.find('e');
  int exp = std::atoi(s.c_str() + e + 1);
  String digits;
  for (size_t i = 0; i < e; ++i)
    if (s[i] != '.') digits += s[i];
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  String r;
  if (exp >= 15 || exp < -5) {
    r = digits.substr(0, 1);
    if (digits.size() > 1) r += "." + digits.substr(1);
    r += "E" + std::to_string(exp);
  } else if (exp < 0) {
    r = "0." + String(static_cast<size_t>(-exp - 1), '0') + digits;
  } else {
    auto intDigits = static_cast<size_t>(exp + 1);
    if (digits.size() <= intDigits) {
      r = digits + String(intDigits - digits.size(), '0');
      if (markFloat) r += ".0";
    } else {
      r = digits.substr(0, intDigits) + "." + digits.substr(intDigits);
    }
  }
  return neg ? "-" + r : r;
}

// The shortest text that the parser reads back as exactly v, with the conversion that it
// uses for values of type T (an extended, a double for dates, a single). Printing and
// reading are correctly rounded, so the first digit count that reads back is the fewest.
template <class T>
String ShortestFloat(T v, bool markFloat, T (*parse)(const char*, char**)) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  char buf[64];
  for (int digits = 1; digits <= std::numeric_limits<T>::max_digits10; ++digits) {
    if constexpr (std::is_same_v<T, long double>) std::snprintf(buf, sizeof buf, "%.*Le", digits - 1, v);
    else std::snprintf(buf, sizeof buf, "%.*e", digits - 1, static_cast<double>(v));
    if (parse(buf, nullptr) == v) break;
  }
  return FloatText(buf, markFloat);
}

// The bytes of the UTF-8 sequence that starts at i (one where there is none), so that a
// line break never cuts a character in two.
size_t SequenceLength(std::string_view s, size_t i) {
  auto c = static_cast<unsigned char>(s[i]);
  size_t len = (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
  if (i + len > s.size()) return 1;
  for (size_t k = 1; k < len; ++k)
    if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return 1;
  return len;
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < ' ' || c == 0x7F; }

class TBinaryToText {
public:
  TBinaryToText(TStream* input, String& out) : FReader(input), FOut(out) {}

  void Run() {
    FReader.ReadSignature();
    ConvertObject();
  }

  // The parts being converted when an error left Run: they are taken off only when done.
  TReader::TReadPlace Place() const {
    TReader::TReadPlace place;
    for (const TPart& part : FParts) {
      if (part.Index >= 0) {
        place.Path += "[" + IntToStr(part.Index) + "]";
        continue;
      }
      if (part.Component) ++place.Components;
      if (part.Name.empty()) continue;  // cut short by the end of the stream
      if (!place.Path.empty()) place.Path += '.';
      place.Path += part.Name;
    }
    place.Position = FParts.empty() ? FReader.Position() : FParts.back().Position;
    return place;
  }

private:
  struct TPart {
    String Name;
    int Index;
    Int64 Position;
    bool Component;
  };

  void Indent() { FOut.append(static_cast<size_t>(FLevel) * 2, ' '); }
  void NewLine() { FOut += "\r\n"; }

  // A byte string: its text as it stands between quotes, control characters as #n. Bytes
  // that are not UTF-8 stay as they are between the quotes as well, since #n would be
  // the character n: the text then reads back as the same bytes here, though it is no
  // longer UTF-8 for other tools.
  void ConvertString(std::string_view s) {
    if (s.empty()) {
      FOut += "''";
      return;
    }
    ++FLevel;
    if (s.size() > LineLength) {
      NewLine();
      Indent();
    }
    size_t i = 0, lineStart = 0;
    while (i < s.size()) {
      if (IsControl(s[i])) {
        FOut += '#' + std::to_string(static_cast<unsigned char>(s[i]));
        ++i;
      } else {
        FOut += '\'';
        while (i < s.size() && !IsControl(s[i]) && i - lineStart < LineLength) {
          size_t len = SequenceLength(s, i);
          if (s[i] == '\'') FOut += "''";
          else FOut.append(s.substr(i, len));
          i += len;
        }
        FOut += '\'';
      }
      if (i - lineStart >= LineLength && i < s.size()) {
        FOut += " +";
        NewLine();
        Indent();
        lineStart = i;
      }
    }
    --FLevel;
  }

  void ConvertWideString(const WideString& w) {
    // Characters beyond ASCII as #n (UTF-16 units, so that lone surrogates survive too):
    // the text then reads back as a wide string. One of ASCII characters only has no such
    // mark and reads back as a byte string of the same characters.
    String s;
    bool quoted = false;
    for (char16_t c : w) {
      if (c >= ' ' && c < 0x7F) {
        if (!quoted) s += '\'';
        quoted = true;
        s += c == '\'' ? String("''") : String(1, static_cast<char>(c));
      } else {
        if (quoted) s += '\'';
        quoted = false;
        s += '#' + std::to_string(static_cast<unsigned>(c));
      }
    }
    if (quoted) s += '\'';
    FOut += s.empty() ? String("''") : s;
  }

  void ConvertValue() {
    if (++FDepth > TReader::MaxDepth) throw EReadError("Stream nesting too deep");
    switch (FReader.NextValue()) {
      case vaList:
        FReader.ReadValue();
        FOut += '(';
        ++FLevel;
        while (!FReader.EndOfList()) {
          NewLine();
          Indent();
          ConvertValue();
        }
        FReader.ReadListEnd();
        --FLevel;
        FOut += ')';
        break;
      case vaInt8:
      case vaInt16:
      case vaInt32:
        FOut += IntToStr(FReader.ReadInteger());
        break;
      case vaInt64:
        FOut += IntToStr(FReader.ReadInt64());
        break;
      case vaExtended:
        FOut += ShortestFloat<long double>(FReader.ReadFloat(), true, std::strtold);
        break;
      case vaSingle:
        FOut += ShortestFloat<float>(FReader.ReadSingle(), false, std::strtof) + "s";
        break;
      case vaCurrency:
        FOut += IntToStr(FReader.ReadCurrency().Scaled) + "c";
        break;
      case vaDate:
        FOut += ShortestFloat<double>(FReader.ReadDate().Value(), false, std::strtod) + "d";
        break;
      case vaWString:
        ConvertWideString(FReader.ReadWideString());
        break;
      case vaString:
      case vaLString:
      case vaUTF8String:
        ConvertString(FReader.ReadString());
        break;
      case vaIdent:
      case vaFalse:
      case vaTrue:
      case vaNil:
      case vaNull:
        FOut += FReader.ReadIdent();
        break;
      case vaBinary: {
        FReader.ReadValue();
        Byte b[4];
        FReader.Read(b, 4);
        std::uint32_t count = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
        if (count > static_cast<std::uint64_t>(FReader.Left())) throw EReadError("Stream read error");
        FOut += '{';
        ++FLevel;
        Byte line[BytesPerLine];
        static const char hex[] = "0123456789ABCDEF";
        while (count > 0) {
          NewLine();
          Indent();
          std::uint32_t n = count < BytesPerLine ? count : static_cast<std::uint32_t>(BytesPerLine);
          FReader.Read(line, n);
          for (std::uint32_t k = 0; k < n; ++k) {
            FOut += hex[line[k] >> 4];
            FOut += hex[line[k] & 15];
          }
          count -= n;
        }
        --FLevel;
        FOut += '}';
        break;
      }
      case vaSet: {
        FReader.ReadValue();
        FOut += '[';
        for (int n = 0;; ++n) {
          String s = FReader.ReadStr();
          if (s.empty()) break;
          if (n > 0) FOut += ", ";
          FOut += s;
        }
        FOut += ']';
        break;
      }
      case vaCollection:
        FReader.ReadValue();
        FOut += '<';
        ++FLevel;
        for (int index = 0; !FReader.EndOfList(); ++index) {
          FParts.push_back({{}, index, FReader.Position(), false});
          NewLine();
          Indent();
          FOut += "item";
          TValueType v = FReader.NextValue();
          if (v == vaInt8 || v == vaInt16 || v == vaInt32) {
            FOut += " [";
            FOut += IntToStr(FReader.ReadInteger());
            FOut += ']';
          }
          NewLine();
          FReader.CheckValue(vaList);
          ++FLevel;
          while (!FReader.EndOfList()) ConvertProperty();
          FReader.ReadListEnd();
          --FLevel;
          Indent();
          FOut += "end";
          FParts.pop_back();
        }
        FReader.ReadListEnd();
        --FLevel;
        FOut += '>';
        break;
      default:
        throw EReadError("Invalid stream format");
    }
    --FDepth;
  }

  void ConvertProperty() {
    FParts.push_back({{}, -1, FReader.Position(), false});
    Indent();
    FParts.back().Name = FReader.ReadStr();
    FOut += FParts.back().Name;
    FOut += " = ";
    ConvertValue();
    NewLine();
    FParts.pop_back();
  }

  void ConvertObject() {
    if (++FDepth > TReader::MaxDepth) throw EReadError("Stream nesting too deep");
    FParts.push_back({{}, -1, FReader.Position(), true});
    Byte flags;
    Integer pos;
    FReader.ReadPrefix(flags, pos);
    Indent();
    FOut += (flags & ffInherited) ? "inherited " : (flags & ffInline) ? "inline " : "object ";
    String className = FReader.ReadStr();
    String name = FReader.ReadStr();
    FParts.back().Name = name.empty() ? "<" + className + ">" : name;
    if (!name.empty()) FOut += name + ": ";
    FOut += className;
    if (flags & ffChildPos) FOut += " [" + IntToStr(pos) + "]";
    NewLine();
    ++FLevel;
    while (!FReader.EndOfList()) ConvertProperty();
    FReader.ReadListEnd();
    while (!FReader.EndOfList()) ConvertObject();
    FReader.ReadListEnd();
    --FLevel;
    Indent();
    FOut += "end";
    NewLine();
    --FDepth;
    FParts.pop_back();
  }

  TReader FReader;
  std::vector<TPart> FParts;
  String& FOut;
  int FLevel = 0;
  int FDepth = 0;
};

class TTextToBinary {
public:
  TTextToBinary(TParser& parser, TWriter& writer, TTextSourceMap* map) : FParser(parser), FWriter(writer), FMap(map) {}

  void Run() {
    try {
      FWriter.WriteSignature();
      ConvertObject();
      if (FParser.Token() != toEOF) FParser.Error("End of file expected");
    } catch (const EParserError&) {
      throw;
    } catch (const Exception& e) {
      // What the writer refuses (a name too long for the stream) is an error of the text too.
      FParser.Error(e.Message());
    }
  }

private:
  void Mark() {
    if (FMap) FMap->Add(FWriter.Position(), FParser.SourceLine(), FParser.TokenColumn());
  }

  void Enter() {
    if (++FDepth > TReader::MaxDepth) FParser.Error("Nesting too deep");
  }

  void ConvertHeader() {
    Mark();
    bool isInherited = FParser.TokenSymbolIs("inherited");
    bool isInline = FParser.TokenSymbolIs("inline");
    if (!isInherited && !isInline) FParser.CheckTokenSymbol("object");
    FParser.NextToken();
    FParser.CheckToken(toSymbol);
    String className = FParser.TokenString();
    String name;
    FParser.NextToken();
    if (FParser.Token() == ':') {
      FParser.NextToken();
      FParser.CheckToken(toSymbol);
      name = className;
      className = FParser.TokenString();
      FParser.NextToken();
    }
    Byte flags = 0;
    Integer pos = 0;
    if (FParser.Token() == '[') {
      FParser.NextToken();
      FParser.CheckToken(toInteger);
      pos = static_cast<Integer>(FParser.TokenInt());
      FParser.NextToken();
      FParser.CheckToken(']');
      FParser.NextToken();
      flags |= ffChildPos;
    }
    if (isInherited) flags |= ffInherited;
    if (isInline) flags |= ffInline;
    FWriter.WritePrefix(flags, pos);
    FWriter.WriteStr(className);
    FWriter.WriteStr(name);
  }

  void ConvertValue() {
    Enter();
    switch (FParser.Token()) {
      case toString:
      case toWString: {
        String s;
        WideString w;
        bool wide = false;
        for (;;) {
          if (FParser.Token() == toWString) wide = true;
          else if (FParser.Token() != toString) FParser.Error("String expected");
          s += FParser.TokenString();
          w += FParser.Token() == toWString ? FParser.TokenWideString() : Utf8ToWide(FParser.TokenString());
          FParser.NextToken();
          if (FParser.Token() != '+') break;
          FParser.NextToken();
        }
        if (wide) FWriter.WriteWideString(w);
        else FWriter.WriteString(s);
        break;
      }
      case toSymbol:
        FWriter.WriteIdent(FParser.TokenComponentIdent());
        FParser.NextToken();
        break;
      case toInteger:
        FWriter.WriteInteger(FParser.TokenInt());
        FParser.NextToken();
        break;
      case toFloat:
        switch (FParser.FloatType()) {
          case 's': FWriter.WriteSingle(FParser.TokenSingle()); break;
          case 'c': {
            Int64 scaled;
            if (!TryStrToInt64(FParser.TokenString(), scaled)) {
              long double v = std::roundl(FParser.TokenFloat());
              if (!(std::fabs(v) < 0x1p63L)) FParser.Error(Format("Number out of range: %s", {FParser.TokenString()}));
              scaled = static_cast<Int64>(v);
            }
            FWriter.WriteCurrency(Currency::FromScaled(scaled));
            break;
          }
          case 'd': FWriter.WriteDate(TDateTime(FParser.TokenDouble())); break;
          default: FWriter.WriteFloat(FParser.TokenFloat());
        }
        FParser.NextToken();
        break;
      case '[':
        FParser.NextToken();
        FWriter.WriteValue(vaSet);
        if (FParser.Token() != ']') {
          for (;;) {
            if (FParser.Token() != toInteger) FParser.CheckToken(toSymbol);
            FWriter.WriteStr(FParser.TokenString());
            FParser.NextToken();
            if (FParser.Token() == ']') break;
            FParser.CheckToken(',');
            FParser.NextToken();
          }
        }
        FWriter.WriteStr("");
        FParser.NextToken();
        break;
      case '(':
        FParser.NextToken();
        FWriter.WriteListBegin();
        while (FParser.Token() != ')') {
          if (FParser.Token() == toEOF) FParser.CheckToken(')');
          ConvertValue();
        }
        FWriter.WriteListEnd();
        FParser.NextToken();
        break;
      case '{': {
        std::vector<Byte> data = FParser.HexToBinary();
        FWriter.WriteBinary([&](TStream* s) { s->WriteBuffer(data.data(), static_cast<Int64>(data.size())); });
        break;
      }
      case '<':
        FParser.NextToken();
        FWriter.WriteValue(vaCollection);
        while (FParser.Token() != '>') {
          FParser.CheckTokenSymbol("item");
          Mark();
          FParser.NextToken();
          if (FParser.Token() == '[') {
            FParser.NextToken();
            FParser.CheckToken(toInteger);
            FWriter.WriteInteger(FParser.TokenInt());
            FParser.NextToken();
            FParser.CheckToken(']');
            FParser.NextToken();
          }
          FWriter.WriteListBegin();
          while (!FParser.TokenSymbolIs("end")) {
            if (FParser.Token() == toEOF) FParser.CheckTokenSymbol("end");
            ConvertProperty();
          }
          FWriter.WriteListEnd();
          FParser.NextToken();
        }
        FWriter.WriteListEnd();
        FParser.NextToken();
        break;
      default:
        FParser.Error("Invalid property value");
    }
    --FDepth;
  }

  void ConvertProperty() {
    FParser.CheckToken(toSymbol);
    Mark();
    String name = FParser.TokenString();
    FParser.NextToken();
    while (FParser.Token() == '.') {
      FParser.NextToken();
      FParser.CheckToken(toSymbol);
      name += "." + FParser.TokenString();
      FParser.NextToken();
    }
    if (name.size() > 255) FParser.Error("Property name too long");
    FWriter.WriteStr(name);
    FParser.CheckToken('=');
    FParser.NextToken();
    ConvertValue();
  }

  bool AtObject() const {
    return FParser.TokenSymbolIs("object") || FParser.TokenSymbolIs("inherited") || FParser.TokenSymbolIs("inline");
  }

  void ConvertObject() {
    Enter();
    ConvertHeader();
    while (!FParser.TokenSymbolIs("end") && !AtObject()) {
      if (FParser.Token() == toEOF) FParser.CheckTokenSymbol("end");
      ConvertProperty();
    }
    FWriter.WriteListEnd();
    while (!FParser.TokenSymbolIs("end")) {
      if (FParser.Token() == toEOF) FParser.CheckTokenSymbol("end");
      ConvertObject();
    }
    FWriter.WriteListEnd();
    FParser.NextToken();
    --FDepth;
  }

  TParser& FParser;
  TWriter& FWriter;
  TTextSourceMap* FMap;
  int FDepth = 0;
};

}  // namespace

void ObjectBinaryToText(TStream* input, TStream* output) {
  String text;
  {
    TBinaryToText conv(input, text);
    conv.Run();
  }
  output->WriteBuffer(text.data(), static_cast<Int64>(text.size()));
}

void ObjectTextToBinary(TStream* input, TStream* output) {
  TParser parser(input);
  TWriter writer(output);
  TTextToBinary conv(parser, writer, nullptr);
  conv.Run();
  writer.FlushBuffer();
}

bool TTextSourceMap::Find(Int64 offset, int& line, int& column) const {
  auto after = std::upper_bound(FMarks.begin(), FMarks.end(), offset,
                                [](Int64 o, const TMark& m) { return o < m.Offset; });
  if (after == FMarks.begin()) return false;
  --after;
  line = after->Line;
  column = after->Column;
  return true;
}

String ObjectTextToBinary(std::string_view text, TTextSourceMap* map) {
  TStringStream out;
  {
    TParser parser{String(text)};
    TWriter writer(&out);
    TTextToBinary conv(parser, writer, map);
    conv.Run();
    writer.FlushBuffer();
  }
  return out.DataString();
}

void ObjectResourceToText(TStream* input, TStream* output) {
  input->ReadResHeader();
  ObjectBinaryToText(input, output);
}

void ObjectTextToResource(TStream* input, TStream* output) {
  TStringStream binary;
  ObjectTextToBinary(input, &binary);
  // The resource is named by the root's class name.
  Int64 fixup;
  output->WriteResourceHeader(RootClassName(binary.DataString()), fixup);
  output->WriteBuffer(binary.DataString().data(), static_cast<Int64>(binary.DataString().size()));
  output->FixupResourceHeader(fixup);
}

String ObjectBinaryToText(std::string_view binary) { return ObjectBinaryToText(binary, nullptr); }

String ObjectBinaryToText(std::string_view binary, TReader::TReadPlace* errorPlace) {
  TStringStream in{String(binary)};
  String text;
  TBinaryToText conv(&in, text);
  try {
    conv.Run();
  } catch (const Exception&) {
    if (errorPlace) *errorPlace = conv.Place();
    throw;
  }
  return text;
}

String ObjectTextToBinary(std::string_view text) { return ObjectTextToBinary(text, nullptr); }

String RootClassName(std::string_view binary) {
  TStringStream in{String(binary)};
  TReader reader(&in);
  reader.ReadSignature();
  Byte flags;
  Integer pos;
  reader.ReadPrefix(flags, pos);
  return reader.ReadStr();
}

TStreamOriginalFormat TestStreamFormat(TStream* stream) {
  Int64 pos = stream->Position();
  Byte b[4] = {0, 0, 0, 0};
  Int64 n = stream->Read(b, 4);
  stream->SetPosition(pos);
  if (n == 4 && b[0] == 'T' && b[1] == 'P' && b[2] == 'F' && b[3] == '0') return sofBinary;
  if (n >= 3 && b[0] == 0xFF && b[1] == 10 && b[2] == 0) return sofResource;
  if (n >= 1) {
    // A text form begins, after blanks, with object, inherited or inline.
    String head(64, '\0');
    Int64 k = stream->Read(head.data(), 64);
    stream->SetPosition(pos);
    head.resize(static_cast<size_t>(k));
    if (head.compare(0, 3, "\xEF\xBB\xBF") == 0) head.erase(0, 3);
    String t = LowerCase(TrimLeft(head));
    if (t.rfind("object", 0) == 0 || t.rfind("inherited", 0) == 0 || t.rfind("inline", 0) == 0) return sofText;
  }
  return sofUnknown;
}

}  // namespace xel
