#include "ExtCtrls.h"

#include <algorithm>

#include "Forms.h"
#include "WidgetSet.h"

namespace xel {

namespace {
void Frame(TCanvas* c, TRect r, TColor topLeft, TColor bottomRight) {
  c->Pen()->SetColor(topLeft);
  c->MoveTo(r.Left, r.Bottom - 1);
  c->LineTo(r.Left, r.Top);
  c->LineTo(r.Right - 1, r.Top);
  c->Pen()->SetColor(bottomRight);
  c->LineTo(r.Right - 1, r.Bottom - 1);
  c->LineTo(r.Left, r.Bottom - 1);
}
}  // namespace

// ---------------------------------------------------------------- TCustomPanel

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks};
  FColor = clBtnFace;
  SetBounds(0, 0, 185, 41);
}

Integer TCustomPanel::FrameWidth() const {
  Integer w = FBorderWidth;
  if (FBevelOuter != bvNone) w += FBevelWidth;
  if (FBevelInner != bvNone) w += FBevelWidth;
  return w;
}

TRect TCustomPanel::GetClientRect() const {
  Integer f = FrameWidth();
  return Rect(f, f, std::max(f, Width() - f), std::max(f, Height() - f));
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
  if (SetIfChanged(FBevelInner, v)) {
    Realign();
    Invalidate();
  }
}
void TCustomPanel::SetBevelOuter(TBevelCut v) {
  if (SetIfChanged(FBevelOuter, v)) {
    Realign();
    Invalidate();
  }
}
void TCustomPanel::SetBevelWidth(Integer v) {
  if (SetIfChanged(FBevelWidth, v)) {
    Realign();
    Invalidate();
  }
}
void TCustomPanel::SetBorderWidth(Integer v) {
  if (SetIfChanged(FBorderWidth, v)) {
    Realign();
    Invalidate();
  }
}
void TCustomPanel::SetAlignment(TAlignment v) {
  if (SetIfChanged(FAlignment, v)) {
    Realign();
    Invalidate();
  }
}

void TCustomPanel::Paint() {
  TCanvas* c = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  c->Brush()->SetColor(GetColor());
  c->FillRect(r);
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    for (Integer i = 0; i < FBevelWidth; ++i) {
      if (cut == bvLowered) Frame(c, r, clBtnShadow, clBtnHighlight);
      else if (cut == bvRaised) Frame(c, r, clBtnHighlight, clBtnShadow);
      r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
  };
  bevel(FBevelOuter);
  r = Rect(r.Left + FBorderWidth, r.Top + FBorderWidth, r.Right - FBorderWidth, r.Bottom - FBorderWidth);
  bevel(FBevelInner);
  String text = StripHotkey(GetText());
  if (!text.empty()) {
    TPoint ext = c->TextExtent(text);
    Integer x = FAlignment == taLeftJustify ? r.Left + 2
                : FAlignment == taRightJustify ? r.Right - ext.X - 2
                                               : (Width() - ext.X) / 2;
    c->Brush()->SetStyle(bsClear);
    c->TextRect(r, x, (Height() - ext.Y) / 2, text);
  }
  TCustomControl::Paint();
}

