#include "StdCtrls.h"

#include <algorithm>

#include "DesignHook.h"
#include "Forms.h"
#include "Menus.h"

namespace xel {

// ---------------------------------------------------------------- TCustomLabel

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  FControlStyle.Include(csOpaque);
  SetParentColor(true);
  SetBounds(0, 0, 65, 17);
}

String TCustomLabel::DisplayText() const { return StripHotkey(GetText()); }

void TCustomLabel::SetAlignment(TAlignment v) {
  if (FAlignment == v) return;
  FAlignment = v;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
  if (FAutoSize == v) return;
  FAutoSize = v;
  AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* v) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = v;
  if (v) v->FreeNotification(this);
}

void TCustomLabel::SetLayout(TTextLayout v) {
  if (FLayout == v) return;
  FLayout = v;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (FWordWrap == v) return;
  FWordWrap = v;
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool v) {
  if (FTransparent == v) return;
  FTransparent = v;
  Invalidate();
}

void TCustomLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

// Auto-sized labels fit their text (one line; word-wrapped ones keep their width).
void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(csLoading)) return;
  Canvas()->Font()->Assign(GetFont());
  String text = DisplayText();
  if (text.empty()) text = " ";
  TPoint ext = Canvas()->TextExtent(text);
  if (FWordWrap && Width() > 0) {
    Integer lines = std::max<Integer>(1, (ext.X + Width() - 1) / Width());
    SetBounds(Left(), Top(), Width(), ext.Y * lines);
  } else {
    Integer left = Left();
    if (FAlignment == taRightJustify) left += Width() - ext.X;
    SetBounds(left, Top(), ext.X, ext.Y);
  }
}

void TCustomLabel::Paint() {
  TCanvas* c = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  if (!FTransparent) {
    c->Brush()->SetColor(GetColor());
    c->FillRect(r);
  }
  c->Brush()->SetStyle(bsClear);
  String text = DisplayText();
  TPoint ext = c->TextExtent(text);
  Integer x = FAlignment == taLeftJustify ? 0 : FAlignment == taRightJustify ? Width() - ext.X : (Width() - ext.X) / 2;
  Integer y = FLayout == tlTop ? 0 : FLayout == tlBottom ? Height() - ext.Y : (Height() - ext.Y) / 2;
  if (!IsEnabled()) c->Font()->SetColor(clGrayText);
  c->TextRect(r, x, y, text);
}

// Alt with the accelerator letter focuses the label's control.
bool TCustomLabel::DialogKey(Word key, TShiftState shift) {
  if (!shift.Contains(ssAlt) || !FFocusControl) return false;
  if (GetHotkey(GetText()) != static_cast<char>(key) || !FFocusControl->CanFocus()) return false;
  FFocusControl->SetFocus();
  return true;
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

// ---------------------------------------------------------------- TCustomEdit

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  FControlStyle = {csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  SetTabStop(true);
  SetBounds(0, 0, 121, 21);
}

void TCustomEdit::SetReadOnly(bool v) {
  if (FReadOnly == v) return;
  FReadOnly = v;
  Changed(waReadOnly);
}

void TCustomEdit::SetPasswordChar(char v) {
  if (FPasswordChar == v) return;
  FPasswordChar = v;
  Changed(waStyle);
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
  if (FBorderStyle == v) return;
  FBorderStyle = v;
  Changed(waBorder);
}

void TCustomEdit::TextChanged() {
  const auto len = static_cast<Integer>(GetText().size());
  if (FSelStart > len) FSelStart = len;
  if (FSelStart + FSelLength > len) FSelLength = len - FSelStart;
  TWinControl::TextChanged();
  if (!ComponentState().Contains(csLoading)) {
    FModified = true;
    Change();
  }
}

void TCustomEdit::SetSelStart(Integer v) {
  FSelStart = std::clamp<Integer>(v, 0, static_cast<Integer>(GetText().size()));
  FSelLength = 0;
  Changed(waSelection);
}

void TCustomEdit::SetSelLength(Integer v) {
  FSelLength = std::clamp<Integer>(v, 0, static_cast<Integer>(GetText().size()) - FSelStart);
  Changed(waSelection);
}

String TCustomEdit::SelText() const { return GetText().substr(FSelStart, FSelLength); }

void TCustomEdit::SetSelText(const String& v) {
  String text = GetText();
  String insert = v;
  if (FMaxLength > 0) {
    Integer room = FMaxLength - static_cast<Integer>(text.size()) + FSelLength;
    if (room < static_cast<Integer>(insert.size())) insert.resize(std::max<Integer>(0, room));
  }
  text.replace(FSelStart, FSelLength, insert);
  Integer caret = FSelStart + static_cast<Integer>(insert.size());
  FSelLength = 0;
  SetText(text);
  FSelStart = caret;
  Changed(waSelection);
}

void TCustomEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<Integer>(GetText().size());
  Changed(waSelection);
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect && !Is<TCustomMemo>(this)) SelectAll();
  TWinControl::DoEnter();
}

