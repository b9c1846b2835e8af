#include "XelInfo.h"

#include "Application.h"
#include "Dialogs.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/XelInfo.cpp 1 11.12.26 4:50 XG $")

namespace xel {

String TXelProduct::Title() const {
  if (ProductName.empty() || CaptionVersion.empty()) return ProductName + CaptionVersion;
  return ProductName + " " + CaptionVersion;
}

String TXelProduct::Notice() const {
  const String title = Title();
  if (title.empty() || Copyright.empty()) return title + Copyright;
  return title + ", " + Copyright;
}

void TXelInfo::Execute() { Application->MessageBox(FProduct.Notice(), "Information", MB_OK); }

TXelInfoPanel::TXelInfoPanel(TComponent* owner) : TCustomPanel(owner) {
  FControlStyle.Exclude(csSetCaption);
  SetBounds(Left(), Top(), 240, 64);
}

void TXelInfoPanel::SetProductName(const String& v) {
  FProduct.ProductName = v;
  Invalidate();
}

void TXelInfoPanel::SetCaptionVersion(const String& v) {
  FProduct.CaptionVersion = v;
  Invalidate();
}

void TXelInfoPanel::SetCopyright(const String& v) {
  FProduct.Copyright = v;
  Invalidate();
}

void TXelInfoPanel::Paint() {
  TCustomPanel::Paint();
  TCanvas* c = Canvas();
  const TRect r = GetClientRect();
  c->Brush()->SetStyle(bsClear);
  const String title = FProduct.Title();
  const TFontStyles plain = c->Font()->GetStyle();
  c->Font()->SetStyle(plain + fsBold);
  const TPoint titleExt = c->TextExtent(title);
  c->Font()->SetStyle(plain);
  const TPoint lineExt = c->TextExtent(FProduct.Copyright);
  const Integer gap = FProduct.Copyright.empty() ? 0 : titleExt.Y / 3;
  Integer y = r.Top + (r.Bottom - r.Top - titleExt.Y - gap - (FProduct.Copyright.empty() ? 0 : lineExt.Y)) / 2;
  c->Font()->SetStyle(plain + fsBold);
  c->TextRect(r, r.Left + (r.Right - r.Left - titleExt.X) / 2, y, title);
  c->Font()->SetStyle(plain);
  if (!FProduct.Copyright.empty())
    c->TextRect(r, r.Left + (r.Right - r.Left - lineExt.X) / 2, y + titleExt.Y + gap, FProduct.Copyright);
}

void RegisterXelInfoClasses() { RegisterClasses({TXelInfo::StaticClass(), TXelInfoPanel::StaticClass()}); }

}  // namespace xel
