#include "LabelEx.h"

#include <algorithm>

#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/LabelEx.cpp 1 11.12.26 4:45 XG $")

namespace xel {

void TLabelEx::SetStyle(TLabelStyle v) {
  FStyle = v;
  Invalidate();
}

void TLabelEx::SetHighlightColor(TColor v) {
  FHighlightColor = v;
  Invalidate();
}

void TLabelEx::SetShadowColor(TColor v) {
  FShadowColor = v;
  Invalidate();
}

void TLabelEx::SetShadowOffset(Integer v) {
  FShadowOffset = std::clamp<Integer>(v, 1, 10);
  Invalidate();
}

// The relief lies behind the text: first the layers, then the text in the font's colour.
void TLabelEx::Paint() {
  if (FStyle == lsNormal) return TCustomLabel::Paint();
  TCanvas* c = Canvas();
  const TRect r = Rect(0, 0, Width(), Height());
  if (!GetTransparent()) {
    c->Brush()->SetColor(GetColor());
    c->FillRect(r);
  }
  c->Brush()->SetStyle(bsClear);
  const String text = DisplayText();
  const TPoint ext = c->TextExtent(text);
  const Integer x = GetAlignment() == taLeftJustify    ? 0
                    : GetAlignment() == taRightJustify ? Width() - ext.X
                                                       : (Width() - ext.X) / 2;
  const Integer y = GetLayout() == tlTop ? 0 : GetLayout() == tlBottom ? Height() - ext.Y : (Height() - ext.Y) / 2;
  const TColor textColor = IsEnabled() ? c->Font()->GetColor() : clGrayText;
  auto layer = [&](TColor color, Integer dx, Integer dy) {
    c->Font()->SetColor(color);
    c->TextRect(r, x + dx, y + dy, text);
  };
  switch (FStyle) {
    case lsRaised:
      layer(FHighlightColor, -1, -1);
      layer(FShadowColor, 1, 1);
      break;
    case lsLowered:
      layer(FShadowColor, -1, -1);
      layer(FHighlightColor, 1, 1);
      break;
    case lsShadow:
      layer(FShadowColor, FShadowOffset, FShadowOffset);
      break;
    case lsNormal:
      break;
  }
  layer(textColor, 0, 0);
}

void RegisterLabelExClasses() { RegisterClasses({TLabelEx::StaticClass()}); }

}  // namespace xel
