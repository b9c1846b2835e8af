// The standard controls: labels, edits, memos, buttons, check and radio boxes, group
// boxes, combo boxes and list boxes.
#pragma once

#include <memory>

#include "Controls.h"
#include "Menus.h"  // the PopupMenu property of every control

namespace xel {

XEL_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
XEL_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)
XEL_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)
XEL_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)
XEL_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable)
XEL_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable)
XEL_ENUM(TOwnerDrawStateItem, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit)
XEL_SET(TOwnerDrawState, TOwnerDrawStateItem)
XEL_EVENT(TDrawItemEvent, TWinControl* /*Control*/, Integer /*Index*/, TRect /*Rect*/, TOwnerDrawState /*State*/);
XEL_EVENT(TMeasureItemEvent, TWinControl* /*Control*/, Integer /*Index*/, Integer& /*Height*/);

class TCustomLabel : public TGraphicControl {
  XEL_CLASS(TCustomLabel, TGraphicControl)
public:
  explicit TCustomLabel(TComponent* owner);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* v);
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout v);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool v);
  // The caption as drawn: accelerator marks removed.
  String DisplayText() const;
  void Paint() override;
  bool DialogKey(Word key, TShiftState shift) override;
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

protected:
  void TextChanged() override;
  void FontChanged() override;
  void AdjustBounds();

private:
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  TWinControl* FFocusControl = nullptr;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FTransparent = false;
};

class TLabel : public TCustomLabel {
  XEL_CLASS(TLabel, TCustomLabel)
public:
  using TCustomLabel::TCustomLabel;
  static auto Published() {
    return PropTable<TLabel>(
        Prop("Align", &TLabel::GetAlign, &TLabel::SetAlign).Default(alNone),
        Prop("Alignment", &TLabel::GetAlignment, &TLabel::SetAlignment).Default(taLeftJustify),
        Prop("Anchors", &TLabel::GetAnchors, &TLabel::SetAnchors).Default(TAnchors{akLeft, akTop}),
        Prop("AutoSize", &TLabel::GetAutoSize, &TLabel::SetAutoSize).Default(true),
        Prop("Caption", &TLabel::GetText, &TLabel::SetText),
        Prop("Color", &TLabel::GetColor, &TLabel::SetColor).Stored(&TLabel::IsColorStored),
        Prop("Enabled", &TLabel::GetEnabled, &TLabel::SetEnabled).Default(true),
        Prop("FocusControl", &TLabel::GetFocusControl, &TLabel::SetFocusControl),
        Prop("Font", &TLabel::GetFont, &TLabel::SetFont).Stored(&TLabel::IsFontStored),
        Prop("Layout", &TLabel::GetLayout, &TLabel::SetLayout).Default(tlTop),
        Prop("ParentColor", &TLabel::GetParentColor, &TLabel::SetParentColor).Default(true),
        Prop("ParentFont", &TLabel::GetParentFont, &TLabel::SetParentFont).Default(true),
        Prop("ParentShowHint", &TLabel::GetParentShowHint, &TLabel::SetParentShowHint).Default(true),
        Prop("PopupMenu", &TLabel::GetPopupMenu, &TLabel::SetPopupMenu),
        Prop("ShowHint", &TLabel::GetShowHint, &TLabel::SetShowHint).Stored(&TLabel::IsShowHintStored),
        Prop("Transparent", &TLabel::GetTransparent, &TLabel::SetTransparent).Default(false),
        Prop("Visible", &TLabel::GetVisible, &TLabel::SetVisible).Default(true),
        Prop("WordWrap", &TLabel::GetWordWrap, &TLabel::SetWordWrap).Default(false),
        Prop("OnClick", &TLabel::OnClick, &TLabel::OnClick),
        Prop("OnDblClick", &TLabel::OnDblClick, &TLabel::OnDblClick),
        Prop("OnMouseDown", &TLabel::OnMouseDown, &TLabel::OnMouseDown),
        Prop("OnMouseMove", &TLabel::OnMouseMove, &TLabel::OnMouseMove),
        Prop("OnMouseUp", &TLabel::OnMouseUp, &TLabel::OnMouseUp));
  }
};

