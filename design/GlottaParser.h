// Checks a unit's source against the string names of a TGlotta: finds every GetString
// call, takes the name from its literal, and sorts the results into calls without a single
// literal, names used, names defined but unused, and names used but not defined.
#pragma once

#include <cstdint>

#include "SourceParser.h"

namespace xel {

class TGlotta;

class TGlottaParser : public TSourceParser {
  XEL_CLASS(TGlottaParser, TSourceParser)
public:
  // component and names stay the caller's; only the component's name is used.
  TGlottaParser(TGlotta* component, TStrings* names, const String& source);
  ~TGlottaParser() override;

  TGlotta* Component() const { return FComponent; }
  TStrings* Names() const { return FNames; }
  // Snippets of the calls whose argument is not one literal; objects are offsets.
  TStringList* InvalidCalls() const { return FInvalidCalls; }
  // One entry per call in text order; objects are the offsets of the opening quotes.
  TStringList* UsedNames() const { return FUsedNames; }
  TStringList* UnusedNames() const { return FUnusedNames; }
  TStringList* UnknownNames() const { return FUnknownNames; }

  // Qualified: only calls of the form <component name>.GetString count; otherwise only
  // calls of GetString that are not a method of some object. False when the text has no
  // final "end." (the lists may be partly filled then).
  //
  // In C++ sources (ctC) the literal is a "..." string, and qualified calls are
  // <component name>->GetString, <component name>.GetString or the accessor's
  // <component name>()->GetString; unqualified, every GetString call counts, since a
  // language component's strings are always reached through some object there.
  bool Check(bool qualified, TCodeType codeType = ctPascal);

  // The text offset that a result list keeps in an entry's object.
  static int OffsetOf(const TObject* object) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(object));
  }

private:
  static TObject* OffsetObject(int offset) { return reinterpret_cast<TObject*>(static_cast<std::intptr_t>(offset)); }
  void AddInvalidCall(int callStart, int parenPos, int argumentPos);
  // Whether the tokens before a C++ call's "GetString" name the component.
  bool QualifiedInC(int callStart, const String& componentName) const;

  TGlotta* FComponent;
  TStrings* FNames;
  TStringList* FInvalidCalls;
  TStringList* FUsedNames;
  TStringList* FUnusedNames;
  TStringList* FUnknownNames;
};

}  // namespace xel