bool TCustomEdit::WantsKey(Word key, TShiftState) const {
  return key == VK_LEFT || key == VK_RIGHT || key == VK_HOME || key == VK_END || key == VK_DELETE ||
         key == VK_BACK;
}

namespace {
// Steps over whole UTF-8 characters.
Integer PrevChar(const String& s, Integer at) {
  if (at <= 0) return 0;
  --at;
  while (at > 0 && (static_cast<unsigned char>(s[at]) & 0xC0) == 0x80) --at;
  return at;
}
Integer NextChar(const String& s, Integer at) {
  Integer n = static_cast<Integer>(s.size());
  if (at >= n) return n;
  ++at;
  while (at < n && (static_cast<unsigned char>(s[at]) & 0xC0) == 0x80) ++at;
  return at;
}
}  // namespace

void TCustomEdit::KeyDown(Word& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (NativeInput()) return;
  const String text = GetText();
  switch (key) {
    case VK_LEFT: SetSelStart(PrevChar(text, FSelStart)); break;
    case VK_RIGHT: SetSelStart(NextChar(text, FSelStart + FSelLength)); break;
    case VK_HOME: SetSelStart(0); break;
    case VK_END: SetSelStart(static_cast<Integer>(text.size())); break;
    case VK_DELETE:
      if (FReadOnly) break;
      if (FSelLength == 0) FSelLength = NextChar(text, FSelStart) - FSelStart;
      SetSelText("");
      break;
    default: return;
  }
  key = 0;
}

void TCustomEdit::KeyPress(char& key) {
  TWinControl::KeyPress(key);
  if (key == 0 || NativeInput()) return;
  if (key == '\b') {
    if (!FReadOnly) {
      if (FSelLength == 0 && FSelStart > 0) {
        Integer from = PrevChar(GetText(), FSelStart);
        FSelLength = FSelStart - from;
        FSelStart = from;
      }
      SetSelText("");
    }
    key = 0;
    return;
  }
  if (static_cast<unsigned char>(key) < 32) return;
  if (!FReadOnly) SetSelText(String(1, key));
  key = 0;
}

