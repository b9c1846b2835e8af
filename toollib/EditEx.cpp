#include "EditEx.h"

#include "Forms.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/EditEx.cpp 1 11.12.26 4:20 XG $")

namespace xel {

// ---- shared -----------------------------------------------------------------------------

void TFocusHelper::Enter(TWinControl* control) {
  if (FocusColor == clNone || FEntered) return;
  FSavedColor = control->GetColor();
  FEntered = true;
  control->SetColor(FocusColor);
}

void TFocusHelper::Exit(TWinControl* control) {
  if (!FEntered) return;
  FEntered = false;
  control->SetColor(FSavedColor);
}

void TFocusHelper::KeyDown(TWinControl* control, Word& key, TShiftState shift) {
  if (!EnterAsTab || key != VK_RETURN || !shift.Empty()) return;
  if (TCustomForm* form = GetParentForm(control)) {
    form->SelectNext(control, true, true);
    key = 0;
  }
}

// ---- TEditEx ----------------------------------------------------------------------------

namespace {
// "-" first at most, digits, and for decimals one "." or "," among them.
bool IsNumberPrefix(const String& text, bool decimals) {
  bool separator = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') continue;
    if (c == '-' && i == 0) continue;
    if (decimals && (c == '.' || c == ',') && !separator) {
      separator = true;
      continue;
    }
    return false;
  }
  return true;
}
}  // namespace

bool TEditEx::Accepts(char ch) const {
  if (FCharFilter == cfAll) return true;
  if (FCharFilter == cfDigits) return ch >= '0' && ch <= '9';
  // The text as it would be: the selection replaced by ch.
  String text = GetText();
  text.replace(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength()), 1, ch);
  return IsNumberPrefix(text, FCharFilter == cfFloat);
}

Integer TEditEx::AsInteger(Integer fallback) const {
  Integer v = 0;
  return TryStrToInt(Trim(GetText()), v) ? v : fallback;
}

void TEditEx::KeyDown(Word& key, TShiftState shift) {
  TEdit::KeyDown(key, shift);
  if (key) FFocus.KeyDown(this, key, shift);
}

void TEditEx::KeyPress(char& key) {
  // Control characters (Backspace, pasting shortcuts) are never filtered.
  if (static_cast<unsigned char>(key) >= ' ' && !Accepts(key)) key = 0;
  TEdit::KeyPress(key);
}

void TEditEx::DoEnter() {
  FFocus.Enter(this);
  TEdit::DoEnter();
}

void TEditEx::DoExit() {
  FFocus.Exit(this);
  TEdit::DoExit();
}

// ---- TComboBoxEx ------------------------------------------------------------------------

void TComboBoxEx::KeyDown(Word& key, TShiftState shift) {
  const bool open = DroppedDown();
  TComboBox::KeyDown(key, shift);
  if (key && !open) FFocus.KeyDown(this, key, shift);
}

void TComboBoxEx::DoEnter() {
  FFocus.Enter(this);
  TComboBox::DoEnter();
}

void TComboBoxEx::DoExit() {
  FFocus.Exit(this);
  TComboBox::DoExit();
}

void RegisterEditExClasses() { RegisterClasses({TEditEx::StaticClass(), TComboBoxEx::StaticClass()}); }

}  // namespace xel
