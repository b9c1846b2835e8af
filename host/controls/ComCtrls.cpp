#include "ComCtrls.h"

#include <algorithm>

#include "Forms.h"

namespace xel {

// ---------------------------------------------------------------- status bar

void TStatusPanel::Assign(TPersistent* source) {
  if (auto* p = dynamic_cast<TStatusPanel*>(source)) {
    FText = p->FText;
    FWidth = p->FWidth;
    FAlignment = p->FAlignment;
    FBevel = p->FBevel;
    FStyle = p->FStyle;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

void TStatusPanel::SetText(const String& v) {
  if (SetIfChanged(FText, v)) Changed(false);
}
void TStatusPanel::SetWidth(Integer v) {
  if (SetIfChanged(FWidth, v)) Changed(false);
}
void TStatusPanel::SetAlignment(TAlignment v) {
  if (SetIfChanged(FAlignment, v)) Changed(false);
}
void TStatusPanel::SetBevel(TStatusPanelBevel v) {
  if (SetIfChanged(FBevel, v)) Changed(false);
}
void TStatusPanel::SetStyle(TStatusPanelStyle v) {
  if (SetIfChanged(FStyle, v)) Changed(false);
}

TStatusPanels::TStatusPanels(TStatusBar* owner) : TOwnedCollection(owner, TStatusPanel::StaticClass()) {}

void TStatusPanels::Update(TCollectionItem* item) {
  TOwnedCollection::Update(item);
  if (auto* bar = dynamic_cast<TStatusBar*>(GetOwner())) bar->PanelsChanged();
}

TStatusBar::TStatusBar(TComponent* owner)
    : TWinControl(owner), FPanels(std::make_unique<TStatusPanels>(this)), FCanvas(std::make_unique<TCanvas>()) {
  FControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  FColor = clBtnFace;
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() { FPanels.reset(); }

void TStatusBar::SetSimplePanel(bool v) {
  if (FSimplePanel == v) return;
  FSimplePanel = v;
  Changed(waItems);
}

void TStatusBar::SetSimpleText(const String& v) {
  if (FSimpleText == v) return;
  FSimpleText = v;
  if (FSimplePanel) Changed(waItems);
}

void TStatusBar::SetSizeGrip(bool v) {
  FSizeGrip = v;
  Changed(waStyle);
}

TRect TStatusBar::PanelRect(int index) const {
  Integer left = 0;
  for (int i = 0; i < index; ++i) left += FPanels->Items(i)->GetWidth();
  bool last = index == FPanels->Count() - 1;
  Integer right = last ? std::max(left, Width()) : left + FPanels->Items(index)->GetWidth();
  return Rect(left, 2, right, Height());
}

void TStatusBar::PaintWindow(TCanvas* canvas) {
  TCanvas* c = FCanvas.get();
  TCanvasScope scope(c, canvas, GetFont());
  c->Brush()->SetColor(GetColor());
  c->FillRect(Rect(0, 0, Width(), Height()));
  auto text = [&](TRect r, const String& s, TAlignment a) {
    TPoint ext = c->TextExtent(s);
    Integer x = a == taLeftJustify ? r.Left + 2 : a == taRightJustify ? r.Right - ext.X - 2 : (r.Left + r.Right - ext.X) / 2;
    c->Brush()->SetStyle(bsClear);
    c->TextRect(r, x, r.Top + (r.Height() - ext.Y) / 2, s);
  };
  if (FSimplePanel) {
    text(Rect(0, 2, Width(), Height()), FSimpleText, taLeftJustify);
    return;
  }
  for (int i = 0; i < FPanels->Count(); ++i) {
    TStatusPanel* p = FPanels->Items(i);
    TRect r = PanelRect(i);
    if (p->GetBevel() != pbNone) {
      c->Pen()->SetColor(p->GetBevel() == pbLowered ? clBtnShadow : clBtnHighlight);
      c->Brush()->SetStyle(bsClear);
      c->Rectangle(r);
    }
    if (p->GetStyle() == psOwnerDraw && OnDrawPanel) OnDrawPanel(this, p, r);
    else text(r, p->GetText(), p->GetAlignment());
  }
}

// ---------------------------------------------------------------- tool bar

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
  FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption};
  SetBounds(0, 0, 23, 22);
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetParent(TWinControl* parent) {
  auto* bar = dynamic_cast<TToolBar*>(parent);
  if (bar && !ComponentState().Contains(csLoading) && Parent() != parent) {
    Integer right = 0, top = 0;
    for (TToolButton* b : bar->Buttons()) {
      right = std::max(right, b->Left() + b->Width());
      top = std::max(top, b->Top());
    }
    SetBounds(right, top, Width(), Height());
  }
  TToolBar* old = ToolBar();
  TGraphicControl::SetParent(parent);
  if (old && old != bar) old->Realign();
  if (bar) bar->Realign();
}

void TToolButton::SetStyle(TToolButtonStyle v) {
  if (FStyle == v) return;
  FStyle = v;
  if (TToolBar* bar = ToolBar()) bar->Realign();
  Invalidate();
}

void TToolButton::SetImageIndex(Integer v) {
  FImageIndex = v;
  Invalidate();
}

void TToolButton::SetWrap(bool v) {
  FWrap = v;
  if (TToolBar* bar = ToolBar()) bar->Realign();
}

void TToolButton::SetMenuItem(TMenuItem* v) {
  if (FMenuItem) FMenuItem->RemoveFreeNotification(this);
  FMenuItem = v;
  if (v) {
    v->FreeNotification(this);
    if (!ComponentState().Contains(csLoading)) {
      SetText(StripHotkey(v->GetCaption()));
      SetHint(v->GetHint());
    }
  }
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == FMenuItem) FMenuItem = nullptr;
}

// The run of neighbouring grouped check buttons this one belongs to.
std::vector<TToolButton*> TToolButton::Group() const {
  std::vector<TToolButton*> group;
  TToolBar* bar = ToolBar();
  if (!bar || !FGrouped || FStyle != tbsCheck) return group;
  std::vector<TToolButton*> all = bar->Buttons();
  auto at = std::find(all.begin(), all.end(), this);
  auto member = [](TToolButton* b) { return b->FGrouped && b->FStyle == tbsCheck; };
  auto first = at;
  while (first != all.begin() && member(*(first - 1))) --first;
  for (auto it = first; it != all.end() && member(*it); ++it) group.push_back(*it);
  return group;
}

void TToolButton::SetDown(bool v) {
  if (FDown == v) return;
  if (v && FStyle != tbsCheck) return;
  std::vector<TToolButton*> group = Group();
  if (!v && !FAllowAllUp && !group.empty() && !ComponentState().Contains(csLoading)) return;  // one stays down
  FDown = v;
  if (v)
    for (TToolButton* b : group)
      if (b != this && b->FDown) {
        b->FDown = false;
        b->Invalidate();
      }
  Invalidate();
}

void TToolButton::Click() {
  if (!IsEnabled() || IsSeparator()) return;
  if (FStyle == tbsCheck) {
    if (!FDown) SetDown(true);
    else if (FAllowAllUp || !FGrouped) {
      FDown = false;
      Invalidate();
    }
  }
  if (FMenuItem && !OnClick) {
    FMenuItem->Click();
    return;
  }
  TGraphicControl::Click();
}

void TToolButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  if (IsSeparator()) {
    if (FStyle == tbsDivider) {
      c->Pen()->SetColor(clBtnShadow);
      c->MoveTo(Width() / 2, 2);
      c->LineTo(Width() / 2, Height() - 2);
    }
    return;
  }
  TToolBar* bar = ToolBar();
  if (FDown || !bar || !bar->GetFlat()) {
    c->Pen()->SetColor(FDown ? clBtnShadow : clBtnHighlight);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(r);
  }
  if (bar && bar->GetShowCaptions()) {
    String text = StripHotkey(GetText());
    TPoint ext = c->TextExtent(text);
    // The caption stands on the bar's face, not on a box of the canvas's last brush.
    c->Brush()->SetStyle(bsClear);
    c->TextOut((Width() - ext.X) / 2, Height() - ext.Y - 2, text);
  }
}

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  FColor = clBtnFace;
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
}