// ---------------------------------------------------------------- TCustomMemo

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), FLines(std::make_unique<TStringList>()) {
  FLines->OnChange = MakeMethod<&TCustomMemo::LinesChanged>(this);
  FControlStyle.Exclude(csFixedHeight);
  FControlStyle.Exclude(csSetCaption);
  SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() { FLines->OnChange = nullptr; }

// The lines and the text are one value seen two ways.
void TCustomMemo::LinesChanged(TObject*) {
  if (FSyncing) return;
  FSyncing = true;
  TFinally done([this] { FSyncing = false; });
  String text = FLines->GetText();
  if (!text.empty() && text.back() == '\n') text.pop_back();
  if (!text.empty() && text.back() == '\r') text.pop_back();
  SetText(text);
}

void TCustomMemo::TextChanged() {
  if (!FSyncing) {
    FSyncing = true;
    TFinally done([this] { FSyncing = false; });
    FLines->SetText(GetText());
  }
  TCustomEdit::TextChanged();
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
  if (FScrollBars == v) return;
  FScrollBars = v;
  Changed(waScroll);
}

void TCustomMemo::SetWordWrap(bool v) {
  if (FWordWrap == v) return;
  FWordWrap = v;
  Changed(waStyle);
}

void TCustomMemo::SetAlignment(TAlignment v) {
  if (FAlignment == v) return;
  FAlignment = v;
  Changed(waStyle);
}

bool TCustomMemo::WantsKey(Word key, TShiftState shift) const {
  if (key == VK_RETURN) return FWantReturns;
  if (key == VK_TAB) return FWantTabs && !shift.Contains(ssCtrl);
  return key == VK_UP || key == VK_DOWN || TCustomEdit::WantsKey(key, shift);
}

void TCustomMemo::KeyPress(char& key) {
  if (key == '\r') {
    TWinControl::KeyPress(key);
    if (key == 0 || NativeInput()) return;
    if (FWantReturns && !GetReadOnly()) SetSelText("\r\n");
    key = 0;
    return;
  }
  if (key == '\t' && !FWantTabs) return;
  TCustomEdit::KeyPress(key);
}

// ---------------------------------------------------------------- buttons

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TButtonControl::KeyDown(Word& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key == VK_SPACE && !NativeInput()) {
    key = 0;
    Click();
  }
}

bool TButtonControl::DialogKey(Word key, TShiftState shift) {
  if (!shift.Contains(ssAlt) || GetHotkey(GetText()) != static_cast<char>(key) || !IsEnabled()) return false;
  if (CanFocus()) SetFocus();
  Click();
  return true;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  FControlStyle = {csSetCaption, csDoubleClicks, csClickEvents};
  FColor = clBtnFace;
  SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool v) {
  if (FDefault == v) return;
  FDefault = v;
  Changed(waStyle);
}

void TButton::Click() {
  if (FindDesignHook(this)) return TButtonControl::Click();
  if (!IsEnabled()) return;
  // The result goes to the form before OnClick, as the host does: the handler may reset it.
  if (TCustomForm* form = GetParentForm(this); form && FModalResult != mrNone) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

bool TButton::DialogKey(Word key, TShiftState shift) {
  if ((key == VK_RETURN && FDefault) || (key == VK_ESCAPE && FCancel)) {
    if (shift.Contains(ssAlt) || shift.Contains(ssCtrl)) return false;
    Click();
    return true;
  }
  return TButtonControl::DialogKey(key, shift);
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
  FControlStyle = {csSetCaption, csDoubleClicks, csClickEvents};
  SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
  if (FState == v) return;
  FState = v;
  Changed(waState);
  if (!ComponentState().Contains(csLoading)) TButtonControl::Click();
}

void TCustomCheckBox::SetAlignment(TAlignment v) {
  if (FAlignment == v) return;
  FAlignment = v;
  Changed(waStyle);
}

// The state change fires OnClick, as the host's does.
void TCustomCheckBox::Click() {
  if (!IsEnabled()) return;
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbGrayed: SetState(cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
  }
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  FControlStyle = {csSetCaption, csDoubleClicks, csClickEvents};
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool v) {
  if (FChecked == v) return;
  FChecked = v;
  Changed(waState);
  if (!v) return;
  if (TWinControl* p = Parent())
    for (int i = 0; i < p->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TRadioButton*>(p->Controls(i)); other && other != this) other->SetChecked(false);
  if (!ComponentState().Contains(csLoading)) TButtonControl::Click();
}

void TRadioButton::SetAlignment(TAlignment v) {
  if (FAlignment == v) return;
  FAlignment = v;
  Changed(waStyle);
}

void TRadioButton::Click() {
  if (IsEnabled()) SetChecked(true);
}

// ---------------------------------------------------------------- TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FColor = clBtnFace;
  SetBounds(0, 0, 185, 105);
}

TRect TCustomGroupBox::GetClientRect() const {
  TPoint ext = ScreenTextExtent(*GetFont(), "0");
  return Rect(2, ext.Y, std::max(2, Width() - 2), std::max<Integer>(ext.Y, Height() - 2));
}

