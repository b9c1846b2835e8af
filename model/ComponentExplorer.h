// The component explorer's model: the settings that decide which properties of a form are
// offered, the property filter, and the enumeration of a form's components and of the
// sub-objects reachable through their published properties into an entry tree. The
// explorer's windows build on these; the import uses them to learn what a form offers.
#pragma once

#include "ComponentExplorerTools.h"

namespace xel {

XEL_ENUM(TPropFilterEnum, pfCaption, pfHint, pfStrings, pfText, pfUser, pfAll, pfAssigned)
XEL_SET(TPropFilter, TPropFilterEnum)
// What a change of the settings asks of an explorer showing them: nothing to rebuild (the
// visibility flags), the tree of available properties, or both trees.
XEL_ENUM(TCERebuild, rbNone, rbSource, rbBoth)

class TCESettings;
XEL_EVENT(TCESettingsChangeEvent, TCESettings* /*Sender*/, TCERebuild /*Rebuild*/);
// The filter callback of the enumeration: (property name, type name, descriptor or none,
// instance or none, var Visible).
XEL_EVENT(TPropVisibleEvent, const String& /*Name*/, const String& /*TypeName*/, PPropInfo /*PropInfo*/,
          TObject* /*Instance*/, bool& /*Visible*/);

inline constexpr TPropFilter DefaultPropFilter{pfCaption, pfHint, pfStrings, pfText, pfAssigned};
// Integer, char, enumeration, float, short string, set, class, wide char, long string,
// wide string and variant: 7934.
inline const TTypeKinds DefaultCETypeKinds = TTypeKinds::FromBits(7934);

class TCESettings : public TPersistent {
  XEL_CLASS(TCESettings, TPersistent)
public:
  TCESettings() = default;

  bool GetInfoBarVisible() const { return FInfoBarVisible; }
  void SetInfoBarVisible(bool v);
  bool GetPropFilterVisible() const { return FPropFilterVisible; }
  void SetPropFilterVisible(bool v);
  bool GetSortByVisible() const { return FSortByVisible; }
  void SetSortByVisible(bool v);
  TPropFilter GetPropFilter() const { return FPropFilter; }
  void SetPropFilter(TPropFilter v);
  const String& GetPropFilterText() const { return FPropFilterText; }
  void SetPropFilterText(const String& v);
  bool GetSortByCompName() const { return FSortByCompName; }
  void SetSortByCompName(bool v);
  TTypeKinds GetTypeKinds() const { return FTypeKinds; }
  void SetTypeKinds(TTypeKinds v);

  // Copies all seven values from another TCESettings, then asks for a full rebuild.
  void Assign(TPersistent* source) override;
  // Tells the explorer that shows the settings (through OnChange) what to rebuild.
  virtual void Changed(TCERebuild rebuild);

  // Whether the filter offers a property: name up to a first "[", compared in upper case.
  // With pfAssigned and an instance, the live value of an integer, char or set property
  // must be non-zero and that of a string property non-empty.
  bool IsPropVisible(const String& name, const String& typeName, TObject* instance, PPropInfo propInfo) const;
  // The same test for an existing property entry; without an instance, pfAssigned asks
  // for a non-empty value of the entry itself.
  bool IsPropVisibleEx(TObject* instance, const TPropertyEntry* entry) const;

  TCESettingsChangeEvent OnChange;

  static auto Published() {
    using C = TCESettings;
    return PropTable<C>(
        Prop("InfoBarVisible", &C::GetInfoBarVisible, &C::SetInfoBarVisible).Default(true),
        Prop("PropFilterVisible", &C::GetPropFilterVisible, &C::SetPropFilterVisible).Default(true),
        Prop("SortByVisible", &C::GetSortByVisible, &C::SetSortByVisible).Default(true),
        Prop("PropFilter", &C::GetPropFilter, &C::SetPropFilter).Default(DefaultPropFilter),
        Prop("PropFilterText", &C::GetPropFilterText, &C::SetPropFilterText),
        Prop("SortByCompName", &C::GetSortByCompName, &C::SetSortByCompName).Default(true),
        Prop("TypeKinds", &C::GetTypeKinds, &C::SetTypeKinds).Default(DefaultCETypeKinds));
  }

private:
  bool PassesAssigned(TObject* instance, PPropInfo propInfo) const;

  bool FInfoBarVisible = true;
  bool FPropFilterVisible = true;
  bool FSortByVisible = true;
  TPropFilter FPropFilter = DefaultPropFilter;
  String FPropFilterText;
  bool FSortByCompName = true;
  TTypeKinds FTypeKinds = DefaultCETypeKinds;
};

// Fills entries with every named component owned by root, in ownership order, and then
// root itself, each with the properties that the settings (and visible, when assigned)
// offer. Settings none: the defaults. Item class none: that of the entries' collections.
void AddRootToMainEntries(TComponent* root, TMainEntries* entries, const TCESettings* settings, TClass itemClass,
                          const TPropVisibleEvent& visible = {});
// One object as a main entry of entries (nested objects, collection items and string lists
// beneath it); none when nothing of it is offered.
TMainEntry* AddObjectToMainEntries(TObject* object, const String& name, const String& typeName, TMainEntries* entries,
                                   const TCESettings* settings, TClass itemClass, const TPropVisibleEvent& visible = {});

void RegisterComponentExplorerClasses();

}  // namespace xel
