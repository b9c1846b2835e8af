// Common controls: the status bar with its panels and the tool bar with its buttons.
#pragma once

#include "Menus.h"
#include "StdCtrls.h"

namespace xel {

XEL_ENUM(TStatusPanelBevel, pbNone, pbLowered, pbRaised)
XEL_ENUM(TStatusPanelStyle, psText, psOwnerDraw)

class TStatusBar;

class TStatusPanel : public TCollectionItem {
  XEL_CLASS(TStatusPanel, TCollectionItem)
public:
  explicit TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}
  void Assign(TPersistent* source) override;
  const String& GetText() const { return FText; }
  void SetText(const String& v);
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer v);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TStatusPanelBevel GetBevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel v);
  TStatusPanelStyle GetStyle() const { return FStyle; }
  void SetStyle(TStatusPanelStyle v);
  String GetDisplayName() const override { return FText.empty() ? TCollectionItem::GetDisplayName() : FText; }

  static auto Published() {
    using C = TStatusPanel;
    return PropTable<C>(Prop("Alignment", &C::GetAlignment, &C::SetAlignment).Default(taLeftJustify),
                        Prop("Bevel", &C::GetBevel, &C::SetBevel).Default(pbLowered),
                        Prop("Style", &C::GetStyle, &C::SetStyle).Default(psText),
                        Prop("Text", &C::GetText, &C::SetText), Prop("Width", &C::GetWidth, &C::SetWidth));
  }

private:
  String FText;
  Integer FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelBevel FBevel = pbLowered;
  TStatusPanelStyle FStyle = psText;
};

class TStatusPanels : public TOwnedCollection {
  XEL_CLASS(TStatusPanels, TOwnedCollection)
public:
  explicit TStatusPanels(TStatusBar* owner);
  TStatusPanel* Items(int index) const { return static_cast<TStatusPanel*>(TCollection::Items(index)); }
  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
  void Update(TCollectionItem* item) override;
};

XEL_EVENT(TDrawPanelEvent, TStatusBar* /*StatusBar*/, TStatusPanel* /*Panel*/, TRect /*Rect*/);

class TStatusBar : public TWinControl {
  XEL_CLASS(TStatusBar, TWinControl)
public:
  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;
  TStatusPanels* GetPanels() const { return FPanels.get(); }
  void SetPanels(TStatusPanels* v) { FPanels->Assign(v); }
  bool GetSimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool v);
  const String& GetSimpleText() const { return FSimpleText; }
  void SetSimpleText(const String& v);
  bool GetSizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool v);
  // Each panel's rectangle; the last one takes the rest of the width.
  TRect PanelRect(int index) const;
  void PaintWindow(TCanvas* canvas) override;
  void PanelsChanged() { Changed(waItems); }
  TCanvas* Canvas() const { return FCanvas.get(); }

  TDrawPanelEvent OnDrawPanel;

  static auto Published() {
    using C = TStatusBar;
    return PropTable<C>(Prop("Align", &C::GetAlign, &C::SetAlign).Default(alBottom),
                        Prop("Panels", &C::GetPanels, &C::SetPanels),
                        Prop("SimplePanel", &C::GetSimplePanel, &C::SetSimplePanel).Default(false),
                        Prop("SimpleText", &C::GetSimpleText, &C::SetSimpleText),
                        Prop("SizeGrip", &C::GetSizeGrip, &C::SetSizeGrip).Default(true), XEL_WIN_COMMON(C),
                        Prop("OnClick", &C::OnClick, &C::OnClick), Prop("OnDrawPanel", &C::OnDrawPanel, &C::OnDrawPanel));
  }

private:
  std::unique_ptr<TStatusPanels> FPanels;
  std::unique_ptr<TCanvas> FCanvas;
  bool FSimplePanel = false;
  String FSimpleText;
  bool FSizeGrip = true;
};

XEL_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropdown, tbsSeparator, tbsDivider)

class TToolBar;

