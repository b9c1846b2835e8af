#include "Buttons.h"

#include "Forms.h"
#include "Menus.h"

namespace xel {

namespace {
struct TKindInfo {
  const char* Caption;
  TModalResult Result;
};
// The host's captions and results of the button kinds.
constexpr TKindInfo kKinds[] = {{"", mrNone},         {"OK", mrOk},        {"Cancel", mrCancel},
                                {"&Help", mrNone},    {"&Yes", mrYes},     {"&No", mrNo},
                                {"&Close", mrNone},   {"Abort", mrAbort},  {"&Retry", mrRetry},
                                {"&Ignore", mrIgnore}, {"&All", mrAll}};
}  // namespace

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), FGlyph(std::make_unique<TBitmap>()) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetKind(TBitBtnKind v) {
  if (FKind == v) return;
  FKind = v;
  if (v == bkCustom) return;
  SetText(kKinds[v].Caption);
  SetModalResult(kKinds[v].Result);
  SetDefault(v == bkOK || v == bkYes);
  SetCancel(v == bkCancel || v == bkNo);
}

void TBitBtn::SetNumGlyphs(Integer v) {
  FNumGlyphs = v < 1 ? 1 : v > 4 ? 4 : v;
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout v) {
  FLayout = v;
  Invalidate();
}

bool TBitBtn::IsCustomCaption() const { return FKind == bkCustom || GetText() != kKinds[FKind].Caption; }

bool TBitBtn::IsCustomModalResult() const { return FKind == bkCustom || GetModalResult() != kKinds[FKind].Result; }

void TBitBtn::Click() {
  if (FKind == bkClose && IsEnabled()) {
    if (TCustomForm* form = GetParentForm(this)) {
      TButton::Click();
      form->Close();
      return;
    }
  }
  TButton::Click();
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), FGlyph(std::make_unique<TBitmap>()) {
  FGlyph->OnChange = MakeMethod<&TSpeedButton::GlyphChanged>(this);
  SetBounds(0, 0, 23, 22);
  FControlStyle = {csCaptureMouse, csDoubleClicks, csClickEvents};
  SetParentFont(true);
}

TSpeedButton::~TSpeedButton() { FGlyph->OnChange = nullptr; }

void TSpeedButton::SetFlat(bool v) {
  FFlat = v;
  Invalidate();
}

void TSpeedButton::SetGroupIndex(Integer v) {
  FGroupIndex = v;
  if (v == 0) FDown = false;
}

void TSpeedButton::SetDown(bool v) {
  if (FGroupIndex == 0) v = false;
  if (v == FDown) return;
  if (!v && !FAllowAllUp && !ComponentState().Contains(csLoading)) {
    // The last down button of a group stays down unless the group allows all up.
    bool another = false;
    if (TWinControl* p = Parent())
      for (int i = 0; i < p->ControlCount(); ++i)
        if (auto* b = dynamic_cast<TSpeedButton*>(p->Controls(i)); b && b != this && b->FGroupIndex == FGroupIndex && b->FDown)
          another = true;
    if (!another) return;
  }
  FDown = v;
  if (v)
    if (TWinControl* p = Parent())
      for (int i = 0; i < p->ControlCount(); ++i)
        if (auto* b = dynamic_cast<TSpeedButton*>(p->Controls(i)); b && b != this && b->FGroupIndex == FGroupIndex)
          b->FDown = false, b->Invalidate();
  Invalidate();
}

void TSpeedButton::Click() {
  if (!IsEnabled()) return;
  if (FGroupIndex != 0) {
    if (FDown && FAllowAllUp) {
      FDown = false;
      Invalidate();
    } else {
      SetDown(true);
    }
  }
  TGraphicControl::Click();
}

void TSpeedButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  c->Brush()->SetColor(FDown ? clBtnHighlight : clBtnFace);
  c->FillRect(r);
  if (!FFlat || FDown) {
    c->Pen()->SetColor(FDown ? clBtnShadow : clBtnHighlight);
    c->Rectangle(r);
  }
  Integer x = 2;
  if (!FGlyph->Empty()) {
    Integer gw = FGlyph->Width() / FNumGlyphs;
    x = (Width() - gw) / 2;
    c->Draw(x, (Height() - FGlyph->Height()) / 2, FGlyph.get());
  }
  String text = StripHotkey(GetText());
  if (!text.empty()) {
    TPoint ext = c->TextExtent(text);
    c->Brush()->SetStyle(bsClear);
    c->TextOut((Width() - ext.X) / 2, (Height() - ext.Y) / 2, text);
  }
}

void RegisterButtonsClasses() { RegisterClasses({TBitBtn::StaticClass(), TSpeedButton::StaticClass()}); }

}  // namespace xel