// Text entry: the caret and the selection live in the control; typing replaces the
// selection, Backspace and Delete remove, the arrows and Home/End move.
class TCustomEdit : public TWinControl {
  XEL_CLASS(TCustomEdit, TWinControl)
public:
  explicit TCustomEdit(TComponent* owner);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  Integer GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer v) { FMaxLength = v; }
  char GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char v);
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool v) { FAutoSelect = v; }
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);
  // Positions count bytes of the text.
  Integer SelStart() const { return FSelStart; }
  Integer SelLength() const { return FSelLength; }
  void SetSelStart(Integer v);
  void SetSelLength(Integer v);
  String SelText() const;
  void SetSelText(const String& v);
  void SelectAll();
  void ClearSelection() { SetSelText(""); }
  bool GetModified() const { return FModified; }
  void SetModified(bool v) { FModified = v; }
  void Clear() { SetText(""); }

  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  bool WantsKey(Word key, TShiftState shift) const override;
  void DoEnter() override;

  TNotifyEvent OnChange;

protected:
  void TextChanged() override;
  virtual void Change() { OnChange(this); }

private:
  bool FReadOnly = false;
  Integer FMaxLength = 0;
  char FPasswordChar = 0;
  bool FAutoSelect = true;
  TBorderStyle FBorderStyle = bsSingle;
  Integer FSelStart = 0;
  Integer FSelLength = 0;
  bool FModified = false;
};

#define XEL_WIN_COMMON(C)                                                                  \
  Prop("Anchors", &C::GetAnchors, &C::SetAnchors).Default(TAnchors{akLeft, akTop}),          \
      Prop("Color", &C::GetColor, &C::SetColor).Stored(&C::IsColorStored),                  \
      Prop("Ctl3D", &C::GetCtl3D, &C::SetCtl3D).Default(true),                              \
      Prop("Enabled", &C::GetEnabled, &C::SetEnabled).Default(true),                        \
      Prop("Font", &C::GetFont, &C::SetFont).Stored(&C::IsFontStored),                      \
      Prop("ParentColor", &C::GetParentColor, &C::SetParentColor).Default(false),           \
      Prop("ParentFont", &C::GetParentFont, &C::SetParentFont).Default(true),               \
      Prop("ParentShowHint", &C::GetParentShowHint, &C::SetParentShowHint).Default(true),   \
      Prop("PopupMenu", &C::GetPopupMenu, &C::SetPopupMenu),                                \
      Prop("ShowHint", &C::GetShowHint, &C::SetShowHint).Stored(&C::IsShowHintStored),      \
      Prop("TabOrder", &C::GetTabOrder, &C::SetTabOrder).Default(-1),                       \
      Prop("TabStop", &C::GetTabStop, &C::SetTabStop),                                      \
      Prop("Visible", &C::GetVisible, &C::SetVisible).Default(true),                        \
      Prop("OnEnter", &C::OnEnter, &C::OnEnter), Prop("OnExit", &C::OnExit, &C::OnExit),      \
      Prop("OnKeyDown", &C::OnKeyDown, &C::OnKeyDown),                                      \
      Prop("OnKeyPress", &C::OnKeyPress, &C::OnKeyPress),                                   \
      Prop("OnKeyUp", &C::OnKeyUp, &C::OnKeyUp)

class TEdit : public TCustomEdit {
  XEL_CLASS(TEdit, TCustomEdit)
public:
  using TCustomEdit::TCustomEdit;
  static auto Published() {
    return PropTable<TEdit>(
        Prop("AutoSelect", &TEdit::GetAutoSelect, &TEdit::SetAutoSelect).Default(true),
        Prop("BorderStyle", &TEdit::GetBorderStyle, &TEdit::SetBorderStyle).Default(bsSingle),
        Prop("MaxLength", &TEdit::GetMaxLength, &TEdit::SetMaxLength).Default(0),
        Prop("PasswordChar", &TEdit::GetPasswordChar, &TEdit::SetPasswordChar).Default('\0'),
        Prop("ReadOnly", &TEdit::GetReadOnly, &TEdit::SetReadOnly).Default(false),
        Prop("Text", &TEdit::GetText, &TEdit::SetText), XEL_WIN_COMMON(TEdit),
        Prop("OnChange", &TEdit::OnChange, &TEdit::OnChange), Prop("OnClick", &TEdit::OnClick, &TEdit::OnClick),
        Prop("OnDblClick", &TEdit::OnDblClick, &TEdit::OnDblClick));
  }
};

// Several lines: Lines holds them; Enter starts a new line when WantReturns is set.
class TCustomMemo : public TCustomEdit {
  XEL_CLASS(TCustomMemo, TCustomEdit)
public:
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;
  TStrings* GetLines() const { return FLines.get(); }
  void SetLines(TStrings* v) { FLines->Assign(v); }
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle v);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  bool GetWantReturns() const { return FWantReturns; }
  void SetWantReturns(bool v) { FWantReturns = v; }
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool v) { FWantTabs = v; }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  void KeyPress(char& key) override;
  bool WantsKey(Word key, TShiftState shift) const override;