void TCustomGroupBox::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(GetColor());
  c->FillRect(Rect(0, 0, Width(), Height()));
  Integer h = c->TextHeight("0");
  c->Pen()->SetColor(clBtnShadow);
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(0, h / 2, Width(), Height());
  c->Brush()->SetColor(GetColor());
  String text = StripHotkey(GetText());
  if (!text.empty()) c->TextOut(8, 0, text);
  TCustomControl::Paint();
}

// ---------------------------------------------------------------- item lists

TItemsControl::TItemsControl(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TStringList>()), FCanvas(std::make_unique<TCanvas>()) {
  FItems->SetDuplicates(dupAccept);
  FItems->OnChange = MakeMethod<&TItemsControl::ItemsChange>(this);
  SetTabStop(true);
}

TItemsControl::~TItemsControl() { FItems->OnChange = nullptr; }

void TItemsControl::ItemsChange(TObject*) { ItemsChanged(); }

void TItemsControl::ItemsChanged() {
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  Changed(waItems);
}

void TItemsControl::SetItemIndex(Integer v) {
  if (ComponentState().Contains(csLoading)) {
    FLoadedItemIndex = v;
    return;
  }
  if (v < -1 || v >= FItems->Count()) v = -1;
  if (FItemIndex == v) return;
  FItemIndex = v;
  Changed(waItemIndex);
}

void TItemsControl::SetSorted(bool v) {
  if (FItems->Sorted() == v) return;
  String current = FItemIndex >= 0 ? FItems->Strings(FItemIndex) : String();
  FItems->SetSorted(v);
  if (FItemIndex >= 0) FItemIndex = FItems->IndexOf(current);
}

void TItemsControl::SetItemHeight(Integer v) {
  if (v < 1 || FItemHeight == v) return;
  FItemHeight = v;
  Changed(waStyle);
}

void TItemsControl::Loaded() {
  TWinControl::Loaded();
  if (FLoadedItemIndex >= 0) SetItemIndex(std::exchange(FLoadedItemIndex, -1));
}

void TItemsControl::DrawItem(TCanvas* canvas, Integer index, TRect rect, TOwnerDrawState state) {
  if (OnDrawItem && OwnerDraw()) {
    TCanvasScope scope(FCanvas.get(), canvas, GetFont());
    FCanvas->Brush()->SetColor(state.Contains(odSelected) ? clHighlight : GetColor());
    if (state.Contains(odSelected)) FCanvas->Font()->SetColor(clHighlightText);
    OnDrawItem(this, index, rect, state);
    return;
  }
  canvas->Brush()->SetColor(state.Contains(odSelected) ? clHighlight : GetColor());
  canvas->FillRect(rect);
  canvas->Font()->Assign(GetFont());
  if (state.Contains(odSelected)) canvas->Font()->SetColor(clHighlightText);
  if (index >= 0 && index < FItems->Count()) canvas->TextOut(rect.Left + 2, rect.Top, FItems->Strings(index));
}

TCustomComboBox::TCustomComboBox(TComponent* owner) : TItemsControl(owner) {
  FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  FControlStyle.Exclude(csSetCaption);
  SetBounds(0, 0, 145, 21);
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (FStyle == v) return;
  FStyle = v;
  if (v == csDropDownList) {
    // The text of a drop-down list is always its item's.
    Integer i = GetItemIndex();
    SetText(i >= 0 ? GetItems()->Strings(i) : String());
  }
  RecreateWnd();
}

void TCustomComboBox::SetItemIndex(Integer v) {
  if (ComponentState().Contains(csLoading)) {
    TItemsControl::SetItemIndex(v);
    return;
  }
  if (v < -1 || v >= GetItems()->Count()) v = -1;
  TItemsControl::SetItemIndex(v);
  String text = v >= 0 ? GetItems()->Strings(v) : String();
  if (v >= 0 || FStyle == csDropDownList) SetText(text);
}

void TCustomComboBox::ItemsChanged() {
  TItemsControl::ItemsChanged();
  if (FStyle == csDropDownList && GetItemIndex() < 0 && !GetText().empty()) SetText("");
}

void TCustomComboBox::SetDroppedDown(bool v) {
  if (FDroppedDown == v) return;
  if (v) OnDropDown(this);
  FDroppedDown = v;
  Changed(waState);
  if (!v) OnCloseUp(this);
}

