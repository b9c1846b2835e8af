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

std::uint32_t Read32(const String& d, size_t at) {
  return static_cast<Byte>(d[at]) | static_cast<Byte>(d[at + 1]) << 8 | static_cast<Byte>(d[at + 2]) << 16 |
         static_cast<std::uint32_t>(static_cast<Byte>(d[at + 3])) << 24;
}

void Put32(String& d, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) d[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Glyph number index of a picture that holds count glyphs side by side, as a bitmap of its
// own; empty when the picture is not an uncompressed 24- or 32-bit bitmap.
String GlyphPart(const String& data, Integer index, Integer count) {
  if (data.size() < 54) return {};
  const std::uint32_t offset = Read32(data, 10);
  const auto width = static_cast<std::int32_t>(Read32(data, 18));
  const auto height = static_cast<std::int32_t>(Read32(data, 22));
  const unsigned bpp = static_cast<Byte>(data[28]) | static_cast<Byte>(data[29]) << 8;
  const std::uint32_t compression = Read32(data, 30);
  if ((bpp != 24 && bpp != 32) || (compression != 0 && compression != 3) || width <= 0 || offset > data.size())
    return {};
  const size_t bytes = bpp / 8;
  const size_t rows = static_cast<size_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
  const size_t stride = (static_cast<size_t>(width) * bytes + 3) & ~size_t(3);
  if (offset + stride * rows > data.size()) return {};
  const size_t partWidth = static_cast<size_t>(width / count);
  const size_t partStride = (partWidth * bytes + 3) & ~size_t(3);
  String part = data.substr(0, offset);
  part.resize(offset + partStride * rows, '\0');
  for (size_t y = 0; y < rows; ++y)
    part.replace(offset + y * partStride, partWidth * bytes,
                 data.substr(offset + y * stride + static_cast<size_t>(index) * partWidth * bytes, partWidth * bytes));
  Put32(part, 2, static_cast<std::uint32_t>(part.size()));
  Put32(part, 18, static_cast<std::uint32_t>(partWidth));
  Put32(part, 34, static_cast<std::uint32_t>(partStride * rows));
  return part;
}
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
    // Of several glyphs side by side the first is the normal look, the second the disabled.
    TBitmap part;
    if (FNumGlyphs > 1) part.LoadFromBytes(GlyphPart(FGlyph->Data(), GetEnabled() ? 0 : 1, FNumGlyphs));
    c->Draw(x, (Height() - FGlyph->Height()) / 2, part.Empty() ? FGlyph.get() : &part);
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