protected:
  void TextChanged() override;

private:
  void LinesChanged(TObject* sender);
  std::unique_ptr<TStringList> FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
  TAlignment FAlignment = taLeftJustify;
  bool FSyncing = false;
};

#define XEL_MEMO_COMMON(C)                                                                               \
  Prop("Align", &C::GetAlign, &C::SetAlign).Default(alNone),                                             \
      Prop("Alignment", &C::GetAlignment, &C::SetAlignment).Default(taLeftJustify),                      \
      Prop("BorderStyle", &C::GetBorderStyle, &C::SetBorderStyle).Default(bsSingle),                     \
      Prop("Lines", &C::GetLines, &C::SetLines), Prop("MaxLength", &C::GetMaxLength, &C::SetMaxLength).Default(0), \
      Prop("ReadOnly", &C::GetReadOnly, &C::SetReadOnly).Default(false),                                 \
      Prop("ScrollBars", &C::GetScrollBars, &C::SetScrollBars).Default(ssNone),                          \
      Prop("WantReturns", &C::GetWantReturns, &C::SetWantReturns).Default(true),                         \
      Prop("WantTabs", &C::GetWantTabs, &C::SetWantTabs).Default(false),                                 \
      Prop("WordWrap", &C::GetWordWrap, &C::SetWordWrap).Default(true), XEL_WIN_COMMON(C),              \
      Prop("OnChange", &C::OnChange, &C::OnChange), Prop("OnClick", &C::OnClick, &C::OnClick)

class TMemo : public TCustomMemo {
  XEL_CLASS(TMemo, TCustomMemo)
public:
  using TCustomMemo::TCustomMemo;
  static auto Published() { return PropTable<TMemo>(XEL_MEMO_COMMON(TMemo)); }
};

class TButtonControl : public TWinControl {
  XEL_CLASS(TButtonControl, TWinControl)
public:
  explicit TButtonControl(TComponent* owner);
  // Space clicks a focused button-like control; Alt with the accelerator letter too.
  void KeyDown(Word& key, TShiftState shift) override;
  bool DialogKey(Word key, TShiftState shift) override;
};

class TButton : public TButtonControl {
  XEL_CLASS(TButton, TButtonControl)
public:
  explicit TButton(TComponent* owner);
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool v);
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  Integer GetModalResult() const { return FModalResult; }
  void SetModalResult(Integer v) { FModalResult = v; }
  // Runs OnClick, then hands the modal result to the form.
  void Click() override;
  // Enter on a default button, Escape on a cancel button.
  bool DialogKey(Word key, TShiftState shift) override;

  static auto Published() {
    return PropTable<TButton>(
        Prop("Cancel", &TButton::GetCancel, &TButton::SetCancel).Default(false),
        Prop("Caption", &TButton::GetText, &TButton::SetText),
        Prop("Default", &TButton::GetDefault, &TButton::SetDefault).Default(false),
        Prop("ModalResult", &TButton::GetModalResult, &TButton::SetModalResult).Default(0),
        XEL_WIN_COMMON(TButton), Prop("OnClick", &TButton::OnClick, &TButton::OnClick));
  }

private:
  bool FDefault = false;
  bool FCancel = false;
  Integer FModalResult = 0;
};

class TCustomCheckBox : public TButtonControl {
  XEL_CLASS(TCustomCheckBox, TButtonControl)
public:
  explicit TCustomCheckBox(TComponent* owner);
  bool GetChecked() const { return FState == cbChecked; }
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  TCheckBoxState GetState() const { return FState; }
  void SetState(TCheckBoxState v);
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool v) { FAllowGrayed = v; }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  // A click moves to the next state (unchecked, checked, and grayed when allowed).
  void Click() override;

private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  XEL_CLASS(TCheckBox, TCustomCheckBox)
public:
  using TCustomCheckBox::TCustomCheckBox;
  static auto Published() {
    return PropTable<TCheckBox>(
        Prop("Alignment", &TCheckBox::GetAlignment, &TCheckBox::SetAlignment).Default(taRightJustify),
        Prop("AllowGrayed", &TCheckBox::GetAllowGrayed, &TCheckBox::SetAllowGrayed).Default(false),
        Prop("Caption", &TCheckBox::GetText, &TCheckBox::SetText),
        Prop("Checked", &TCheckBox::GetChecked, &TCheckBox::SetChecked).Stored(false),
        Prop("State", &TCheckBox::GetState, &TCheckBox::SetState).Default(cbUnchecked), XEL_WIN_COMMON(TCheckBox),
        Prop("OnClick", &TCheckBox::OnClick, &TCheckBox::OnClick));
  }
};

