#include "Menus.h"

#include <algorithm>

#include "Forms.h"
#include "WidgetSet.h"

namespace xel {

// ---------------------------------------------------------------- shortcuts

TShortCut ShortCut(Word key, TShiftState shift) {
  if (key & 0xFF00) return 0;
  TShortCut sc = key;
  if (shift.Contains(ssShift)) sc += scShift;
  if (shift.Contains(ssCtrl)) sc += scCtrl;
  if (shift.Contains(ssAlt)) sc += scAlt;
  return sc;
}

void ShortCutToKey(TShortCut shortCut, Word& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = {};
  if (shortCut & scShift) shift.Include(ssShift);
  if (shortCut & scCtrl) shift.Include(ssCtrl);
  if (shortCut & scAlt) shift.Include(ssAlt);
}

namespace {

struct TKeyName {
  Word Key;
  const char* Name;
};
constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},    {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},  {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},      {VK_HOME, "Home"},   {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},  {VK_DELETE, "Del"}};

String KeyName(Word key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return String(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F1 + 23) return "F" + IntToStr(key - VK_F1 + 1);
  for (const auto& k : kKeyNames)
    if (k.Key == key) return k.Name;
  return "";
}

}  // namespace

String ShortCutToText(TShortCut shortCut) {
  String name = KeyName(shortCut & 0xFF);
  if (name.empty()) return "";
  String prefix;
  if (shortCut & scShift) prefix += "Shift+";
  if (shortCut & scCtrl) prefix += "Ctrl+";
  if (shortCut & scAlt) prefix += "Alt+";
  return prefix + name;
}

TShortCut TextToShortCut(const String& text) {
  TShortCut shift = 0;
  std::string_view rest = text;
  for (;;) {
    auto take = [&](std::string_view p, TShortCut bit) {
      if (rest.size() > p.size() && SameText(rest.substr(0, p.size()), p)) {
        shift |= bit;
        rest.remove_prefix(p.size());
        return true;
      }
      return false;
    };
    if (!take("Shift+", scShift) && !take("Ctrl+", scCtrl) && !take("Alt+", scAlt)) break;
  }
  for (Word key = 1; key < 256; ++key) {
    String name = KeyName(key);
    if (!name.empty() && SameText(name, rest)) return static_cast<TShortCut>(key | shift);
  }
  return 0;
}

String StripHotkey(const String& caption) {
  String out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
      continue;
    }
    out += caption[i];
  }
  return out;
}

char GetHotkey(const String& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    char c = caption[i + 1];
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  }
  return 0;
}

// ---------------------------------------------------------------- TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  while (!FItems.empty()) delete FItems.back();
  if (FParent) FParent->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(SConst::ListIndexError, {index}));
  return FItems[index];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int v) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  std::erase(parent->FItems, this);
  v = std::clamp(v, 0, parent->Count());
  parent->FItems.insert(parent->FItems.begin() + v, this);
  MenuChanged();
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item->FParent) throw EMenuError("Menu inserted twice");
  if (index < 0 || index > Count()) throw EMenuError("Menu index out of range");
  for (const TMenuItem* p = this; p; p = p->FParent)
    if (p == item) throw EMenuError("Menu inserted twice");
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  MenuChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) throw EMenuError("Sub-menu is not in menu");
  FItems.erase(it);
  item->FParent = nullptr;
  MenuChanged();
}

void TMenuItem::Delete(int index) { delete Items(index); }

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

TMenuItem* TMenuItem::Find(const String& caption) const {
  String wanted = StripHotkey(caption);
  for (TMenuItem* item : FItems)
    if (SameText(StripHotkey(item->FCaption), wanted)) return item;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* p = this;
  while (p->FParent) p = p->FParent;
  return p->FMenu;
}

void TMenuItem::MenuChanged() {
  if (ComponentState().Contains(csDestroying)) return;
  if (TMenu* menu = GetParentMenu(); menu && !menu->ComponentState().Contains(csDestroying)) menu->Changed();
}