void TCustomComboBox::SelectItem(Integer index) {
  if (!IsEnabled()) return;
  if (index < -1 || index >= GetItems()->Count()) return;
  bool changed = index != GetItemIndex();
  SetItemIndex(index);
  if (FDroppedDown) SetDroppedDown(false);
  if (changed) {
    Change();
    OnSelect(this);
  }
  Click();
}

void TCustomComboBox::EditText(const String& text) {
  if (FStyle == csDropDownList || !IsEnabled()) return;
  SetText(text);
  Integer i = GetItems()->IndexOf(text);
  TItemsControl::SetItemIndex(i);
  Change();
}

Integer TCustomComboBox::SelStart() const {
  return std::min<Integer>(FSelStart, static_cast<Integer>(GetText().size()));
}

Integer TCustomComboBox::SelLength() const {
  return std::clamp<Integer>(FSelLength, 0, static_cast<Integer>(GetText().size()) - SelStart());
}

void TCustomComboBox::SetSelStart(Integer v) {
  FSelStart = std::clamp<Integer>(v, 0, static_cast<Integer>(GetText().size()));
  FSelLength = 0;
  Changed(waSelection);
}

void TCustomComboBox::SetSelLength(Integer v) {
  FSelLength = std::clamp<Integer>(v, 0, static_cast<Integer>(GetText().size()) - SelStart());
  Changed(waSelection);
}

void TCustomComboBox::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<Integer>(GetText().size());
  Changed(waSelection);
}

bool TCustomComboBox::WantsKey(Word key, TShiftState shift) const {
  if (key == VK_RETURN || key == VK_ESCAPE) return FDroppedDown;
  return key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END || key == VK_PRIOR ||
         key == VK_NEXT || (key == VK_BACK && FStyle != csDropDownList) || (void(shift), false);
}

void TCustomComboBox::KeyDown(Word& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (NativeInput()) return;
  Integer count = GetItems()->Count();
  Integer i = GetItemIndex();
  switch (key) {
    case VK_DOWN:
      if (shift.Contains(ssAlt)) SetDroppedDown(!FDroppedDown);
      else if (i + 1 < count) SelectItem(i + 1);
      break;
    case VK_UP:
      if (shift.Contains(ssAlt)) SetDroppedDown(!FDroppedDown);
      else if (i > 0) SelectItem(i - 1);
      break;
    case VK_HOME:
      if (count > 0) SelectItem(0);
      break;
    case VK_END:
      if (count > 0) SelectItem(count - 1);
      break;
    case VK_RETURN:
    case VK_ESCAPE:
      // A closed box leaves Enter and Escape to its handlers and the form's buttons.
      if (!FDroppedDown) return;
      SetDroppedDown(false);
      break;
    default: return;
  }
  key = 0;
}

// In a drop-down list, a letter selects the next item that starts with it.
void TCustomComboBox::KeyPress(char& key) {
  TWinControl::KeyPress(key);
  if (key == 0 || NativeInput()) return;
  if (FStyle == csDropDownList) {
    if (static_cast<unsigned char>(key) < 32) return;
    Integer count = GetItems()->Count();
    for (Integer step = 1; step <= count; ++step) {
      Integer i = (GetItemIndex() + step + count) % count;
      const String s = GetItems()->Strings(i);
      if (!s.empty() && SameText(s.substr(0, 1), String(1, key))) {
        SelectItem(i);
        break;
      }
    }
    key = 0;
    return;
  }
  String text = GetText();
  if (key == '\b') {
    if (!text.empty()) text.erase(PrevChar(text, static_cast<Integer>(text.size())));
  } else if (static_cast<unsigned char>(key) >= 32) {
    text += key;
  } else {
    return;
  }
  EditText(text);
  key = 0;
}

TCustomListBox::TCustomListBox(TComponent* owner) : TItemsControl(owner) {
  FControlStyle = {csSetCaption, csDoubleClicks, csClickEvents};
  FControlStyle.Exclude(csSetCaption);
  SetBounds(0, 0, 121, 97);
}

