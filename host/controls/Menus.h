// Menus: items with captions, accelerators, shortcuts, check marks and radio groups;
// the main menu of a form and pop-up menus.
#pragma once

#include <memory>
#include <vector>

#include "Keys.h"

namespace xel {

class TMenu;
class TCustomForm;

XEL_EXCEPTION(EMenuError, Exception);

class TMenuItem : public TComponent {
  XEL_CLASS(TMenuItem, TComponent)
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& v);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool v);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool v);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool v);
  bool GetRadioItem() const { return FRadioItem; }
  void SetRadioItem(bool v);
  Byte GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Byte v);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut v);
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool v);
  const String& GetHint() const { return FHint; }
  void SetHint(const String& v) { FHint = v; }
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool v) { FAutoCheck = v; }
  // A caption of "-" makes a separator line.
  bool IsLine() const { return FCaption == "-"; }

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const;
  void SetMenuIndex(int v);
  int IndexOf(const TMenuItem* item) const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Takes the item out (it is not freed); Delete frees it.
  void Remove(TMenuItem* item);
  void Delete(int index);
  void Clear();
  // The child whose caption matches, ignoring the accelerator "&" and case.
  TMenuItem* Find(const String& caption) const;
  // The menu this item belongs to, through its parents.
  TMenu* GetParentMenu() const;

  // Checks an auto-check item, then runs OnClick; does nothing while disabled.
  virtual void Click();

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* value) override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int order) override;

  TNotifyEvent OnClick;

  static auto Published() {
    return PropTable<TMenuItem>(
        Prop("AutoCheck", &TMenuItem::GetAutoCheck, &TMenuItem::SetAutoCheck).Default(false),
        Prop("Caption", &TMenuItem::GetCaption, &TMenuItem::SetCaption),
        Prop("Checked", &TMenuItem::GetChecked, &TMenuItem::SetChecked).Default(false),
        Prop("Default", &TMenuItem::GetDefault, &TMenuItem::SetDefault).Default(false),
        Prop("Enabled", &TMenuItem::GetEnabled, &TMenuItem::SetEnabled).Default(true),
        Prop("GroupIndex", &TMenuItem::GetGroupIndex, &TMenuItem::SetGroupIndex).Default(0),
        Prop("Hint", &TMenuItem::GetHint, &TMenuItem::SetHint),
        Prop("RadioItem", &TMenuItem::GetRadioItem, &TMenuItem::SetRadioItem).Default(false),
        Prop("ShortCut", &TMenuItem::GetShortCut, &TMenuItem::SetShortCut).Default(0),
        Prop("Visible", &TMenuItem::GetVisible, &TMenuItem::SetVisible).Default(true),
        Prop("OnClick", &TMenuItem::OnClick, &TMenuItem::OnClick));
  }

private:
  friend class TMenu;
  void MenuChanged();
  void TurnSiblingsOff();

  String FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FRadioItem = false;
  bool FDefault = false;
  bool FAutoCheck = false;
  Byte FGroupIndex = 0;
  TShortCut FShortCut = 0;
  String FHint;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item only
  std::vector<TMenuItem*> FItems;
};

class TMenu : public TComponent {
  XEL_CLASS(TMenu, TComponent)
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  TMenuItem* Items() const { return FItems.get(); }
  // The visible, enabled item (at any depth) with this shortcut.
  TMenuItem* FindItemByShortCut(TShortCut shortCut) const;
  // Clicks the item with the key's shortcut; true when there was one.
  bool IsShortCut(Word key, TShiftState shift);
  // An item changed; the window that shows the menu is told.
  virtual void Changed() {}

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int order) override;

private:
  std::unique_ptr<TMenuItem> FItems;
};

class TMainMenu : public TMenu {
  XEL_CLASS(TMainMenu, TMenu)
public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
  // The form that shows this menu (set by the form's Menu property).
  TCustomForm* Form() const { return FForm; }
  void SetForm(TCustomForm* form) { FForm = form; }
  void Changed() override;

private:
  TCustomForm* FForm = nullptr;
};

XEL_ENUM(TPopupAlignment, paLeft, paRight, paCenter)

class TPopupMenu : public TMenu {
  XEL_CLASS(TPopupMenu, TMenu)
public:
  explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
  // Shows the menu at a screen position through the widget set.
  virtual void Popup(Integer x, Integer y);
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* c) { FPopupComponent = c; }
  bool GetAutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool v) { FAutoPopup = v; }
  TPopupAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment v) { FAlignment = v; }

  TNotifyEvent OnPopup;

  static auto Published() {
    return PropTable<TPopupMenu>(
        Prop("Alignment", &TPopupMenu::GetAlignment, &TPopupMenu::SetAlignment).Default(paLeft),
        Prop("AutoPopup", &TPopupMenu::GetAutoPopup, &TPopupMenu::SetAutoPopup).Default(true),
        Prop("OnPopup", &TPopupMenu::OnPopup, &TPopupMenu::OnPopup));
  }

private:
  TComponent* FPopupComponent = nullptr;
  bool FAutoPopup = true;
  TPopupAlignment FAlignment = paLeft;
};

// The caption without its accelerator marks ("&&" stays one "&").
String StripHotkey(const String& caption);
// The accelerator letter of a caption (upper case), or 0.
char GetHotkey(const String& caption);

void RegisterMenusClasses();

}  // namespace xel