class TRadioButton : public TButtonControl {
  XEL_CLASS(TRadioButton, TButtonControl)
public:
  explicit TRadioButton(TComponent* owner);
  bool GetChecked() const { return FChecked; }
  // Checking one radio button clears the others of the same parent.
  void SetChecked(bool v);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  void Click() override;

  static auto Published() {
    return PropTable<TRadioButton>(
        Prop("Alignment", &TRadioButton::GetAlignment, &TRadioButton::SetAlignment).Default(taRightJustify),
        Prop("Caption", &TRadioButton::GetText, &TRadioButton::SetText),
        Prop("Checked", &TRadioButton::GetChecked, &TRadioButton::SetChecked).Default(false),
        XEL_WIN_COMMON(TRadioButton), Prop("OnClick", &TRadioButton::OnClick, &TRadioButton::OnClick));
  }

private:
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};

class TCustomGroupBox : public TCustomControl {
  XEL_CLASS(TCustomGroupBox, TCustomControl)
public:
  explicit TCustomGroupBox(TComponent* owner);
  TRect GetClientRect() const override;
  void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
  XEL_CLASS(TGroupBox, TCustomGroupBox)
public:
  using TCustomGroupBox::TCustomGroupBox;
  static auto Published() {
    return PropTable<TGroupBox>(Prop("Align", &TGroupBox::GetAlign, &TGroupBox::SetAlign).Default(alNone),
                                Prop("Caption", &TGroupBox::GetText, &TGroupBox::SetText), XEL_WIN_COMMON(TGroupBox),
                                Prop("OnClick", &TGroupBox::OnClick, &TGroupBox::OnClick));
  }
};

// Items with one selected (ItemIndex, -1 for none), optionally sorted and owner-drawn.
class TItemsControl : public TWinControl {
  XEL_CLASS(TItemsControl, TWinControl)
public:
  explicit TItemsControl(TComponent* owner);
  ~TItemsControl() override;
  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* v) { FItems->Assign(v); }
  Integer GetItemIndex() const { return FItemIndex; }
  virtual void SetItemIndex(Integer v);
  bool GetSorted() const { return FItems->Sorted(); }
  void SetSorted(bool v);
  Integer GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer v);
  void Clear() { FItems->Clear(); }
  void Loaded() override;
  // Owner drawing: the backend calls this per visible item with the canvas to draw on.
  virtual void DrawItem(TCanvas* canvas, Integer index, TRect rect, TOwnerDrawState state);
  virtual bool OwnerDraw() const { return false; }
  TCanvas* Canvas() const { return FCanvas.get(); }

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

protected:
  virtual void ItemsChanged();
  Integer FLoadedItemIndex = -1;

private:
  void ItemsChange(TObject* sender);
  std::unique_ptr<TStringList> FItems;
  std::unique_ptr<TCanvas> FCanvas;
  Integer FItemIndex = -1;
  Integer FItemHeight = 16;
};

class TCustomComboBox : public TItemsControl {
  XEL_CLASS(TCustomComboBox, TItemsControl)
public:
  explicit TCustomComboBox(TComponent* owner);
  TComboBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TComboBoxStyle v);
  Integer GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer v) { FDropDownCount = v; }
  bool DroppedDown() const { return FDroppedDown; }
  // Opening the list fires OnDropDown first; closing it fires OnCloseUp.
  void SetDroppedDown(bool v);
  void SetItemIndex(Integer v) override;
  bool OwnerDraw() const override { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }
  // The user picks an item: ItemIndex, Text, then OnChange and OnClick (the host's order).
  void SelectItem(Integer index);
  // The user typed into the edit part (not in a drop-down list).
  void EditText(const String& text);
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  bool WantsKey(Word key, TShiftState shift) const override;
  // The selection in the edit part, in bytes of the text; kept within the text.
  Integer SelStart() const;
  Integer SelLength() const;
  void SetSelStart(Integer v);
  void SetSelLength(Integer v);
  String SelText() const { return GetText().substr(SelStart(), SelLength()); }
  void SelectAll();

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnSelect;