void TCustomListBox::SetStyle(TListBoxStyle v) {
  if (FStyle == v) return;
  FStyle = v;
  RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool v) {
  if (FMultiSelect == v) return;
  FMultiSelect = v;
  FSelected.assign(GetItems()->Count(), false);
  Changed(waStyle);
}

bool TCustomListBox::Selected(Integer index) const {
  if (index < 0 || index >= GetItems()->Count()) throw EListError(Format(SConst::ListIndexError, {index}));
  if (!FMultiSelect) return index == GetItemIndex();
  return index < static_cast<Integer>(FSelected.size()) && FSelected[index];
}

void TCustomListBox::SetSelected(Integer index, bool v) {
  if (index < 0 || index >= GetItems()->Count()) throw EListError(Format(SConst::ListIndexError, {index}));
  if (!FMultiSelect) {
    if (v) SetItemIndex(index);
    else if (GetItemIndex() == index) SetItemIndex(-1);
    return;
  }
  FSelected.resize(GetItems()->Count(), false);
  FSelected[index] = v;
  Changed(waSelection);
}

Integer TCustomListBox::SelCount() const {
  if (!FMultiSelect) return -1;
  return static_cast<Integer>(std::count(FSelected.begin(), FSelected.end(), true));
}

void TCustomListBox::SetTopIndex(Integer v) {
  FTopIndex = std::clamp<Integer>(v, 0, std::max(0, GetItems()->Count() - 1));
  Changed(waScroll);
}

void TCustomListBox::SetItemIndex(Integer v) {
  TItemsControl::SetItemIndex(v);
  Integer i = GetItemIndex();
  if (FMultiSelect && i >= 0) {
    FSelected.assign(GetItems()->Count(), false);
    FSelected[i] = true;
  }
  // Keep the selected item in view.
  Integer visible = std::max(1, GetClientHeight() / GetItemHeight());
  if (i >= 0 && i < FTopIndex) FTopIndex = i;
  else if (i >= FTopIndex + visible) FTopIndex = i - visible + 1;
}

void TCustomListBox::ItemsChanged() {
  FSelected.resize(GetItems()->Count(), false);
  TItemsControl::ItemsChanged();
}

Integer TCustomListBox::ItemAtPos(TPoint p, bool existing) const {
  Integer i = FTopIndex + (p.Y < 0 ? -1 : p.Y / GetItemHeight());
  if (i >= 0 && i < GetItems()->Count()) return i;
  return existing ? -1 : GetItems()->Count();
}

void TCustomListBox::MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) {
  if (IsEnabled() && button == mbLeft) {
    Integer i = ItemAtPos({x, y}, true);
    if (i >= 0) {
      if (FMultiSelect && shift.Contains(ssCtrl)) SetSelected(i, !Selected(i));
      else SetItemIndex(i);
    }
  }
  TItemsControl::MouseDown(button, shift, x, y);
}

bool TCustomListBox::WantsKey(Word key, TShiftState) const {
  return key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END || key == VK_PRIOR || key == VK_NEXT;
}

void TCustomListBox::KeyDown(Word& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (NativeInput()) return;
  Integer count = GetItems()->Count();
  if (count == 0) return;
  Integer i = GetItemIndex();
  Integer page = std::max(1, GetClientHeight() / GetItemHeight());
  Integer next = i;
  switch (key) {
    case VK_DOWN: next = std::min(count - 1, i + 1); break;
    case VK_UP: next = std::max(0, i - 1); break;
    case VK_HOME: next = 0; break;
    case VK_END: next = count - 1; break;
    case VK_NEXT: next = std::min(count - 1, i + page); break;
    case VK_PRIOR: next = std::max(0, i - page); break;
    default: return;
  }
  key = 0;
  if (next != i) {
    SetItemIndex(next);
    Click();
  }
}

void RegisterStdCtrlsClasses() {
  RegisterClasses({TLabel::StaticClass(), TEdit::StaticClass(), TMemo::StaticClass(), TButton::StaticClass(),
                   TCheckBox::StaticClass(), TRadioButton::StaticClass(), TGroupBox::StaticClass(),
                   TComboBox::StaticClass(), TListBox::StaticClass()});
}

}  // namespace xel
