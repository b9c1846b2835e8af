#include "Graphics.h"

#include "WidgetSet.h"

#include <cstring>

namespace xel {

namespace {

// The classic desktop scheme, indexed like the system colours.
constexpr Integer kSystemRGB[] = {
    0xC8C8C8, 0x984E00, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4, 0x808080, 0x808080,
    0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000, 0xE1FFFF};

const std::vector<std::pair<Int64, String>>& ColorNames() {
  static const std::vector<std::pair<Int64, String>> names = {
      {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
      {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
      {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
      {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
      {clNone, "clNone"}, {clDefault, "clDefault"},
      {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"}, {clActiveCaption, "clActiveCaption"},
      {clInactiveCaption, "clInactiveCaption"}, {clMenu, "clMenu"}, {clWindow, "clWindow"},
      {clWindowFrame, "clWindowFrame"}, {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
      {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"},
      {clInactiveBorder, "clInactiveBorder"}, {clAppWorkSpace, "clAppWorkSpace"},
      {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"},
      {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
      {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
      {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
      {clInfoBk, "clInfoBk"}};
  return names;
}

std::uint32_t ReadLE32(const String& s, size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}

void PutLE32(String& s, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

// Picture bytes in a stream: a 32-bit length, then the bytes.
String ReadSized(TStream* s) {
  std::uint32_t size = 0;
  s->ReadBuffer(&size, 4);
  if (size > s->Remaining()) throw EReadError("Bitmap image is not valid");
  String bytes(size, '\0');
  s->ReadBuffer(bytes.data(), size);
  return bytes;
}

void WriteSized(TStream* s, const String& bytes) {
  auto size = static_cast<std::uint32_t>(bytes.size());
  s->WriteBuffer(&size, 4);
  s->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

}  // namespace

Integer ColorToRGB(TColor color) {
  Integer c = color;
  if (c < 0) {
    unsigned index = static_cast<unsigned>(c) & 0xFF;
    return index < std::size(kSystemRGB) ? kSystemRGB[index] : 0;
  }
  return c & 0xFFFFFF;
}

String ColorToString(TColor color) {
  String ident;
  if (IntToIdent(TypeInfo<TColor>(), color, ident)) return ident;
  return "$" + IntToHex(static_cast<std::uint32_t>(color), 8);
}

TColor StringToColor(const String& s) {
  Int64 v;
  if (IdentToInt(TypeInfo<TColor>(), s, v)) return TColor(static_cast<Integer>(v));
  Integer i;
  if (TryStrToInt(s, i)) return TColor(i);
  throw EConvertError(Format("'%s' is not a valid integer value", {s}));
}

// ---------------------------------------------------------------- tools

void TFont::Assign(TPersistent* source) {
  if (auto* f = dynamic_cast<TFont*>(source)) {
    if (Equals(*f)) return;
    FName = f->FName;
    FHeight = f->FHeight;
    FStyle = f->FStyle;
    FColor = f->FColor;
    FCharset = f->FCharset;
    FPitch = f->FPitch;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

bool TFont::Equals(const TFont& o) const {
  return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor &&
         FCharset == o.FCharset && FPitch == o.FPitch;
}

void TFont::SetName(const String& v) {
  if (SetIfChanged(FName, v)) Changed();
}
void TFont::SetHeight(Integer v) {
  if (SetIfChanged(FHeight, v)) Changed();
}
void TFont::SetStyle(TFontStyles v) {
  if (SetIfChanged(FStyle, v)) Changed();
}
void TFont::SetColor(TColor v) {
  if (SetIfChanged(FColor, v)) Changed();
}
void TFont::SetCharset(TFontCharset v) {
  if (SetIfChanged(FCharset, v)) Changed();
}
void TFont::SetPitch(TFontPitch v) {
  if (SetIfChanged(FPitch, v)) Changed();
}

// The host's MulDiv rounding: Size 8 at 96 dpi is Height -11.
Integer TFont::GetSize() const {
  Int64 h = FHeight < 0 ? -FHeight : FHeight;
  Integer size = static_cast<Integer>((h * 72 + PixelsPerInch / 2) / PixelsPerInch);
  return FHeight < 0 ? size : -size;
}

void TFont::SetSize(Integer v) {
  Int64 a = v < 0 ? -static_cast<Int64>(v) : v;
  Integer h = static_cast<Integer>((a * PixelsPerInch + 36) / 72);
  SetHeight(v < 0 ? h : -h);
}

void TBrush::Assign(TPersistent* source) {
  if (auto* b = dynamic_cast<TBrush*>(source)) {
    FColor = b->FColor;
    FStyle = b->FStyle;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}
void TBrush::SetColor(TColor v) {
  if (FColor == v) return;
  FColor = v;
  if (FStyle == bsClear) FStyle = bsSolid;  // a colour is meant to be seen
  Changed();
}
void TBrush::SetStyle(TBrushStyle v) {
  if (FStyle == v) return;
  FStyle = v;
  Changed();
}

void TPen::Assign(TPersistent* source) {
  if (auto* p = dynamic_cast<TPen*>(source)) {
    FColor = p->FColor;
    FStyle = p->FStyle;
    FWidth = p->FWidth;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}
void TPen::SetColor(TColor v) {
  if (FColor == v) return;
  FColor = v;
  Changed();
}
void TPen::SetStyle(TPenStyle v) {
  if (FStyle == v) return;
  FStyle = v;
  Changed();
}
void TPen::SetWidth(Integer v) {
  if (v < 0) v = 0;
  if (FWidth == v) return;
  FWidth = v;
  Changed();
}

// ---------------------------------------------------------------- canvas

TPoint DefaultTextExtent(const TFont& font, const String& text) {
  Integer h = font.GetHeight() < 0 ? -font.GetHeight() : font.GetHeight();
  if (h == 0) h = 11;
  Integer chars = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++chars;
  return {chars * ((h + 1) / 2), h + 2};
}

TCanvas::TCanvas() : FFont(std::make_unique<TFont>()), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>()) {}
TCanvas::~TCanvas() = default;

TPoint TCanvas::TextExtent(const String& text) const {
  return FBackend ? FBackend->TextExtent(*FFont, text) : ScreenTextExtent(*FFont, text);
}

TPoint ScreenTextExtent(const TFont& font, const String& text) {
  TWidgetSet* ws = WidgetSet();
  return ws ? ws->TextExtent(font, text) : DefaultTextExtent(font, text);
}

void TCanvas::TextOut(Integer x, Integer y, const String& text) {
  if (FBackend) FBackend->TextOut(*this, x, y, text);
  FPenPos = {x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& r, Integer x, Integer y, const String& text) {
  if (FBackend) FBackend->TextRect(*this, r, x, y, text);
}

void TCanvas::FillRect(const TRect& r) {
  if (FBackend) FBackend->FillRect(*this, r);
}

void TCanvas::Rectangle(Integer x1, Integer y1, Integer x2, Integer y2) {
  if (FBackend) FBackend->Rectangle(*this, Rect(x1, y1, x2, y2));
}

void TCanvas::LineTo(Integer x, Integer y) {
  if (FBackend) FBackend->Line(*this, FPenPos, {x, y});
  FPenPos = {x, y};
}

void TCanvas::Draw(Integer x, Integer y, TGraphic* graphic) {
  if (FBackend && graphic && !graphic->Empty()) FBackend->Draw(*this, x, y, *graphic);
}

// ---------------------------------------------------------------- graphics

void TGraphic::LoadFromBytes(const String& bytes) {
  String old = std::move(FData);
  FData = bytes;
  try {
    ParseHeader();
  } catch (...) {
    FData = std::move(old);  // a broken picture leaves the one before in place
    throw;
  }
  OnChange(this);
}

void TGraphic::LoadFromStream(TStream* stream) {
  String bytes(static_cast<size_t>(stream->Remaining()), '\0');
  stream->ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  LoadFromBytes(bytes);
}

void TGraphic::SaveToStream(TStream* stream) const { stream->WriteBuffer(FData.data(), static_cast<Int64>(FData.size())); }

void TGraphic::LoadFromFile(const String& fileName) { LoadFromBytes(ReadTextFile(fileName, true)); }

void TGraphic::SaveToFile(const String& fileName) const { WriteFileAtomically(fileName, FData); }

void TGraphic::Assign(TPersistent* source) {
  if (auto* g = dynamic_cast<TGraphic*>(source); g && g->ClassType() == ClassType()) {
    FData = g->FData;
    FWidth = g->FWidth;
    FHeight = g->FHeight;
    OnChange(this);
    return;
  }
  if (!source) {
    FData.clear();
    FWidth = FHeight = 0;
    OnChange(this);
    return;
  }
  TPersistent::Assign(source);
}

// "Data": the picture's bytes behind their 32-bit length, as bitmaps store them.
void TGraphic::DefineProperties(TFiler* filer) {
  filer->DefineBinaryProperty(
      "Data",
      [this](TStream* s) { LoadFromBytes(ReadSized(s)); }, [this](TStream* s) { WriteSized(s, FData); },
      !FData.empty());
}

void TBitmap::ParseHeader() {
  if (FData.empty()) {
    FWidth = FHeight = 0;
    return;
  }
  if (FData.size() < 26 || FData[0] != 'B' || FData[1] != 'M') throw EInvalidGraphic("Bitmap image is not valid");
  FWidth = static_cast<Integer>(ReadLE32(FData, 18));
  Integer h = static_cast<Integer>(ReadLE32(FData, 22));
  FHeight = h < 0 ? -h : h;
  if (FWidth < 0 || FWidth > 65535 || FHeight > 65535) throw EInvalidGraphic("Bitmap image is not valid");
}

void TBitmap::SetSolid(Integer width, Integer height, TColor color) {
  if (width < 0 || height < 0 || width > 4096 || height > 4096) throw EInvalidGraphic("Bitmap image is not valid");
  const size_t pixels = static_cast<size_t>(width) * height;
  String d(54 + pixels * 4, '\0');
  d[0] = 'B';
  d[1] = 'M';
  PutLE32(d, 2, static_cast<std::uint32_t>(d.size()));
  PutLE32(d, 10, 54);
  PutLE32(d, 14, 40);
  PutLE32(d, 18, static_cast<std::uint32_t>(width));
  PutLE32(d, 22, static_cast<std::uint32_t>(height));
  d[26] = 1;
  d[28] = 32;
  Integer rgb = ColorToRGB(color);
  for (size_t i = 0; i < pixels; ++i) {
    d[54 + i * 4] = static_cast<char>(GetBValue(rgb));
    d[55 + i * 4] = static_cast<char>(GetGValue(rgb));
    d[56 + i * 4] = static_cast<char>(GetRValue(rgb));
    d[57 + i * 4] = static_cast<char>(0xFF);
  }
  LoadFromBytes(d);
}

TColor TBitmap::Pixel(Integer x, Integer y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight || FData.size() < 54) return clNone;
  unsigned bpp = static_cast<unsigned char>(FData[28]) | (static_cast<unsigned char>(FData[29]) << 8);
  std::uint32_t offset = ReadLE32(FData, 10);
  if ((bpp != 24 && bpp != 32) || ReadLE32(FData, 30) != 0) return clNone;
  size_t row = ((static_cast<size_t>(FWidth) * bpp / 8) + 3) & ~size_t(3);
  bool bottomUp = static_cast<Integer>(ReadLE32(FData, 22)) > 0;
  size_t line = bottomUp ? static_cast<size_t>(FHeight - 1 - y) : static_cast<size_t>(y);
  size_t at = offset + line * row + static_cast<size_t>(x) * (bpp / 8);
  if (at + 3 > FData.size()) return clNone;
  return RGB(static_cast<Byte>(FData[at + 2]), static_cast<Byte>(FData[at + 1]), static_cast<Byte>(FData[at]));
}

// An icon file: reserved 0, type 1, count, then entries whose first two bytes are the
// size (0 meaning 256).
void TIcon::ParseHeader() {
  if (FData.empty()) {
    FWidth = FHeight = 0;
    return;
  }
  if (FData.size() < 22 || FData[0] != 0 || FData[1] != 0 || FData[2] != 1 || FData[3] != 0 ||
      (FData[4] == 0 && FData[5] == 0))
    throw EInvalidGraphic("Icon image is not valid");
  auto dim = [](char c) { return c == 0 ? 256 : static_cast<Integer>(static_cast<unsigned char>(c)); };
  FWidth = dim(FData[6]);
  FHeight = dim(FData[7]);
}

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
  FGraphic = std::move(graphic);
  if (FGraphic) FGraphic->OnChange = MakeMethod<&TPicture::GraphicChanged>(this);
  OnChange(this);
}

void TPicture::SetGraphic(TGraphic* graphic) {
  if (!graphic) {
    Take(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy(static_cast<TGraphic*>(graphic->ClassType()->Create(nullptr)));
  copy->Assign(graphic);
  Take(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) Take(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon() {
  if (!dynamic_cast<TIcon*>(FGraphic.get())) Take(std::make_unique<TIcon>());
  return static_cast<TIcon*>(FGraphic.get());
}

// By extension, as the host's registered file formats.
void TPicture::LoadFromFile(const String& fileName) {
  String ext = LowerCase(ExtractFileExt(fileName));
  std::unique_ptr<TGraphic> g;
  if (ext == ".bmp") g = std::make_unique<TBitmap>();
  else if (ext == ".ico") g = std::make_unique<TIcon>();
  else throw EInvalidGraphic(Format("Unknown picture file extension (%s)", {ext}));
  g->LoadFromFile(fileName);
  Take(std::move(g));
}

void TPicture::Assign(TPersistent* source) {
  if (!source) {
    SetGraphic(nullptr);
    return;
  }
  if (auto* p = dynamic_cast<TPicture*>(source)) {
    SetGraphic(p->FGraphic.get());
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(source)) {
    SetGraphic(g);
    return;
  }
  TPersistent::Assign(source);
}

// "Data": the graphic's class name as a short string, then what the graphic stores.
void TPicture::DefineProperties(TFiler* filer) {
  filer->DefineBinaryProperty(
      "Data",
      [this](TStream* s) {
        Byte len = 0;
        s->ReadBuffer(&len, 1);
        String cls(len, '\0');
        s->ReadBuffer(cls.data(), len);
        TClass c = GetClass(cls);
        if (!c || !c->InheritsFrom(TGraphic::StaticClass()) || !c->CanCreate())
          throw EInvalidGraphic(Format("Unknown picture format %s", {cls}));
        std::unique_ptr<TGraphic> g(static_cast<TGraphic*>(c->Create(nullptr)));
        g->LoadFromBytes(ReadSized(s));
        Take(std::move(g));
      },
      [this](TStream* s) {
        const String& cls = FGraphic->ClassName();
        auto len = static_cast<Byte>(cls.size());
        s->WriteBuffer(&len, 1);
        s->WriteBuffer(cls.data(), len);
        WriteSized(s, FGraphic->Data());
      },
      FGraphic && !FGraphic->Empty());
}

void RegisterGraphicsClasses() {
  RegisterIntegerConsts(TypeInfo<TColor>(), ColorNames());
  RegisterIntegerConsts(TypeInfo<TFontCharset>(),
                        {{ANSI_CHARSET, "ANSI_CHARSET"}, {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
                         {SYMBOL_CHARSET, "SYMBOL_CHARSET"}, {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
                         {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"}, {GREEK_CHARSET, "GREEK_CHARSET"},
                         {TURKISH_CHARSET, "TURKISH_CHARSET"}, {OEM_CHARSET, "OEM_CHARSET"}});
  RegisterClasses({TFont::StaticClass(), TBrush::StaticClass(), TPen::StaticClass(), TBitmap::StaticClass(),
                   TIcon::StaticClass()});
}

}  // namespace xel