void TMenuItem::SetCaption(const String& v) {
  if (SetIfChanged(FCaption, v)) MenuChanged();
}
void TMenuItem::SetEnabled(bool v) {
  if (SetIfChanged(FEnabled, v)) MenuChanged();
}
void TMenuItem::SetVisible(bool v) {
  if (SetIfChanged(FVisible, v)) MenuChanged();
}
void TMenuItem::SetShortCut(TShortCut v) {
  if (SetIfChanged(FShortCut, v)) MenuChanged();
}
void TMenuItem::SetDefault(bool v) {
  if (SetIfChanged(FDefault, v)) MenuChanged();
}

void TMenuItem::SetChecked(bool v) {
  if (FChecked == v) return;
  FChecked = v;
  if (v && FRadioItem) TurnSiblingsOff();
  MenuChanged();
}

void TMenuItem::SetRadioItem(bool v) {
  if (FRadioItem == v) return;
  FRadioItem = v;
  if (FChecked && v) TurnSiblingsOff();
  MenuChanged();
}

void TMenuItem::SetGroupIndex(Byte v) {
  if (FGroupIndex == v) return;
  FGroupIndex = v;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged();
}

// One checked radio item per group among the siblings (not while a stream is read, where
// the stored states already agree and the siblings may not all be there yet).
void TMenuItem::TurnSiblingsOff() {
  if (!FParent || ComponentState().Contains(csLoading)) return;
  for (TMenuItem* item : FParent->FItems)
    if (item != this && item->FRadioItem && item->FGroupIndex == FGroupIndex) item->FChecked = false;
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck) SetChecked(!FChecked);
  OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* value) {
  if (FParent) FParent->Remove(this);
  if (auto* menu = dynamic_cast<TMenu*>(value)) menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(value)) item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (TMenuItem* item : std::vector<TMenuItem*>(FItems)) proc(item);
}

void TMenuItem::SetChildOrder(TComponent* child, int order) {
  if (auto* item = dynamic_cast<TMenuItem*>(child); item && item->FParent == this) item->SetMenuIndex(order);
}

// ---------------------------------------------------------------- TMenu

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(std::make_unique<TMenuItem>(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  Destroying();
  FItems.reset();
}

TMenuItem* TMenu::FindItemByShortCut(TShortCut shortCut) const {
  if (shortCut == 0) return nullptr;
  std::function<TMenuItem*(TMenuItem*)> find = [&](TMenuItem* parent) -> TMenuItem* {
    for (int i = 0; i < parent->Count(); ++i) {
      TMenuItem* item = parent->Items(i);
      // Hidden items keep their shortcuts (a hidden debug menu is reached by its keys);
      // a disabled item and everything below it does not answer.
      if (!item->GetEnabled()) continue;
      if (item->GetShortCut() == shortCut) return item;
      if (TMenuItem* sub = find(item)) return sub;
    }
    return nullptr;
  };
  return find(FItems.get());
}

bool TMenu::IsShortCut(Word key, TShiftState shift) {
  TMenuItem* item = FindItemByShortCut(ShortCut(key, shift));
  if (!item) return false;
  item->Click();
  return true;
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (int i = 0; i < FItems->Count(); ++i) {
    TMenuItem* item = FItems->Items(i);
    if (item->Owner() == root) proc(item);
  }
}

void TMenu::SetChildOrder(TComponent* child, int order) { FItems->SetChildOrder(child, order); }

void TMainMenu::Changed() {
  if (FForm) FForm->MenuChanged();
}

void TPopupMenu::Popup(Integer x, Integer y) {
  OnPopup(this);
  if (TWidgetSet* ws = WidgetSet()) ws->Popup(this, {x, y});
}

void RegisterMenusClasses() {
  RegisterClasses({TMenuItem::StaticClass(), TMainMenu::StaticClass(), TPopupMenu::StaticClass()});
}

}  // namespace xel
