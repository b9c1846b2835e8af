// Lists the registered classes of the framework with their published properties:
// kind, type, declared default and stored rule, as the streaming system sees them.
#include <cstdio>

#include "Classes.h"
#include "ComponentExplorerTools.h"
#include "Glotta.h"
#include "RegisterControls.h"
#include "Format.h"

using namespace xel;

namespace {

String DefaultText(PPropInfo p) {
  if (!p->HasDefault()) {
    switch (p->Kind()) {
      case tkInteger: case tkChar: case tkWChar: case tkEnumeration: case tkSet:
        return "nodefault";
      default:
        return "";
    }
  }
  if (p->Kind() == tkEnumeration) return "default " + GetEnumName(p->PropType(), p->Default());
  if (p->Kind() == tkSet) return "default " + SetToString(p->PropType(), static_cast<std::uint32_t>(p->Default()), true);
  return "default " + IntToStr(p->Default());
}

}  // namespace

int main(int argc, char** argv) {
  RegisterCoreClasses();
  RegisterModelClasses();
  RegisterControlClasses();
  RegisterGlottaClasses();
  String only = argc > 1 ? argv[1] : "";
  for (TClass cls : GetRegisteredClasses()) {
    if (!only.empty() && !cls->ClassNameIs(only)) continue;
    String parent = cls->ClassParent() ? cls->ClassParent()->ClassName() : String("-");
    std::printf("%s = class(%s)  { unit %s%s }\n", cls->ClassName().c_str(), parent.c_str(), cls->UnitName().c_str(),
                cls->CanCreate() ? "" : ", not created by class reference");
    for (PPropInfo p : cls->Props()) {
      String line = Format("  property %s: %s", {p->Name(), p->PropType()->Name});
      String def = DefaultText(p);
      if (!def.empty()) line += " " + def;
      if (!p->Writable()) line += " (read-only)";
      if (p->HasStoredProc()) line += " stored by method";
      else if (!p->IsStored(nullptr)) line += " stored False";
      std::printf("%s;%s\n", line.c_str(), p->DeclaringClass() == cls ? "" : "  // inherited");
    }
  }
  return 0;
}
