#include "TextForms.h"

#include <limits>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "Filer.h"
#include "Format.h"
#include "Parser.h"

namespace xel {

namespace {

constexpr size_t LineLength = 64;
constexpr size_t BytesPerLine = 32;

// The shortest text that reads back as exactly the same value, in the host's notation
// (1.5, 1E20, 2.5E-7); a float without "." or "E" gets ".0" so that it stays a float.
// A value that a double holds is printed with at most 17 digits and the parser reads
// such texts as doubles; any other extended value takes 18 or more digits. So 0.1 stays
// "0.1" and every value still reads back bit for bit.
// Lays out the digits of a value printed by "%.*e" as the host's general format does:
// fixed notation while the exponent is below the digit limit and not under -5, else
// scientific; a float without "." or "E" gets ".0" so that it stays a float.
String FloatText(const char* printed, bool markFloat, int limit, size_t minDigits = 1) {
  String s(printed);
  bool neg = !s.empty() && s[0] == '-';
  if (neg) s.erase(0, 1);
  size_t e = s.find('e');
  int exp = std::atoi(s.c_str() + e + 1);
  String digits;
  for (size_t i = 0; i < e; ++i)
    if (s[i] != '.') digits += s[i];
  // An extended value keeps 18 digits, so that the parser reads it as one.
  while (digits.size() > minDigits && digits.back() == '0') digits.pop_back();
  String r;
  if (exp >= limit || exp < -5) {
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

String ShortestFloat(long double v, bool markFloat) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  char buf[64];
  auto d = static_cast<double>(v);
  if (static_cast<long double>(d) == v) {
    for (int p = 1; p <= 17; ++p) {
      std::snprintf(buf, sizeof buf, "%.*e", p - 1, d);
      if (std::strtod(buf, nullptr) == d) break;
    }
    return FloatText(buf, markFloat, 15);
  }
  for (int p = 18; p <= 21; ++p) {
    std::snprintf(buf, sizeof buf, "%.*Le", p - 1, v);
    if (std::strtold(buf, nullptr) == v) break;
  }
  return FloatText(buf, markFloat, 21, 18);
}

String ShortestSingle(float v) {
  if (std::isnan(v) || std::isinf(v)) return ShortestFloat(v, false);
  char buf[64];
  for (int p = 1; p <= 9; ++p) {
    std::snprintf(buf, sizeof buf, "%.*e", p - 1, static_cast<double>(v));
    if (std::strtof(buf, nullptr) == v) break;
  }
  return FloatText(buf, false, 15);
}

bool Utf8Sequence(std::string_view s, size_t i, size_t& len) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    len = 1;
    return c >= ' ' && c != 0x7F;
  }
  len = (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (len == 0 || i + len > s.size()) return false;
  for (size_t k = 1; k < len; ++k)
    if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return false;
  return Utf8ToWide(s.substr(i, len)).find(u'\uFFFD') == std::u16string::npos;
}

class TBinaryToText {
public:
  TBinaryToText(TStream* input, String& out) : FReader(input), FOut(out) {}

  void Run() {
    FReader.ReadSignature();
    ConvertObject();
  }

private:
  void Indent() { FOut.append(static_cast<size_t>(FLevel) * 2, ' '); }
  void NewLine() { FOut += "\r\n"; }

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
      size_t len;
      if (Utf8Sequence(s, i, len)) {
        FOut += '\'';
        while (i < s.size() && Utf8Sequence(s, i, len) && i - lineStart < LineLength) {
          if (s[i] == '\'') FOut += "''";
          else FOut.append(s.substr(i, len));
          i += len;
        }
        FOut += '\'';
      } else {
        FOut += '#' + std::to_string(static_cast<unsigned char>(s[i]));
        ++i;
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
    // Characters beyond ASCII as #n, so that the text reads back as a wide string.
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
        FOut += ShortestFloat(FReader.ReadFloat(), true);
        break;
      case vaSingle:
        FOut += ShortestSingle(FReader.ReadSingle()) + "s";
        break;
      case vaCurrency:
        FOut += IntToStr(FReader.ReadCurrency().Scaled) + "c";
        break;
      case vaDate:
        FOut += ShortestFloat(FReader.ReadDate().Value(), false) + "d";
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
        while (!FReader.EndOfList()) {
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
    Indent();
    FOut += FReader.ReadStr();
    FOut += " = ";
    ConvertValue();
    NewLine();
  }

  void ConvertObject() {
    if (++FDepth > TReader::MaxDepth) throw EReadError("Stream nesting too deep");
    Byte flags;
    Integer pos;
    FReader.ReadPrefix(flags, pos);
    Indent();
    FOut += (flags & ffInherited) ? "inherited " : (flags & ffInline) ? "inline " : "object ";
    String className = FReader.ReadStr();
    String name = FReader.ReadStr();
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
  }

  TReader FReader;
  String& FOut;
  int FLevel = 0;
  int FDepth = 0;
};

class TTextToBinary {
public:
  TTextToBinary(TParser& parser, TWriter& writer) : FParser(parser), FWriter(writer) {}

  void Run() {
    FWriter.WriteSignature();
    ConvertObject();
    if (FParser.Token() != toEOF) FParser.Error("End of file expected");
  }

private:
  void Enter() {
    if (++FDepth > TReader::MaxDepth) FParser.Error("Nesting too deep");
  }

  void ConvertHeader() {
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
          case 's': {
            // A single beyond its range would become infinity and not read back as written.
            long double v = FParser.TokenFloat();
            if (std::isfinite(v) && std::fabs(v) > std::numeric_limits<float>::max())
              FParser.Error("Invalid floating point value");
            FWriter.WriteSingle(static_cast<float>(v));
            break;
          }
          case 'c': {
            Int64 scaled;
            if (!TryStrToInt64(FParser.TokenString(), scaled))
              scaled = static_cast<Int64>(std::llround(static_cast<double>(FParser.TokenFloat())));
            FWriter.WriteCurrency(Currency::FromScaled(scaled));
            break;
          }
          case 'd': FWriter.WriteDate(TDateTime(static_cast<double>(FParser.TokenFloat()))); break;
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
  TTextToBinary conv(parser, writer);
  conv.Run();
  writer.FlushBuffer();
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

String ObjectBinaryToText(std::string_view binary) {
  TStringStream in{String(binary)}, out;
  ObjectBinaryToText(&in, &out);
  return out.DataString();
}

String ObjectTextToBinary(std::string_view text) {
  TStringStream in{String(text)}, out;
  ObjectTextToBinary(&in, &out);
  return out.DataString();
}

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
    String t = LowerCase(TrimLeft(head));
    if (t.rfind("object", 0) == 0 || t.rfind("inherited", 0) == 0 || t.rfind("inline", 0) == 0) return sofText;
  }
  return sofUnknown;
}

}  // namespace xel