std::vector<TToolButton*> TToolBar::Buttons() const {
  std::vector<TToolButton*> buttons;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* b = dynamic_cast<TToolButton*>(Controls(i))) buttons.push_back(b);
  std::stable_sort(buttons.begin(), buttons.end(), [](const TToolButton* a, const TToolButton* b) {
    return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
  });
  return buttons;
}

TToolButton* TToolBar::GetButton(int index) const {
  std::vector<TToolButton*> b = Buttons();
  if (index < 0 || index >= static_cast<int>(b.size())) throw EListError(Format(SConst::ListIndexError, {index}));
  return b[index];
}

void TToolBar::SetButtonWidth(Integer v) {
  if (SetIfChanged(FButtonWidth, v)) {
    Realign();
    Invalidate();
  }
}
void TToolBar::SetButtonHeight(Integer v) {
  if (SetIfChanged(FButtonHeight, v)) {
    Realign();
    Invalidate();
  }
}
void TToolBar::SetFlat(bool v) {
  if (SetIfChanged(FFlat, v)) {
    Realign();
    Invalidate();
  }
}
void TToolBar::SetShowCaptions(bool v) {
  if (SetIfChanged(FShowCaptions, v)) {
    Realign();
    Invalidate();
  }
}

void TToolBar::AlignControls(TRect& rect) {
  Integer x = rect.Left, y = rect.Top + 2;
  // Other controls on the bar (speed buttons, boxes) take their places in the row with
  // their own widths.
  std::vector<TControl*> controls;
  for (int i = 0; i < ControlCount(); ++i) controls.push_back(Controls(i));
  std::stable_sort(controls.begin(), controls.end(), [](const TControl* a, const TControl* b) {
    return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
  });
  for (TControl* c : controls) {
    if (!c->GetVisible()) continue;
    auto* b = dynamic_cast<TToolButton*>(c);
    if (!b) {
      c->SetBounds(x, y, c->Width(), FButtonHeight);
      x += c->Width();
      continue;
    }
    Integer w = b->IsSeparator() ? 8 : FButtonWidth;
    if (FShowCaptions && !b->IsSeparator())
      w = std::max(FButtonWidth, ScreenTextExtent(*GetFont(), StripHotkey(b->GetText())).X + 8);
    b->SetBounds(x, y, w, FButtonHeight);
    x += w;
    if (b->GetWrap()) {
      x = rect.Left;
      y += FButtonHeight;
    }
  }
  TWinControl::AlignControls(rect);
}

void TToolBar::Paint() {
  Canvas()->Brush()->SetColor(GetColor());
  Canvas()->FillRect(Rect(0, 0, Width(), Height()));
  TCustomControl::Paint();
}

// ---------------------------------------------------------------- rich edit

TCustomRichEdit::TCustomRichEdit(TComponent* owner) : TCustomMemo(owner) {}

void TCustomRichEdit::SetHideScrollBars(bool v) {
  if (SetIfChanged(FHideScrollBars, v)) Changed(waScroll);
}

void RegisterComCtrlsClasses() {
  RegisterClasses({TStatusBar::StaticClass(), TToolBar::StaticClass(), TToolButton::StaticClass(),
                   TRichEdit::StaticClass()});
}

}  // namespace xel
