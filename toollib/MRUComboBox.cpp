#include "MRUComboBox.h"

#include <algorithm>

#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/MRUComboBox.cpp 1 10.12.26 15:20 XG $")

namespace xel {

namespace {
constexpr Integer kButtonWidth = 21;
}

TCustomMRUComboBox::TCustomMRUComboBox(TComponent* owner)
    : TWinControl(owner), FCombo(new TComboBox(this)), FButton(new TBitBtn(this)) {
  FControlStyle.Exclude(csSetCaption);
  FColor = clWindow;
  SetTabStop(true);
  FCombo->SetParent(this);
  FCombo->SetStyle(csDropDown);
  FCombo->OnKeyPress = MakeMethod<&TCustomMRUComboBox::ComboKeyPress>(this);
  FCombo->OnSelect = MakeMethod<&TCustomMRUComboBox::ComboSelect>(this);
  FCombo->OnEnter = MakeMethod<&TCustomMRUComboBox::ComboEnter>(this);
  FCombo->OnExit = MakeMethod<&TCustomMRUComboBox::ComboExit>(this);
  FButton->SetParent(this);
  FButton->SetVisible(false);
  FButton->SetTabStop(false);
  FButton->SetText("...");
  FButton->OnClick = MakeMethod<&TCustomMRUComboBox::ButtonClick>(this);
  SetBounds(0, 0, 145, FDefaultHeight);
}

TCustomMRUComboBox::~TCustomMRUComboBox() {
  FCombo->OnKeyPress = nullptr;
  FCombo->OnSelect = nullptr;
  FCombo->OnEnter = nullptr;
  FCombo->OnExit = nullptr;
  FButton->OnClick = nullptr;
}

void TCustomMRUComboBox::SetBounds(Integer left, Integer top, Integer width, Integer height) {
  TWinControl::SetBounds(left, top, width, height);
  Arrange();
}

void TCustomMRUComboBox::Arrange() {
  if (!FCombo || !FButton) return;
  Integer buttonWidth = FButton->GetVisible() ? kButtonWidth : 0;
  FCombo->SetBounds(0, 0, std::max<Integer>(0, Width() - buttonWidth), FDefaultHeight);
  FButton->SetBounds(Width() - kButtonWidth, 0, kButtonWidth, FDefaultHeight);
}

void TCustomMRUComboBox::SetDefaultHeight(Integer v) {
  FDefaultHeight = std::max<Integer>(1, v);
  SetBounds(Left(), Top(), Width(), FDefaultHeight);
}

void TCustomMRUComboBox::SetButtonVisible(bool v) {
  FButton->SetVisible(v);
  Arrange();
}

void TCustomMRUComboBox::SetFieldText(const String& v) {
  FCombo->SetText(v);
  Validate();
}

String TCustomMRUComboBox::GetHistory() const {
  String result;
  TStrings* list = FCombo->GetItems();
  for (int i = 0; i < list->Count(); ++i) {
    if (i > 0) result += ';';
    result += list->Strings(i);
  }
  return result;
}

void TCustomMRUComboBox::SetHistory(const String& v) {
  TStrings* list = FCombo->GetItems();
  list->BeginUpdate();
  list->Clear();
  if (!v.empty()) {
    size_t start = 0;
    for (;;) {
      size_t end = v.find(';', start);
      list->Add(v.substr(start, end == String::npos ? String::npos : end - start));
      if (end == String::npos) break;
      start = end + 1;
    }
  }
  list->EndUpdate();
  FCombo->SetText("");
  FLastText.clear();
  if (list->Count() > 0) FCombo->SetItemIndex(0);
  ApplyLimit();
  Validate();
}

void TCustomMRUComboBox::SetHistoryList(TStrings* v) {
  FCombo->GetItems()->Assign(v);
  ApplyLimit();
}

void TCustomMRUComboBox::SetHistoryListCount(Integer v) {
  FHistoryListCount = std::max(v, GetDropDownCount());
  ApplyLimit();
}

void TCustomMRUComboBox::SetDropDownCount(Integer v) {
  FCombo->SetDropDownCount(v);
  if (FHistoryListCount < v) SetHistoryListCount(v);
}

void TCustomMRUComboBox::ApplyLimit() {
  TStrings* list = FCombo->GetItems();
  while (list->Count() > FHistoryListCount) list->Delete(list->Count() - 1);
}

void TCustomMRUComboBox::Validate() {
  if (ComponentState().Contains(csLoading) || FValidating) return;
  FValidating = true;
  TFinally done([this] { FValidating = false; });
  String text = Trim(FCombo->GetText());
  if (text == FLastText) return;
  bool ok = !text.empty() || ComponentState().Contains(csDesigning);
  OnValidate(this, text, ok);
  if (!ok) {
    // Without the focus the field shows the last good text again; with it, the rejected
    // text stays for correction.
    if (!FHasFocus) FCombo->SetText(FLastText);
    return;
  }
  if (text == FLastText) {
    FCombo->SetText(text);
    return;
  }
  const String previous = FLastText;
  FLastText = text;
  TStrings* list = FCombo->GetItems();
  int found = -1;
  for (int i = 0; i < list->Count() && found < 0; ++i)
    if (SameText(list->Strings(i), text)) found = i;
  if (found >= 0) list->Delete(found);
  list->Insert(0, text);
  if (found < 0) ApplyLimit();
  FCombo->SetItemIndex(0);
  if (FHasFocus) FCombo->SelectAll();
  if (!SameText(text, previous)) OnChanged(this);
}

void TCustomMRUComboBox::Loaded() {
  TWinControl::Loaded();
  ApplyLimit();
  Arrange();
}

void TCustomMRUComboBox::ComboKeyPress(TObject*, char& key) {
  if (key != '\r') return;
  Validate();
  key = 0;
}

void TCustomMRUComboBox::ComboSelect(TObject*) { Validate(); }

void TCustomMRUComboBox::ComboEnter(TObject*) { FHasFocus = true; }

void TCustomMRUComboBox::ComboExit(TObject*) {
  FHasFocus = false;
  Validate();
}

void TCustomMRUComboBox::ButtonClick(TObject*) {
  Execute();
  OnButtonClick(this);
}

void RegisterMRUComboBoxClasses() { RegisterClasses({TMRUComboBox::StaticClass()}); }

}  // namespace xel
