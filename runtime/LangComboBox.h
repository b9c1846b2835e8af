// The language combo box: a drop-down list of a TGlotta's languages for the end user.
// It binds itself to the component named in Glotta or to the first one of its form once
// it has a window, follows every switch, reload and removal of that component, and
// switches the component's frame when the user picks a language.
#pragma once

#include "StdCtrls.h"

namespace xel {

class TGlotta;

class TLangComboBox : public TCustomComboBox {
  XEL_CLASS(TLangComboBox, TCustomComboBox)
public:
  explicit TLangComboBox(TComponent* owner);
  ~TLangComboBox() override;

  TGlotta* GetGlotta() const { return FGlotta; }
  void SetGlotta(TGlotta* value);
  bool GetAutoColor() const { return FAutoColor; }
  void SetAutoColor(bool value);
  TGlotta* ActiveGlotta() const { return FActiveGlotta; }
  bool NewName() const { return FNewName; }

  void RegisterNotifications(TGlotta* exclude);
  void UnregisterNotifications();
  void ReloadItems(TGlotta* glotta);
  // The first TGlotta of the owner form (children before parents, later ones first) that
  // is not exclude.
  TGlotta* FindGlotta(TGlotta* exclude) const;
  void LangChange(TGlotta* glotta);
  void LangCreated(TGlotta* glotta);
  void OnComponent(TComponent* component, void* param);
  void AdjustColor();

  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void SetName(const String& newName) override;

  static auto Published() {
    using C = TLangComboBox;
    return PropTable<C>(
        Prop("AutoColor", &C::GetAutoColor, &C::SetAutoColor).Default(true),
        Prop("Glotta", &C::GetGlotta, &C::SetGlotta),
        Prop("Color", &C::GetColor, &C::SetColor).Stored(&C::IsColorStored),
        Prop("Ctl3D", &C::GetCtl3D, &C::SetCtl3D).Default(true),
        Prop("DropDownCount", &C::GetDropDownCount, &C::SetDropDownCount).Default(8),
        Prop("Font", &C::GetFont, &C::SetFont).Stored(&C::IsFontStored),
        Prop("ItemHeight", &C::GetItemHeight, &C::SetItemHeight).Default(16),
        Prop("ParentColor", &C::GetParentColor, &C::SetParentColor).Default(false),
        Prop("ParentFont", &C::GetParentFont, &C::SetParentFont).Default(true),
        Prop("ParentShowHint", &C::GetParentShowHint, &C::SetParentShowHint).Default(true),
        Prop("PopupMenu", &C::GetPopupMenu, &C::SetPopupMenu),
        Prop("ShowHint", &C::GetShowHint, &C::SetShowHint).Stored(&C::IsShowHintStored),
        Prop("TabOrder", &C::GetTabOrder, &C::SetTabOrder).Default(-1),
        Prop("TabStop", &C::GetTabStop, &C::SetTabStop).Default(true),
        Prop("Visible", &C::GetVisible, &C::SetVisible).Default(true),
        Prop("OnChange", &C::OnChange, &C::OnChange), Prop("OnClick", &C::OnClick, &C::OnClick),
        Prop("OnDblClick", &C::OnDblClick, &C::OnDblClick), Prop("OnDrawItem", &C::OnDrawItem, &C::OnDrawItem),
        Prop("OnDropDown", &C::OnDropDown, &C::OnDropDown), Prop("OnEnter", &C::OnEnter, &C::OnEnter),
        Prop("OnExit", &C::OnExit, &C::OnExit), Prop("OnKeyDown", &C::OnKeyDown, &C::OnKeyDown),
        Prop("OnKeyPress", &C::OnKeyPress, &C::OnKeyPress), Prop("OnKeyUp", &C::OnKeyUp, &C::OnKeyUp),
        Prop("OnMeasureItem", &C::OnMeasureItem, &C::OnMeasureItem));
  }

protected:
  void Change() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void EnabledChanged() override;

private:
  bool FNewName = false;
  TColor FEnabledColor;
  TColor FDisabledColor = clBtnFace;
  bool FAutoColor = true;
  TGlotta* FGlotta = nullptr;
  TGlotta* FActiveGlotta = nullptr;
};

}  // namespace xel
