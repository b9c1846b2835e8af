#include "GlottaParser.h"

#include <algorithm>

#include "Glotta.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /design/GlottaParser.cpp 1 10.12.26 9:40 XG $")

namespace xel {

TGlottaParser::TGlottaParser(TGlotta* component, TStrings* names, const String& source)
    : TSourceParser(source),
      FComponent(component),
      FNames(names),
      FInvalidCalls(new TStringList()),
      FUsedNames(new TStringList()),
      FUnusedNames(new TStringList()),
      FUnknownNames(new TStringList()) {}

TGlottaParser::~TGlottaParser() {
  delete FUnknownNames;
  delete FUnusedNames;
  delete FUsedNames;
  delete FInvalidCalls;
}

void TGlottaParser::AddInvalidCall(int callStart, int parenPos, int argumentPos) {
  String snippet = Copy(Text(), callStart + 1, parenPos - callStart + 1 + 15) + "...";
  size_t lineBreak = snippet.find_first_of("\r\n");
  if (lineBreak != String::npos) snippet.erase(lineBreak);
  FInvalidCalls->AddObject(snippet, OffsetObject(std::max(callStart, argumentPos)));
}

namespace {

// The text of a C string literal between its quotes: escapes read, as far as a name needs.
String CStringToString(std::string_view s) {
  String out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char c = s[++i];
    out += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
  }
  return out;
}

}  // namespace

bool TGlottaParser::QualifiedInC(int callStart, const String& componentName) const {
  // Backwards from "GetString": "->" or ".", then optionally "()", then the name.
  String t;
  int pos = callStart, next;
  auto previous = [&](const char* expected) {
    return pos > 0 && FindNextToken(pos - 1, 0, t, pos, next) && (!expected || t == expected);
  };
  if (!previous(nullptr)) return false;
  if (t == ">") {
    if (!previous("-")) return false;
  } else if (t != ".") {
    return false;
  }
  if (!previous(nullptr)) return false;
  if (t == ")") {
    if (!previous("(") || !previous(nullptr)) return false;
  }
  return t == componentName;
}

bool TGlottaParser::Check(bool qualified, TCodeType codeType) {
  for (TStringList* list : {FInvalidCalls, FUsedNames, FUnusedNames, FUnknownNames}) list->Clear();
  const bool c = codeType == ctC;
  ParseLines(c ? ctC : ctPascal);
  // The literal is found by its two quotes, which whole-string tokens would hide.
  const bool stringTokens = StringTokens();
  SetStringTokens(false);
  TFinally restore([&] { SetStringTokens(stringTokens); });

  int unitEnd = static_cast<int>(Text().size()) - 1;
  if (!c && !FindModuleEnd(unitEnd)) return false;
  if (unitEnd < 0) unitEnd = 0;
  const char* quote = c ? "\"" : "'";
  const String componentName = qualified && FComponent ? FComponent->GetName() : String();
  std::vector<bool> defined(FNames ? FNames->Count() : 0);
  String t;
  int offset = 0;
  while (offset >= 0) {
    int callStart, afterCall;
    if (c) {
      if ((qualified && componentName.empty()) || !FindToken(offset, unitEnd, "GetString", callStart, afterCall, {}))
        break;
      if (qualified && !QualifiedInC(callStart, componentName)) {
        offset = afterCall;
        continue;
      }
    } else if (qualified) {
      if (componentName.empty() ||
          !FindTokenSequence(offset, unitEnd, {componentName, ".", "GetString"}, callStart, afterCall, {}))
        break;
    } else {
      if (!FindToken(offset, unitEnd, "GetString", callStart, afterCall, {})) break;
      int prevPos, prevNext;
      if (callStart > 0 && FindNextToken(callStart - 1, 0, t, prevPos, prevNext) && t == ".") {
        offset = afterCall;
        continue;
      }
    }
    int parenPos, afterParen;
    if (afterCall < 0 || !FindNextToken(afterCall, unitEnd, t, parenPos, afterParen)) break;
    if (t != "(") {
      offset = afterCall;
      continue;
    }
    // A single literal shows as its two quotes and then ")"; the quotes must be the two
    // ends of one string block.
    String t1, t2, t3;
    int open = -1, close = -1, closeParen = -1, next1 = -1, next2 = -1, next3 = -1, index = -1;
    bool literal = afterParen >= 0 && FindNextToken(afterParen, unitEnd, t1, open, next1) && t1 == quote &&
                   next1 >= 0 && FindNextToken(next1, unitEnd, t2, close, next2) && t2 == quote && next2 >= 0 &&
                   FindNextToken(next2, unitEnd, t3, closeParen, next3) && t3 == ")" &&
                   GetBlockIndex(btString, open, index) && close > open &&
                   Blocks()->Items(index)->Offset() + Blocks()->Items(index)->Length() - 1 == close;
    if (!literal) {
      AddInvalidCall(callStart, parenPos, open);
      offset = afterParen;
      continue;
    }
    const String inner = Copy(Text(), open + 2, close - open - 1);
    String name = c ? Trim(CStringToString(inner)) : PascalStringToString(Trim(inner));
    FUsedNames->AddObject(name, OffsetObject(open));
    int found = FNames ? FNames->IndexOf(name) : -1;
    if (found < 0)
      FUnknownNames->AddObject(name, OffsetObject(open));
    else
      defined[static_cast<size_t>(found)] = true;
    offset = next3;
  }
  // A name is used when some call's name finds it, by the list's own lookup.
  for (int i = 0; FNames && i < FNames->Count(); ++i) {
    if (defined[static_cast<size_t>(i)]) continue;
    String name = FNames->Get(i);
    int first = FNames->IndexOf(name);
    if (first < 0 || !defined[static_cast<size_t>(first)]) FUnusedNames->Add(name);
  }
  return true;
}

}  // namespace xel
