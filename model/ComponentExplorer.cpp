#include "ComponentExplorer.h"

#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /model/ComponentExplorer.cpp 1 10.12.26 16:40 XG $")

namespace xel {

// ---- settings --------------------------------------------------------------------------------

void TCESettings::SetInfoBarVisible(bool v) {
  FInfoBarVisible = v;
  Changed(rbNone);
}

void TCESettings::SetPropFilterVisible(bool v) {
  FPropFilterVisible = v;
  Changed(rbNone);
}

void TCESettings::SetSortByVisible(bool v) {
  FSortByVisible = v;
  Changed(rbNone);
}

void TCESettings::SetPropFilter(TPropFilter v) {
  FPropFilter = v;
  Changed(rbSource);
}

void TCESettings::SetPropFilterText(const String& v) {
  FPropFilterText = v;
  Changed(rbSource);
}

void TCESettings::SetSortByCompName(bool v) {
  FSortByCompName = v;
  Changed(rbBoth);
}

void TCESettings::SetTypeKinds(TTypeKinds v) {
  FTypeKinds = v;
  Changed(rbBoth);
}

void TCESettings::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TCESettings*>(source)) {
    FInfoBarVisible = src->FInfoBarVisible;
    FPropFilterVisible = src->FPropFilterVisible;
    FSortByVisible = src->FSortByVisible;
    FPropFilter = src->FPropFilter;
    FPropFilterText = src->FPropFilterText;
    FSortByCompName = src->FSortByCompName;
    FTypeKinds = src->FTypeKinds;
    Changed(rbBoth);
    return;
  }
  TPersistent::Assign(source);
}

void TCESettings::Changed(TCERebuild rebuild) { OnChange(this, rebuild); }

namespace {

// Whether word occurs in text as a whole blank-separated word.
bool HasWord(const String& text, const String& word) {
  if (word.empty()) return false;
  for (size_t at = text.find(word); at != String::npos; at = text.find(word, at + 1)) {
    const size_t end = at + word.size();
    if ((at == 0 || text[at - 1] == ' ') && (end == text.size() || text[end] == ' ')) return true;
  }
  return false;
}

}  // namespace

// A property whose value cannot be read is taken as unassigned: the explorer skips what it
// cannot read.
bool TCESettings::PassesAssigned(TObject* instance, PPropInfo propInfo) const {
  if (!propInfo->PropType() || !propInfo->Readable()) return false;
  try {
    switch (propInfo->Kind()) {
      case tkInteger:
      case tkChar:
      case tkSet:
        return propInfo->GetOrd(instance) != 0;
      case tkString:
      case tkLString:
      case tkWString:
        return !propInfo->GetStr(instance).empty();
      default:
        return true;
    }
  } catch (const Exception&) {
    return false;
  }
}

bool TCESettings::IsPropVisible(const String& name, const String&, TObject* instance, PPropInfo propInfo) const {
  bool pass = FPropFilter.Contains(pfAll);
  if (!pass) {
    const String n = UpperCase(std::string_view(name).substr(0, name.find('[')));
    pass = (FPropFilter.Contains(pfCaption) && n == "CAPTION") || (FPropFilter.Contains(pfHint) && n == "HINT") ||
           (FPropFilter.Contains(pfStrings) && n == "STRINGS") || (FPropFilter.Contains(pfText) && n == "TEXT") ||
           (FPropFilter.Contains(pfUser) && HasWord(UpperCase(FPropFilterText), n));
  }
  if (pass && FPropFilter.Contains(pfAssigned) && instance && propInfo) pass = PassesAssigned(instance, propInfo);
  return pass;
}

bool TCESettings::IsPropVisibleEx(TObject* instance, const TPropertyEntry* entry) const {
  if (!entry || !IsPropVisible(entry->Name(), entry->TypeName(), nullptr, nullptr)) return false;
  if (!FPropFilter.Contains(pfAssigned)) return true;
  if (instance && entry->Descriptor()) return PassesAssigned(instance, entry->Descriptor());
  try {
    return !VarToStr(entry->GetValue()).empty();
  } catch (const Exception&) {
    return false;
  }
}

// ---- enumeration -----------------------------------------------------------------------------

namespace {

// Sub-objects that refer back to their holders would recurse without end.
constexpr int MaxNesting = 16;

class TEnumeration {
public:
  TEnumeration(const TCESettings* settings, TClass itemClass, const TPropVisibleEvent& visible)
      : FSettings(settings), FItemClass(itemClass), FVisible(visible) {}