// ---------------------------------------------------------------- TBevel

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape v) {
  if (FShape == v) return;
  FShape = v;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
  if (FStyle == v) return;
  FStyle = v;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* c = Canvas();
  TColor dark = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor light = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  TRect r = Rect(0, 0, Width(), Height());
  auto line = [&](Integer x1, Integer y1, Integer x2, Integer y2, TColor col) {
    c->Pen()->SetColor(col);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
  };
  switch (FShape) {
    case bsBox: Frame(c, r, dark, light); break;
    case bsFrame:
      Frame(c, Rect(0, 0, Width() - 1, Height() - 1), dark, dark);
      Frame(c, Rect(1, 1, Width(), Height()), light, light);
      break;
    case bsTopLine:
      line(0, 0, Width(), 0, dark);
      line(0, 1, Width(), 1, light);
      break;
    case bsBottomLine:
      line(0, Height() - 2, Width(), Height() - 2, dark);
      line(0, Height() - 1, Width(), Height() - 1, light);
      break;
    case bsLeftLine:
      line(0, 0, 0, Height(), dark);
      line(1, 0, 1, Height(), light);
      break;
    case bsRightLine:
      line(Width() - 2, 0, Width() - 2, Height(), dark);
      line(Width() - 1, 0, Width() - 1, Height(), light);
      break;
    case bsSpacer: break;
  }
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>()) {
  FPicture->OnChange = MakeMethod<&TImage::PictureChanged>(this);
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::PictureChanged(TObject*) {
  if (FAutoSize && FPicture->Width() > 0 && !ComponentState().Contains(csLoading))
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
  Invalidate();
}

void TImage::SetAutoSize(bool v) {
  FAutoSize = v;
  if (v) PictureChanged(nullptr);
}

void TImage::SetCenter(bool v) {
  FCenter = v;
  Invalidate();
}

void TImage::SetStretch(bool v) {
  FStretch = v;
  Invalidate();
}

void TImage::Paint() {
  TGraphic* g = FPicture->Graphic();
  if (!g || g->Empty()) return;
  Integer x = 0, y = 0;
  if (FCenter && !FStretch) {
    x = (Width() - g->Width()) / 2;
    y = (Height() - g->Height()) / 2;
  }
  Canvas()->Draw(x, y, g);
}

// ---------------------------------------------------------------- TTimer

TTimer::~TTimer() {
  FEnabled = false;
  Update();
}

void TTimer::Update() {
  if (TWidgetSet* ws = WidgetSet()) ws->UpdateTimer(this);
}

void TTimer::SetEnabled(bool v) {
  if (FEnabled == v) return;
  FEnabled = v;
  Update();
}

void TTimer::SetInterval(Cardinal v) {
  if (FInterval == v) return;
  FInterval = v;
  Update();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  Update();
}

// ---------------------------------------------------------------- TSplitter

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
  SetAlign(alLeft);
  SetBounds(0, 0, 3, 100);
  SetCursor(crHSplit);
}

void TSplitter::SetBeveled(bool v) {
  FBeveled = v;
  Invalidate();
}

// The visible control of the same alignment that ends where the splitter begins.
TControl* TSplitter::FindControl() const {
  TWinControl* p = Parent();
  if (!p) return nullptr;
  for (int i = 0; i < p->ControlCount(); ++i) {
    TControl* c = p->Controls(i);
    if (c == this || !c->GetVisible() || c->GetAlign() != GetAlign()) continue;
    switch (GetAlign()) {
      case alLeft:
        if (c->Left() + c->Width() == Left()) return c;
        break;
      case alRight:
        if (c->Left() == Left() + Width()) return c;
        break;
      case alTop:
        if (c->Top() + c->Height() == Top()) return c;
        break;
      case alBottom:
        if (c->Top() == Top() + Height()) return c;
        break;
      default: break;
    }
  }
  return nullptr;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  FDragged = FindControl();
  FDownAt = ClientToScreen({x, y});
  if (FDragged)
    FStartSize = (GetAlign() == alLeft || GetAlign() == alRight) ? FDragged->Width() : FDragged->Height();
}

void TSplitter::MouseMove(TShiftState shift, Integer x, Integer y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!FDragged) return;
  TPoint at = ClientToScreen({x, y});
  Integer delta = 0;
  switch (GetAlign()) {
    case alLeft: delta = at.X - FDownAt.X; break;
    case alRight: delta = FDownAt.X - at.X; break;
    case alTop: delta = at.Y - FDownAt.Y; break;
    case alBottom: delta = FDownAt.Y - at.Y; break;
    default: return;
  }
  Integer size = std::max(FMinSize, FStartSize + delta);
  if (GetAlign() == alLeft || GetAlign() == alRight) FDragged->SetWidth(size);
  else FDragged->SetHeight(size);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, Integer x, Integer y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button == mbLeft && FDragged) {
    FDragged = nullptr;
    OnMoved(this);
  }
}

void TSplitter::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(GetColor());
  c->FillRect(Rect(0, 0, Width(), Height()));
  if (FBeveled) Frame(c, Rect(0, 0, Width(), Height()), clBtnHighlight, clBtnShadow);
}

void RegisterExtCtrlsClasses() {
  RegisterClasses({TPanel::StaticClass(), TBevel::StaticClass(), TImage::StaticClass(), TTimer::StaticClass(),
                   TSplitter::StaticClass(), TPicture::StaticClass()});
}

}  // namespace xel
