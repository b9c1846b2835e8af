// The history combo box: an edit field with a drop-down list of the most recently
// confirmed entries and an optional button beside it; the history is stored as one text
// ("a;b;c") through the published History property.
#pragma once

#include <memory>

#include "Buttons.h"
#include "StdCtrls.h"

namespace xel {

XEL_EVENT(TMRUValidateEvent, TObject* /*Sender*/, String& /*Text*/, bool& /*OK*/);

class TCustomMRUComboBox : public TWinControl {
  XEL_CLASS(TCustomMRUComboBox, TWinControl)
public:
  explicit TCustomMRUComboBox(TComponent* owner);
  ~TCustomMRUComboBox() override;

  // The text of the field; every assignment confirms it.
  String GetFieldText() const { return FCombo->GetText(); }
  void SetFieldText(const String& v);
  String GetHistory() const;
  void SetHistory(const String& v);
  TStrings* GetHistoryList() const { return FCombo->GetItems(); }
  void SetHistoryList(TStrings* v);
  Integer GetHistoryListCount() const { return FHistoryListCount; }
  void SetHistoryListCount(Integer v);
  Integer GetDropDownCount() const { return FCombo->GetDropDownCount(); }
  void SetDropDownCount(Integer v);
  Integer GetDefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(Integer v);
  const String& GetButtonCaption() const { return FButton->GetText(); }
  void SetButtonCaption(const String& v) { FButton->SetText(v); }
  TBitmap* GetButtonGlyph() const { return FButton->GetGlyph(); }
  void SetButtonGlyph(TBitmap* v) { FButton->SetGlyph(v); }
  const String& GetButtonHint() const { return FButton->GetHint(); }
  void SetButtonHint(const String& v) { FButton->SetHint(v); }
  Integer GetButtonNumGlyphs() const { return FButton->GetNumGlyphs(); }
  void SetButtonNumGlyphs(Integer v) { FButton->SetNumGlyphs(v); }
  bool GetButtonTabStop() const { return FButton->GetTabStop(); }
  // The button is a windowed one so that Tab can reach it when asked.
  void SetButtonTabStop(bool v) { FButton->SetTabStop(v); }
  bool GetButtonVisible() const { return FButton->GetVisible(); }
  void SetButtonVisible(bool v);

  TComboBox* Combo() const { return FCombo; }
  TBitBtn* Button() const { return FButton; }
  const String& LastText() const { return FLastText; }
  bool HasFocus() const { return FHasFocus; }

  // Confirms the field's text: trimmed, validated, and moved to the top of the history.
  void Validate();
  // What the button does beyond OnButtonClick; nothing unless a descendant says.
  virtual void Execute() {}

  void SetBounds(Integer left, Integer top, Integer width, Integer height) override;
  void Loaded() override;

  TNotifyEvent OnChanged;
  TMRUValidateEvent OnValidate;
  // The button was pressed; a form that uses the box as it stands gives the button its meaning here.
  TNotifyEvent OnButtonClick;

private:
  void ApplyLimit();
  void Arrange();
  void ComboKeyPress(TObject*, char& key);
  void ComboSelect(TObject*);
  void ComboEnter(TObject*);
  void ComboExit(TObject*);
  void ButtonClick(TObject*);

  TComboBox* FCombo;      // owned as a component of this control
  TBitBtn* FButton;
  String FLastText;
  Integer FHistoryListCount = 16;
  Integer FDefaultHeight = 21;
  bool FHasFocus = false;
  bool FValidating = false;
};

class TMRUComboBox : public TCustomMRUComboBox {
  XEL_CLASS(TMRUComboBox, TCustomMRUComboBox)
public:
  using TCustomMRUComboBox::TCustomMRUComboBox;
  static auto Published() {
    using C = TMRUComboBox;
    return PropTable<C>(
        Prop("Align", &C::GetAlign, &C::SetAlign).Default(alNone),
        Prop("ButtonCaption", &C::GetButtonCaption, &C::SetButtonCaption),
        Prop("ButtonGlyph", &C::GetButtonGlyph, &C::SetButtonGlyph),
        Prop("ButtonHint", &C::GetButtonHint, &C::SetButtonHint),
        Prop("ButtonNumGlyphs", &C::GetButtonNumGlyphs, &C::SetButtonNumGlyphs).Default(1),
        Prop("ButtonTabStop", &C::GetButtonTabStop, &C::SetButtonTabStop).Default(false),
        Prop("ButtonVisible", &C::GetButtonVisible, &C::SetButtonVisible).Default(false),
        Prop("Color", &C::GetColor, &C::SetColor).Stored(&C::IsColorStored),
        Prop("DefaultHeight", &C::GetDefaultHeight, &C::SetDefaultHeight).Default(21),
        Prop("DropDownCount", &C::GetDropDownCount, &C::SetDropDownCount).Default(8),
        Prop("Enabled", &C::GetEnabled, &C::SetEnabled).Default(true),
        Prop("Font", &C::GetFont, &C::SetFont).Stored(&C::IsFontStored),
        Prop("HistoryListCount", &C::GetHistoryListCount, &C::SetHistoryListCount).Default(16),
        Prop("HistoryList", &C::GetHistoryList, &C::SetHistoryList).Stored(false),
        Prop("History", &C::GetHistory, &C::SetHistory),
        Prop("ParentColor", &C::GetParentColor, &C::SetParentColor).Default(false),
        Prop("ParentFont", &C::GetParentFont, &C::SetParentFont).Default(true),
        Prop("ParentShowHint", &C::GetParentShowHint, &C::SetParentShowHint).Default(true),
        Prop("ShowHint", &C::GetShowHint, &C::SetShowHint).Stored(&C::IsShowHintStored),
        Prop("TabOrder", &C::GetTabOrder, &C::SetTabOrder).Default(-1),
        Prop("TabStop", &C::GetTabStop, &C::SetTabStop).Default(true),
        Prop("Text", &C::GetFieldText, &C::SetFieldText),
        Prop("Visible", &C::GetVisible, &C::SetVisible).Default(true),
        Prop("OnChanged", &C::OnChanged, &C::OnChanged), Prop("OnValidate", &C::OnValidate, &C::OnValidate),
        Prop("OnButtonClick", &C::OnButtonClick, &C::OnButtonClick));
  }
};

void RegisterMRUComboBoxClasses();

}  // namespace xel
