// The registration calls of a design package's units and what the designer looks up in
// them. Every registration belongs to the package whose registration runs at the time, so
// that unloading the package takes its palette classes, editors and experts away again.
#pragma once

#include <memory>
#include <vector>

#include "DsgnIntf.h"
#include "Resources.h"

namespace xel {

class TIExpert;

// Editor classes: their name and how the designer makes one.
struct TPropertyEditorClassInfo {
  String Name;
  TPropertyEditor* (*Create)();
};
using TPropertyEditorClass = const TPropertyEditorClassInfo*;
struct TComponentEditorClassInfo {
  String Name;
  TComponentEditor* (*Create)(TComponent*, TFormDesigner*);
};
using TComponentEditorClass = const TComponentEditorClassInfo*;
struct TCustomModuleClassInfo {
  String Name;
  TCustomModule* (*Create)(TComponent*, TFormDesigner*);
};
using TCustomModuleClass = const TCustomModuleClassInfo*;

template <class T>
TPropertyEditorClass PropertyEditorClass() {
  static const TPropertyEditorClassInfo info{T::StaticClass()->ClassName(), []() -> TPropertyEditor* { return new T; }};
  return &info;
}
template <class T>
TComponentEditorClass ComponentEditorClass() {
  static const TComponentEditorClassInfo info{
      T::StaticClass()->ClassName(), [](TComponent* c, TFormDesigner* d) -> TComponentEditor* { return new T(c, d); }};
  return &info;
}
template <class T>
TCustomModuleClass CustomModuleClass() {
  static const TCustomModuleClassInfo info{
      T::StaticClass()->ClassName(), [](TComponent* r, TFormDesigner* d) -> TCustomModule* { return new T(r, d); }};
  return &info;
}

// ---- the calls of a unit's Register --------------------------------------------------------

void RegisterComponents(const String& page, std::initializer_list<TClass> classes);
// A null component class serves every class; an empty name every property of the type.
void RegisterPropertyEditor(PTypeInfo propertyType, TClass componentClass, const String& propertyName,
                            TPropertyEditorClass editorClass);
void RegisterComponentEditor(TClass componentClass, TComponentEditorClass editorClass);
void RegisterCustomModule(TClass formClass, TCustomModuleClass moduleClass);
// The designer owns the expert from here on and frees it when its package unloads.
void RegisterLibraryExpert(TIExpert* expert);

// ---- what the designer looks up ------------------------------------------------------------

struct TPaletteEntry {
  String Page;
  TClass Class;
};
// In registration order; a page appears where its first class was registered.
std::vector<TPaletteEntry> PaletteClasses();
std::vector<String> PalettePages();
// The palette picture of a class: the bitmap resource named by the class name in upper
// case, of the class or of its nearest ancestor that has one, from any module; null when
// there is none. Its data is a device-independent bitmap without the file header.
const TResourceEntry* PaletteBitmap(TClass cls);
// The editor for one property of a component class: the registration of the nearest
// class, the named one before the one for every name, the latest of equal ones; the
// designer's own editors (by kind) when none is registered.
TPropertyEditor* CreatePropertyEditor(TClass componentClass, PPropInfo prop);
// The registered editor of the nearest class, else a TDefaultEditor.
TComponentEditor* GetComponentEditor(TComponent* component, TFormDesigner* designer);
// The custom module of the nearest form class, or none.
TCustomModule* GetCustomModule(TComponent* root, TFormDesigner* designer);
std::vector<TIExpert*> LibraryExperts();

// ---- packages -------------------------------------------------------------------------------

// Registrations made until the matching end belong to the package of that tag.
void BeginPackageRegistration(int package);
void EndPackageRegistration();
// Takes back what the package registered and frees its experts (newest first).
void UnregisterPackage(int package);

}  // namespace xel
