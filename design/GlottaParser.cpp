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

bool TGlottaParser::Check(bool qualified) {
  for (TStringList* list : {FInvalidCalls, FUsedNames, FUnusedNames, FUnknownNames}) list->Clear();
  ParseLines(ctPascal);
  // The literal is found by its two quotes, which whole-string tokens would hide.
  const bool stringTokens = StringTokens();
  SetStringTokens(false);
  TFinally restore([&] { SetStringTokens(stringTokens); });

  int unitEnd;
  if (!FindModuleEnd(unitEnd)) return false;
  const String componentName = qualified && FComponent ? FComponent->GetName() : String();
  std::vector<bool> defined(FNames ? FNames->Count() : 0);
  String t;
  int offset = 0;
  while (offset >= 0) {
    int callStart, afterCall;
    if (qualified) {
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
    bool literal = afterParen >= 0 && FindNextToken(afterParen, unitEnd, t1, open, next1) && t1 == "'" &&
                   next1 >= 0 && FindNextToken(next1, unitEnd, t2, close, next2) && t2 == "'" && next2 >= 0 &&
                   FindNextToken(next2, unitEnd, t3, closeParen, next3) && t3 == ")" &&
                   GetBlockIndex(btString, open, index) && close > open &&
                   Blocks()->Items(index)->Offset() + Blocks()->Items(index)->Length() - 1 == close;
    if (!literal) {
      AddInvalidCall(callStart, parenPos, open);
      offset = afterParen;
      continue;
    }
    String name = PascalStringToString(Trim(Copy(Text(), open + 2, close - open - 1)));
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