class TToolButton : public TGraphicControl {
  XEL_CLASS(TToolButton, TGraphicControl)
public:
  explicit TToolButton(TComponent* owner);
  TToolButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TToolButtonStyle v);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer v);
  bool GetDown() const { return FDown; }
  // Down on a grouped check button releases the other buttons of its group (the
  // neighbouring grouped check buttons).
  void SetDown(bool v);
  bool GetGrouped() const { return FGrouped; }
  void SetGrouped(bool v) { FGrouped = v; }
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool v) { FAllowAllUp = v; }
  bool GetWrap() const { return FWrap; }
  void SetWrap(bool v);
  TMenuItem* GetMenuItem() const { return FMenuItem; }
  void SetMenuItem(TMenuItem* v);
  bool IsSeparator() const { return FStyle == tbsSeparator || FStyle == tbsDivider; }
  TToolBar* ToolBar() const;
  // A button put on a bar in code goes after the last one (a stream gives positions).
  void SetParent(TWinControl* parent) override;
  void Click() override;
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;

  static auto Published() {
    using C = TToolButton;
    return PropTable<C>(Prop("AllowAllUp", &C::GetAllowAllUp, &C::SetAllowAllUp).Default(false),
                        Prop("Caption", &C::GetText, &C::SetText),
                        Prop("Down", &C::GetDown, &C::SetDown).Default(false),
                        Prop("Enabled", &C::GetEnabled, &C::SetEnabled).Default(true),
                        Prop("Grouped", &C::GetGrouped, &C::SetGrouped).Default(false),
                        Prop("ImageIndex", &C::GetImageIndex, &C::SetImageIndex).Default(-1),
                        Prop("MenuItem", &C::GetMenuItem, &C::SetMenuItem),
                        Prop("ParentShowHint", &C::GetParentShowHint, &C::SetParentShowHint).Default(true),
                        Prop("ShowHint", &C::GetShowHint, &C::SetShowHint).Stored(&C::IsShowHintStored),
                        Prop("Style", &C::GetStyle, &C::SetStyle).Default(tbsButton),
                        Prop("Visible", &C::GetVisible, &C::SetVisible).Default(true),
                        Prop("Wrap", &C::GetWrap, &C::SetWrap).Default(false), Prop("OnClick", &C::OnClick, &C::OnClick));
  }

private:
  std::vector<TToolButton*> Group() const;
  TToolButtonStyle FStyle = tbsButton;
  Integer FImageIndex = -1;
  bool FDown = false;
  bool FGrouped = false;
  bool FAllowAllUp = false;
  bool FWrap = false;
  TMenuItem* FMenuItem = nullptr;
};

// Lays its buttons out in rows, in the order of their Left positions (as the designer
// leaves them); a separator is 8 pixels wide (6 for the divider's line plus margins).
class TToolBar : public TCustomControl {
  XEL_CLASS(TToolBar, TCustomControl)
public:
  explicit TToolBar(TComponent* owner);
  Integer GetButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(Integer v);
  Integer GetButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(Integer v);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool v);
  bool GetShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool v);
  int ButtonCount() const { return static_cast<int>(Buttons().size()); }
  TToolButton* GetButton(int index) const;
  std::vector<TToolButton*> Buttons() const;
  void AlignControls(TRect& rect) override;
  void Paint() override;

  static auto Published() {
    using C = TToolBar;
    return PropTable<C>(Prop("Align", &C::GetAlign, &C::SetAlign).Default(alTop),
                        Prop("ButtonHeight", &C::GetButtonHeight, &C::SetButtonHeight).Default(22),
                        Prop("ButtonWidth", &C::GetButtonWidth, &C::SetButtonWidth).Default(23),
                        Prop("Caption", &C::GetText, &C::SetText), Prop("Flat", &C::GetFlat, &C::SetFlat).Default(false),
                        Prop("ShowCaptions", &C::GetShowCaptions, &C::SetShowCaptions).Default(false),
                        XEL_WIN_COMMON(C));
  }

private:
  Integer FButtonWidth = 23;
  Integer FButtonHeight = 22;
  bool FFlat = false;
  bool FShowCaptions = false;
};

// A rich edit that shows plain text: the memo's behaviour with the rich edit's extra
// properties, so that forms naming it load and translate.
class TCustomRichEdit : public TCustomMemo {
  XEL_CLASS(TCustomRichEdit, TCustomMemo)
public:
  explicit TCustomRichEdit(TComponent* owner);
  bool GetPlainText() const { return FPlainText; }
  void SetPlainText(bool v) { FPlainText = v; }
  bool GetHideScrollBars() const { return FHideScrollBars; }
  void SetHideScrollBars(bool v);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool v) { FHideSelection = v; }

private:
  bool FPlainText = false;
  bool FHideScrollBars = true;
  bool FHideSelection = true;
};

class TRichEdit : public TCustomRichEdit {
  XEL_CLASS(TRichEdit, TCustomRichEdit)
public:
  using TCustomRichEdit::TCustomRichEdit;
  static auto Published() {
    using C = TRichEdit;
    return PropTable<C>(XEL_MEMO_COMMON(C),
                        Prop("HideScrollBars", &C::GetHideScrollBars, &C::SetHideScrollBars).Default(true),
                        Prop("HideSelection", &C::GetHideSelection, &C::SetHideSelection).Default(true),
                        Prop("PlainText", &C::GetPlainText, &C::SetPlainText).Default(false));
  }
};

void RegisterComCtrlsClasses();

}  // namespace xel
