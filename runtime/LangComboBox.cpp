#include "LangComboBox.h"

#include "Expand.h"
#include "Forms.h"
#include "Glotta.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /runtime/LangComboBox.cpp 1 10.12.26 15:20 XG $")

namespace xel {

TLangComboBox::TLangComboBox(TComponent* owner) : TCustomComboBox(owner) {
  FNewName = ComponentState().Contains(csDesigning);
  FEnabledColor = GetColor();
  FControlStyle.Exclude(csSetCaption);
  SetEnabled(false);
  SetSorted(true);
  SetStyle(csDropDownList);
  SetTabStop(true);
  if (FNewName) TGlotta::RegisterCreateNotify(MakeMethod<&TLangComboBox::LangCreated>(this));
}

TLangComboBox::~TLangComboBox() {
  TGlotta::UnregisterCreateNotify(MakeMethod<&TLangComboBox::LangCreated>(this));
  UnregisterNotifications();
  // The window goes in the base destructor, when this part no longer listens.
  DestroyHandle();
}

void TLangComboBox::SetGlotta(TGlotta* value) {
  if (value == FGlotta) return;
  UnregisterNotifications();
  ReloadItems(nullptr);
  if (FGlotta) FGlotta->RemoveFreeNotification(this);
  FGlotta = value;
  if (value) {
    value->FreeNotification(this);
    RegisterNotifications(nullptr);
  }
}

void TLangComboBox::OnComponent(TComponent* component, void* param) {
  if (auto* g = dynamic_cast<TGlotta*>(component)) static_cast<std::vector<TGlotta*>*>(param)->push_back(g);
}

TGlotta* TLangComboBox::FindGlotta(TGlotta* exclude) const {
  TCustomForm* form = nullptr;
  if (!GetOwnerForm(this, form)) return nullptr;
  std::vector<TGlotta*> found;
  ForEachComponent(form, MakeMethod<&TLangComboBox::OnComponent>(const_cast<TLangComboBox*>(this)), &found);
  for (TGlotta* g : found)
    if (g != exclude && !g->ComponentState().Contains(csDestroying)) return g;
  return nullptr;
}

void TLangComboBox::RegisterNotifications(TGlotta* exclude) {
  UnregisterNotifications();
  if (FActiveGlotta || !HandleAllocated()) return;
  if (!FGlotta) {
    TGlotta* found = FindGlotta(exclude);
    FActiveGlotta = found;
    if (found) {
      FGlotta = found;  // adopted as the property's value
      found->FreeNotification(this);
    }
  } else {
    FActiveGlotta = FGlotta;
  }
  if (!FActiveGlotta) return;
  FActiveGlotta->FreeNotification(this);
  LangChange(FActiveGlotta);
  FActiveGlotta->RegisterChangeNotify(MakeMethod<&TLangComboBox::LangChange>(this));
}

void TLangComboBox::UnregisterNotifications() {
  if (FActiveGlotta) FActiveGlotta->UnregisterChangeNotify(MakeMethod<&TLangComboBox::LangChange>(this));
  FActiveGlotta = nullptr;
}

void TLangComboBox::ReloadItems(TGlotta* glotta) {
  if (!HandleAllocated()) return;
  GetItems()->Clear();
  if (glotta) glotta->GetLanguages(GetItems());
  SetEnabled(GetItems()->Count() > 0);
}

void TLangComboBox::LangChange(TGlotta* glotta) {
  if (!HandleAllocated()) return;
  if (!glotta) {
    // The bound component goes away: move on to another one of the form, if any.
    TGlotta* gone = FActiveGlotta;
    if (FGlotta) FGlotta->RemoveFreeNotification(this);
    FGlotta = nullptr;
    UnregisterNotifications();
    ReloadItems(nullptr);
    RegisterNotifications(gone);
    return;
  }
  if (glotta != FGlotta) {
    DebugTrace(ClassName() + ".LangChange: Invalid internal reference - critical error " + GetName());
    return;
  }
  ReloadItems(glotta);
  const String language = glotta->GetLanguage();
  Integer index = -1;
  for (int i = 0; i < GetItems()->Count() && index < 0; ++i)
    if (SameText(GetItems()->Strings(i), language)) index = i;
  SetItemIndex(index);
}

void TLangComboBox::LangCreated(TGlotta*) {
  if (!FActiveGlotta && HandleAllocated()) RegisterNotifications(nullptr);
}

void TLangComboBox::Change() {
  TCustomComboBox::Change();
  if (GetItemIndex() >= 0 && FActiveGlotta) FActiveGlotta->SetLanguage(GetItems()->Strings(GetItemIndex()));
}

void TLangComboBox::CreateWnd() {
  TCustomComboBox::CreateWnd();
  RegisterNotifications(nullptr);
}

void TLangComboBox::DestroyWnd() {
  if (HandleAllocated()) {
    UnregisterNotifications();
    ReloadItems(nullptr);
  }
  TCustomComboBox::DestroyWnd();
}

void TLangComboBox::Loaded() {
  TCustomComboBox::Loaded();
  FNewName = false;
  if (FAutoColor) AdjustColor();
  if (!FActiveGlotta && FGlotta) RegisterNotifications(nullptr);
}

void TLangComboBox::Notification(TComponent* component, TOperation operation) {
  TCustomComboBox::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FGlotta && component != FActiveGlotta) FGlotta = nullptr;
  if (component != FActiveGlotta || !component) return;
  DebugTrace(ClassName() + ".Notification: opRemove");
  FGlotta = nullptr;
  FActiveGlotta = nullptr;
  ReloadItems(nullptr);
  if (Owner() && Owner()->ComponentState().Contains(csDesigning) &&
      !Owner()->ComponentState().Contains(csDestroying))
    RegisterNotifications(static_cast<TGlotta*>(component));
}

void TLangComboBox::SetName(const String& newName) {
  if (FNewName && !ComponentState().Contains(csLoading)) {
    FNewName = false;
    SetShortenedName(this, newName, [this](const String& n) { TCustomComboBox::SetName(n); });
    return;
  }
  TCustomComboBox::SetName(newName);
}

void TLangComboBox::AdjustColor() {
  if (!GetEnabled() && GetColor() == FEnabledColor) SetColor(FDisabledColor);
  else if (GetEnabled() && GetColor() == FDisabledColor) SetColor(FEnabledColor);
}

void TLangComboBox::SetAutoColor(bool value) {
  if (FAutoColor == value) return;
  FAutoColor = value;
  if (value && !ComponentState().Contains(csLoading)) AdjustColor();
}

void TLangComboBox::EnabledChanged() {
  TCustomComboBox::EnabledChanged();
  if (!ComponentState().Contains(csLoading) && FAutoColor) AdjustColor();
}

}  // namespace xel
