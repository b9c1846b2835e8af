// An edit and a combo box for forms that are filled in from the keyboard: a colour that
// shows which field has the focus, Enter that moves on like Tab, and for the edit a filter
// of the characters that may be typed (digits, whole or decimal numbers).
#pragma once

#include "StdCtrls.h"

namespace xel {

XEL_ENUM(TCharFilter, cfAll, cfDigits, cfInteger, cfFloat)

// What both controls share; Control is the edit or the combo box it serves.
class TFocusHelper {
public:
  TColor FocusColor = clNone;
  bool EnterAsTab = false;
  void Enter(TWinControl* control);
  void Exit(TWinControl* control);
  // Enter without modifiers moves the focus on and is consumed (key becomes 0).
  void KeyDown(TWinControl* control, Word& key, TShiftState shift);

private:
  TColor FSavedColor = clNone;
  bool FEntered = false;
};

class TEditEx : public TEdit {
  XEL_CLASS(TEditEx, TEdit)
public:
  using TEdit::TEdit;

  // Whether typing ch into the current text at the caret keeps it within the filter.
  bool Accepts(char ch) const;
  // The text as a whole number; fallback when it is none.
  Integer AsInteger(Integer fallback = 0) const;

  TColor GetFocusColor() const { return FFocus.FocusColor; }
  void SetFocusColor(TColor v) { FFocus.FocusColor = v; }
  bool GetEnterAsTab() const { return FFocus.EnterAsTab; }
  void SetEnterAsTab(bool v) { FFocus.EnterAsTab = v; }
  TCharFilter GetCharFilter() const { return FCharFilter; }
  void SetCharFilter(TCharFilter v) { FCharFilter = v; }

  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoEnter() override;
  void DoExit() override;

  static auto Published() {
    using C = TEditEx;
    return PropTable<C>(Prop("CharFilter", &C::GetCharFilter, &C::SetCharFilter).Default(cfAll),
                        Prop("EnterAsTab", &C::GetEnterAsTab, &C::SetEnterAsTab).Default(false),
                        Prop("FocusColor", &C::GetFocusColor, &C::SetFocusColor).Default(clNone));
  }

private:
  TFocusHelper FFocus;
  TCharFilter FCharFilter = cfAll;
};

class TComboBoxEx : public TComboBox {
  XEL_CLASS(TComboBoxEx, TComboBox)
public:
  using TComboBox::TComboBox;

  TColor GetFocusColor() const { return FFocus.FocusColor; }
  void SetFocusColor(TColor v) { FFocus.FocusColor = v; }
  bool GetEnterAsTab() const { return FFocus.EnterAsTab; }
  void SetEnterAsTab(bool v) { FFocus.EnterAsTab = v; }

  // Enter in an open list picks the item as always; only a closed one moves on.
  void KeyDown(Word& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;

  static auto Published() {
    using C = TComboBoxEx;
    return PropTable<C>(Prop("EnterAsTab", &C::GetEnterAsTab, &C::SetEnterAsTab).Default(false),
                        Prop("FocusColor", &C::GetFocusColor, &C::SetFocusColor).Default(clNone));
  }

private:
  TFocusHelper FFocus;
};

void RegisterEditExClasses();

}  // namespace xel