protected:
  void ItemsChanged() override;
  virtual void Change() { OnChange(this); }

private:
  TComboBoxStyle FStyle = csDropDown;
  Integer FDropDownCount = 8;
  bool FDroppedDown = false;
  Integer FSelStart = 0;
  Integer FSelLength = 0;
};

class TComboBox : public TCustomComboBox {
  XEL_CLASS(TComboBox, TCustomComboBox)
public:
  using TCustomComboBox::TCustomComboBox;
  static auto Published() {
    return PropTable<TComboBox>(
        Prop("Style", &TComboBox::GetStyle, &TComboBox::SetStyle).Default(csDropDown),
        Prop("DropDownCount", &TComboBox::GetDropDownCount, &TComboBox::SetDropDownCount).Default(8),
        Prop("ItemHeight", &TComboBox::GetItemHeight, &TComboBox::SetItemHeight).Default(16),
        Prop("Sorted", &TComboBox::GetSorted, &TComboBox::SetSorted).Default(false),
        Prop("Text", &TComboBox::GetText, &TComboBox::SetText), XEL_WIN_COMMON(TComboBox),
        Prop("OnChange", &TComboBox::OnChange, &TComboBox::OnChange),
        Prop("OnClick", &TComboBox::OnClick, &TComboBox::OnClick),
        Prop("OnCloseUp", &TComboBox::OnCloseUp, &TComboBox::OnCloseUp),
        Prop("OnDrawItem", &TComboBox::OnDrawItem, &TComboBox::OnDrawItem),
        Prop("OnDropDown", &TComboBox::OnDropDown, &TComboBox::OnDropDown),
        Prop("OnMeasureItem", &TComboBox::OnMeasureItem, &TComboBox::OnMeasureItem),
        Prop("OnSelect", &TComboBox::OnSelect, &TComboBox::OnSelect),
        // Items follow, so that a stored ItemIndex finds them (applied at Loaded).
        Prop("Items", &TComboBox::GetItems, &TComboBox::SetItems),
        Prop("ItemIndex", &TComboBox::GetItemIndex, &TComboBox::SetItemIndex).Default(-1));
  }
};

class TCustomListBox : public TItemsControl {
  XEL_CLASS(TCustomListBox, TItemsControl)
public:
  explicit TCustomListBox(TComponent* owner);
  TListBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TListBoxStyle v);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool v);
  bool Selected(Integer index) const;
  void SetSelected(Integer index, bool v);
  Integer SelCount() const;
  Integer TopIndex() const { return FTopIndex; }
  void SetTopIndex(Integer v);
  bool OwnerDraw() const override { return FStyle != lbStandard; }
  Integer ItemAtPos(TPoint p, bool existing) const;
  void SetItemIndex(Integer v) override;
  void MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) override;
  void KeyDown(Word& key, TShiftState shift) override;
  bool WantsKey(Word key, TShiftState shift) const override;

protected:
  void ItemsChanged() override;

private:
  TListBoxStyle FStyle = lbStandard;
  bool FMultiSelect = false;
  std::vector<bool> FSelected;
  Integer FTopIndex = 0;
};

class TListBox : public TCustomListBox {
  XEL_CLASS(TListBox, TCustomListBox)
public:
  using TCustomListBox::TCustomListBox;
  static auto Published() {
    return PropTable<TListBox>(
        Prop("Align", &TListBox::GetAlign, &TListBox::SetAlign).Default(alNone),
        Prop("ItemHeight", &TListBox::GetItemHeight, &TListBox::SetItemHeight).Default(16),
        Prop("Items", &TListBox::GetItems, &TListBox::SetItems),
        Prop("MultiSelect", &TListBox::GetMultiSelect, &TListBox::SetMultiSelect).Default(false),
        Prop("Sorted", &TListBox::GetSorted, &TListBox::SetSorted).Default(false),
        Prop("Style", &TListBox::GetStyle, &TListBox::SetStyle).Default(lbStandard), XEL_WIN_COMMON(TListBox),
        Prop("OnClick", &TListBox::OnClick, &TListBox::OnClick),
        Prop("OnDblClick", &TListBox::OnDblClick, &TListBox::OnDblClick),
        Prop("OnDrawItem", &TListBox::OnDrawItem, &TListBox::OnDrawItem),
        Prop("OnMeasureItem", &TListBox::OnMeasureItem, &TListBox::OnMeasureItem));
  }
};

void RegisterStdCtrlsClasses();

}  // namespace xel
