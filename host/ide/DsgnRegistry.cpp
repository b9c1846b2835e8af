#include "DsgnRegistry.h"

#include <algorithm>

#include "ExptIntf.h"

namespace xel {

namespace {

struct TPropEditorReg {
  PTypeInfo Type;
  TClass Class;
  String Name;
  TPropertyEditorClass Editor;
  int Package;
};
struct TCompEditorReg {
  TClass Class;
  TComponentEditorClass Editor;
  int Package;
};
struct TModuleReg {
  TClass Class;
  TCustomModuleClass Module;
  int Package;
};
struct TPaletteReg {
  TPaletteEntry Entry;
  int Package;
};
struct TExpertReg {
  std::unique_ptr<TIExpert> Expert;
  int Package;
};

struct TDesignRegistry {
  std::vector<TPaletteReg> Palette;
  std::vector<TPropEditorReg> PropEditors;
  std::vector<TCompEditorReg> CompEditors;
  std::vector<TModuleReg> Modules;
  std::vector<TExpertReg> Experts;
  int Package = 0;
};

TDesignRegistry& Registry() {
  static TDesignRegistry registry;
  return registry;
}

// Type information of one type can exist once per module that names it: equal kind and
// name are the same type.
bool SameType(PTypeInfo a, PTypeInfo b) {
  return a == b || (a && b && a->Kind == b->Kind && SameText(a->Name, b->Name));
}

// How far up from cls the class lies (0: itself); -1 when cls does not descend from it.
int Distance(TClass cls, TClass ancestor) {
  int d = 0;
  for (TClass c = cls; c; c = c->ClassParent(), ++d)
    if (c == ancestor || c->ClassName() == ancestor->ClassName()) return d;
  return -1;
}

// The registration of the nearest class; the latest of equally near ones.
template <class Reg>
const Reg* Nearest(const std::vector<Reg>& list, TClass cls) {
  const Reg* best = nullptr;
  int bestDistance = 0;
  for (const Reg& r : list) {
    const int d = Distance(cls, r.Class);
    if (d >= 0 && (!best || d <= bestDistance)) {
      best = &r;
      bestDistance = d;
    }
  }
  return best;
}

template <class List>
void RemovePackage(List& list, int package) {
  list.erase(std::remove_if(list.begin(), list.end(), [package](const auto& r) { return r.Package == package; }),
             list.end());
}

}  // namespace

void RegisterComponents(const String& page, std::initializer_list<TClass> classes) {
  for (TClass c : classes) Registry().Palette.push_back({{page, c}, Registry().Package});
}

void RegisterPropertyEditor(PTypeInfo propertyType, TClass componentClass, const String& propertyName,
                            TPropertyEditorClass editorClass) {
  Registry().PropEditors.push_back({propertyType, componentClass, propertyName, editorClass, Registry().Package});
}

void RegisterComponentEditor(TClass componentClass, TComponentEditorClass editorClass) {
  Registry().CompEditors.push_back({componentClass, editorClass, Registry().Package});
}

void RegisterCustomModule(TClass formClass, TCustomModuleClass moduleClass) {
  Registry().Modules.push_back({formClass, moduleClass, Registry().Package});
}

void RegisterLibraryExpert(TIExpert* expert) {
  if (expert) Registry().Experts.push_back({std::unique_ptr<TIExpert>(expert), Registry().Package});
}

std::vector<TPaletteEntry> PaletteClasses() {
  std::vector<TPaletteEntry> result;
  for (const TPaletteReg& r : Registry().Palette) result.push_back(r.Entry);
  return result;
}

std::vector<String> PalettePages() {
  std::vector<String> pages;
  for (const TPaletteReg& r : Registry().Palette)
    if (std::none_of(pages.begin(), pages.end(), [&](const String& p) { return SameText(p, r.Entry.Page); }))
      pages.push_back(r.Entry.Page);
  return pages;
}

const TResourceEntry* PaletteBitmap(TClass cls) {
  for (TClass c = cls; c; c = c->ClassParent())
    for (const void* module : ResourceModules())
      if (const TResourceEntry* e = FindResource(module, UpperCase(c->ClassName()), RT_BITMAP)) return e;
  return nullptr;
}

TPropertyEditor* CreatePropertyEditor(TClass componentClass, PPropInfo prop) {
  const TPropEditorReg* best = nullptr;
  int bestDistance = 0;
  bool bestNamed = false;
  for (const TPropEditorReg& r : Registry().PropEditors) {
    if (!SameType(r.Type, prop->PropType())) continue;
    const bool named = !r.Name.empty();
    if (named && !SameText(r.Name, prop->Name())) continue;
    const int d = r.Class ? Distance(componentClass, r.Class) : 1 << 20;
    if (d < 0) continue;
    // Later registrations replace earlier ones of the same standing.
    if (!best || d < bestDistance || (d == bestDistance && named >= bestNamed)) {
      best = &r;
      bestDistance = d;
      bestNamed = named;
    }
  }
  if (best) return best->Editor->Create();
  switch (prop->Kind()) {
    case tkEnumeration:
      return prop->PropType()->Name == "Boolean" ? new TBoolProperty : new TEnumProperty;
    case tkString:
    case tkLString:
    case tkWString:
      return new TStringProperty;
    case tkInteger:
    case tkChar:
    case tkInt64:
      return new TIntegerProperty;
    default:
      return new TGenericProperty;
  }
}

TComponentEditor* GetComponentEditor(TComponent* component, TFormDesigner* designer) {
  if (const TCompEditorReg* r = Nearest(Registry().CompEditors, component->ClassType()))
    return r->Editor->Create(component, designer);
  return new TDefaultEditor(component, designer);
}

TCustomModule* GetCustomModule(TComponent* root, TFormDesigner* designer) {
  const TModuleReg* r = Nearest(Registry().Modules, root->ClassType());
  return r ? r->Module->Create(root, designer) : nullptr;
}

std::vector<TIExpert*> LibraryExperts() {
  std::vector<TIExpert*> result;
  for (const TExpertReg& r : Registry().Experts) result.push_back(r.Expert.get());
  return result;
}

void BeginPackageRegistration(int package) { Registry().Package = package; }
void EndPackageRegistration() { Registry().Package = 0; }

void UnregisterPackage(int package) {
  TDesignRegistry& reg = Registry();
  // Experts first, newest first: an expert's destructor takes its menu items away and may
  // still use what its package registered before it.
  for (auto it = reg.Experts.rbegin(); it != reg.Experts.rend(); ++it)
    if (it->Package == package) it->Expert.reset();
  RemovePackage(reg.Experts, package);
  RemovePackage(reg.Palette, package);
  RemovePackage(reg.PropEditors, package);
  RemovePackage(reg.CompEditors, package);
  RemovePackage(reg.Modules, package);
}

}  // namespace xel