  TMainEntry* Add(TObject* object, const String& name, const String& typeName, TMainEntries* entries) const {
    TMainEntry* main = TMainEntry::Create(entries, object, name, typeName, {stPubPropObject});
    Fill(main, object, 0);
    return DropEmpty(main);
  }

private:
  bool Accept(const String& name, const String& typeName, PPropInfo p, TObject* instance) const {
    if (!FVisible.Assigned()) return FSettings->IsPropVisible(name, typeName, instance, p);
    bool visible = true;
    FVisible(name, typeName, p, instance, visible);
    return visible;
  }

  TPropertyEntry* NewItem(TMainEntry* main, const String& name, const String& typeName, TTypeKind kind) const {
    TClass cls = FItemClass ? FItemClass : main->GetProps()->ItemClass();
    auto* item = static_cast<TPropertyEntry*>(cls->Create(main->GetProps()));
    item->SetName(name);
    item->SetTypeName(typeName);
    item->SetKind(kind);
    return item;
  }

  static TMainEntry* DropEmpty(TMainEntry* e) {
    if (e->GetProps()->Count() > 0 || e->ItemCount() > 0) return e;
    delete e;
    return nullptr;
  }

  void Fill(TMainEntry* main, TObject* object, int level) const {
    const TTypeKinds kinds = FSettings->GetTypeKinds();
    for (PPropInfo p : object->ClassType()->Props()) {
      if (!p->PropType() || !p->Readable() || !p->Writable() || !kinds.Contains(p->Kind())) continue;
      if (p->Kind() == tkClass) {
        if (level < MaxNesting) Descend(main, p, object, level + 1);
        continue;
      }
      if (!Accept(p->Name(), p->PropType()->Name, p, object)) continue;
      NewItem(main, p->Name(), p->PropType()->Name, p->Kind())->SetDescriptor(p);
    }
  }

  void Descend(TMainEntry* main, PPropInfo p, TObject* object, int level) const {
    TObject* value;
    try {
      value = GetObjectProp(object, p);
    } catch (const Exception&) {
      return;
    }
    // Components are enumerated on their own.
    if (!value || ClassCast<TComponent>(value)) return;
    if (auto* coll = ClassCast<TCollection>(value)) {
      for (int i = 0; i < coll->Count(); ++i) {
        TCollectionItem* item = coll->Items(i);
        TMainEntry* e = TMainEntry::Create(main->GetItems(), item, p->Name() + "[" + IntToStr(i) + "]",
                                           item->ClassName(), {stPubPropObject, stCollectionObject});
        Fill(e, item, level);
        DropEmpty(e);
      }
      return;
    }
    if (auto* list = ClassCast<TStrings>(value)) {
      if (!Accept("Strings", "String", nullptr, nullptr)) return;
      const bool assigned = FSettings->GetPropFilter().Contains(pfAssigned);
      TMainEntry* e = TMainEntry::Create(main->GetItems(), list, p->Name(), p->PropType()->Name, {stTStringsObject});
      for (int i = 0; i < list->Count(); ++i)
        if (!assigned || !list->Strings(i).empty()) NewItem(e, "Strings[" + IntToStr(i) + "]", "String", tkLString);
      DropEmpty(e);
      return;
    }
    TMainEntry* e = TMainEntry::Create(main->GetItems(), value, p->Name(), p->PropType()->Name, {stPubPropObject});
    Fill(e, value, level);
    DropEmpty(e);
  }

  const TCESettings* FSettings;
  TClass FItemClass;
  const TPropVisibleEvent& FVisible;
};

const TCESettings* SettingsOrDefault(const TCESettings* settings) {
  static const TCESettings defaults;
  return settings ? settings : &defaults;
}

}  // namespace

TMainEntry* AddObjectToMainEntries(TObject* object, const String& name, const String& typeName, TMainEntries* entries,
                                   const TCESettings* settings, TClass itemClass, const TPropVisibleEvent& visible) {
  if (!object || !entries) return nullptr;
  return TEnumeration(SettingsOrDefault(settings), itemClass, visible).Add(object, name, typeName, entries);
}

void AddRootToMainEntries(TComponent* root, TMainEntries* entries, const TCESettings* settings, TClass itemClass,
                          const TPropVisibleEvent& visible) {
  if (!root || !entries) return;
  TEnumeration e(SettingsOrDefault(settings), itemClass, visible);
  for (int i = 0; i < root->ComponentCount(); ++i) {
    TComponent* c = root->Components(i);
    if (!c->Name().empty()) e.Add(c, c->Name(), c->ClassName(), entries);
  }
  e.Add(root, root->Name(), root->ClassName(), entries);
}

void RegisterComponentExplorerClasses() { RegisterClasses({TCESettings::StaticClass()}); }

}  // namespace xel
