// Colours, fonts, brushes, pens and the canvas that owner-drawn controls paint on.
#pragma once

#include <memory>
#include <vector>

#include "Classes.h"
#include "Format.h"

namespace xel {

XEL_EXCEPTION(EInvalidGraphic, Exception);

XEL_INTEGER_TYPE(TColor)

// Colours are $00BBGGRR; the system colours carry the high bit and an index.
inline constexpr TColor clBlack = TColor(0x000000), clMaroon = TColor(0x000080), clGreen = TColor(0x008000),
                        clOlive = TColor(0x008080), clNavy = TColor(0x800000), clPurple = TColor(0x800080),
                        clTeal = TColor(0x808000), clGray = TColor(0x808080), clSilver = TColor(0xC0C0C0),
                        clRed = TColor(0x0000FF), clLime = TColor(0x00FF00), clYellow = TColor(0x00FFFF),
                        clBlue = TColor(0xFF0000), clFuchsia = TColor(0xFF00FF), clAqua = TColor(0xFFFF00),
                        clWhite = TColor(0xFFFFFF), clNone = TColor(0x1FFFFFFF), clDefault = TColor(0x20000000);
constexpr TColor SystemColor(int index) { return TColor(static_cast<Integer>(0x80000000u | static_cast<unsigned>(index))); }
inline constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1),
                        clActiveCaption = SystemColor(2), clInactiveCaption = SystemColor(3), clMenu = SystemColor(4),
                        clWindow = SystemColor(5), clWindowFrame = SystemColor(6), clMenuText = SystemColor(7),
                        clWindowText = SystemColor(8), clCaptionText = SystemColor(9),
                        clActiveBorder = SystemColor(10), clInactiveBorder = SystemColor(11),
                        clAppWorkSpace = SystemColor(12), clHighlight = SystemColor(13),
                        clHighlightText = SystemColor(14), clBtnFace = SystemColor(15), clBtnShadow = SystemColor(16),
                        clGrayText = SystemColor(17), clBtnText = SystemColor(18),
                        clInactiveCaptionText = SystemColor(19), clBtnHighlight = SystemColor(20),
                        cl3DDkShadow = SystemColor(21), cl3DLight = SystemColor(22), clInfoText = SystemColor(23),
                        clInfoBk = SystemColor(24);

constexpr TColor RGB(Byte r, Byte g, Byte b) { return TColor(r | (g << 8) | (b << 16)); }
constexpr Byte GetRValue(Integer c) { return static_cast<Byte>(c); }
constexpr Byte GetGValue(Integer c) { return static_cast<Byte>(c >> 8); }
constexpr Byte GetBValue(Integer c) { return static_cast<Byte>(c >> 16); }
// The RGB value of a colour; system colours resolve through the classic desktop scheme.
Integer ColorToRGB(TColor color);
// "clBtnFace" for named colours, "$00BBGGRR" otherwise; StringToColor reads both and decimal.
String ColorToString(TColor color);
TColor StringToColor(const String& s);

XEL_INTEGER_TYPE(TFontCharset)
inline constexpr TFontCharset ANSI_CHARSET = TFontCharset(0), DEFAULT_CHARSET = TFontCharset(1),
                              SYMBOL_CHARSET = TFontCharset(2), EASTEUROPE_CHARSET = TFontCharset(238),
                              RUSSIAN_CHARSET = TFontCharset(204), GREEK_CHARSET = TFontCharset(161),
                              TURKISH_CHARSET = TFontCharset(162), OEM_CHARSET = TFontCharset(255);

XEL_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
XEL_SET(TFontStyles, TFontStyle)
XEL_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed)
XEL_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross)
XEL_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)

// Base of the drawing tools: tells its owner through OnChange.
class TGraphicsObject : public TPersistent {
  XEL_CLASS(TGraphicsObject, TPersistent)
public:
  TNotifyEvent OnChange;

protected:
  void Changed() {
    if (FUpdating == 0) OnChange(this);
  }
  int FUpdating = 0;
};

class TFont : public TGraphicsObject {
  XEL_CLASS(TFont, TGraphicsObject)
public:
  static constexpr Integer PixelsPerInch = 96;
  TFont() = default;

  void Assign(TPersistent* source) override;
  const String& GetName() const { return FName; }
  void SetName(const String& v);
  // Size in points; Height in pixels, negative for the character height without leading.
  Integer GetSize() const;
  void SetSize(Integer v);
  Integer GetHeight() const { return FHeight; }
  void SetHeight(Integer v);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles v);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor v);
  TFontCharset GetCharset() const { return FCharset; }
  void SetCharset(TFontCharset v);
  TFontPitch GetPitch() const { return FPitch; }
  void SetPitch(TFontPitch v);
  bool Equals(const TFont& other) const;

  static auto Published() {
    return PropTable<TFont>(Prop("Charset", &TFont::GetCharset, &TFont::SetCharset).Default(DEFAULT_CHARSET),
                            Prop("Color", &TFont::GetColor, &TFont::SetColor).Default(clWindowText),
                            Prop("Height", &TFont::GetHeight, &TFont::SetHeight),
                            Prop("Name", &TFont::GetName, &TFont::SetName),
                            Prop("Pitch", &TFont::GetPitch, &TFont::SetPitch).Default(fpDefault),
                            Prop("Size", &TFont::GetSize, &TFont::SetSize).Stored(false),
                            Prop("Style", &TFont::GetStyle, &TFont::SetStyle).Default(TFontStyles{}));
  }

private:
  String FName = "MS Sans Serif";
  Integer FHeight = -11;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
};

class TBrush : public TGraphicsObject {
  XEL_CLASS(TBrush, TGraphicsObject)
public:
  void Assign(TPersistent* source) override;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor v);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle v);

  static auto Published() {
    return PropTable<TBrush>(Prop("Color", &TBrush::GetColor, &TBrush::SetColor).Default(clWhite),
                             Prop("Style", &TBrush::GetStyle, &TBrush::SetStyle).Default(bsSolid));
  }

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

class TPen : public TGraphicsObject {
  XEL_CLASS(TPen, TGraphicsObject)
public:
  void Assign(TPersistent* source) override;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor v);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle v);
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer v);

  static auto Published() {
    return PropTable<TPen>(Prop("Color", &TPen::GetColor, &TPen::SetColor).Default(clBlack),
                           Prop("Style", &TPen::GetStyle, &TPen::SetStyle).Default(psSolid),
                           Prop("Width", &TPen::GetWidth, &TPen::SetWidth).Default(1));
  }

private:
  TColor FColor = clBlack;
  TPenStyle FStyle = psSolid;
  Integer FWidth = 1;
};

class TCanvas;
class TGraphic;

// What a widget set paints with; the canvas hands it the current tools on every call.
class TCanvasBackend {
public:
  virtual ~TCanvasBackend() = default;
  // Where (0, 0) of the calls that follow lies; graphic controls paint in their own coordinates.
  virtual void SetOrigin(Integer x, Integer y) = 0;
  virtual TPoint TextExtent(const TFont& font, const String& text) = 0;
  virtual void TextOut(const TCanvas& canvas, Integer x, Integer y, const String& text) = 0;
  virtual void TextRect(const TCanvas& canvas, const TRect& r, Integer x, Integer y, const String& text) = 0;
  virtual void FillRect(const TCanvas& canvas, const TRect& r) = 0;
  virtual void Rectangle(const TCanvas& canvas, const TRect& r) = 0;
  virtual void Line(const TCanvas& canvas, TPoint from, TPoint to) = 0;
  virtual void Draw(const TCanvas& canvas, Integer x, Integer y, const TGraphic& graphic) = 0;
};

// The host's canvas: tools, pen position, and the drawing calls. Without a backend (no
// widget set, or a control without a window) drawing does nothing and text is measured
// by the deterministic metrics below.
class TCanvas : public TPersistent {
  XEL_CLASS(TCanvas, TPersistent)
public:
  TCanvas();
  ~TCanvas() override;

  TFont* Font() const { return FFont.get(); }
  TBrush* Brush() const { return FBrush.get(); }
  TPen* Pen() const { return FPen.get(); }
  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint p) { FPenPos = p; }
  TCanvasBackend* Backend() const { return FBackend; }
  void SetBackend(TCanvasBackend* backend) { FBackend = backend; }

  TPoint TextExtent(const String& text) const;
  Integer TextWidth(const String& text) const { return TextExtent(text).X; }
  Integer TextHeight(const String& text) const { return TextExtent(text).Y; }
  void TextOut(Integer x, Integer y, const String& text);
  void TextRect(const TRect& r, Integer x, Integer y, const String& text);
  void FillRect(const TRect& r);
  void Rectangle(Integer x1, Integer y1, Integer x2, Integer y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void MoveTo(Integer x, Integer y) { FPenPos = {x, y}; }
  void LineTo(Integer x, Integer y);
  void Draw(Integer x, Integer y, TGraphic* graphic);

private:
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TPen> FPen;
  TPoint FPenPos;
  TCanvasBackend* FBackend = nullptr;
};

// A control paints on its own canvas through the backend of the canvas it was handed,
// with its font, for the length of a scope.
class TCanvasScope {
public:
  TCanvasScope(TCanvas* own, const TCanvas* target, const TFont* font) : FOwn(own) {
    own->SetBackend(target->Backend());
    if (font) own->Font()->Assign(const_cast<TFont*>(font));
  }
  ~TCanvasScope() { FOwn->SetBackend(nullptr); }
  TCanvasScope(const TCanvasScope&) = delete;
  TCanvasScope& operator=(const TCanvasScope&) = delete;

private:
  TCanvas* FOwn;
};

// Text metrics that do not depend on installed fonts: every character (code point) is
// half the font's pixel height wide, rounded up, and a line is the height plus 2.
TPoint DefaultTextExtent(const TFont& font, const String& text);
// The metrics of the installed widget set (the ones above without one).
TPoint ScreenTextExtent(const TFont& font, const String& text);

// Pictures as far as glyphs and icons need them: a size and the stored bytes.
class TGraphic : public TPersistent {
  XEL_CLASS(TGraphic, TPersistent)
public:
  virtual Integer Width() const { return FWidth; }
  virtual Integer Height() const { return FHeight; }
  bool Empty() const { return FData.empty(); }
  // The picture file's bytes (a BMP or ICO image); the size is read from its header.
  const String& Data() const { return FData; }
  virtual void LoadFromBytes(const String& bytes);
  void LoadFromStream(TStream* stream);
  void SaveToStream(TStream* stream) const;
  void LoadFromFile(const String& fileName);
  void SaveToFile(const String& fileName) const;
  void Assign(TPersistent* source) override;
  void DefineProperties(TFiler* filer) override;
  TNotifyEvent OnChange;

protected:
  virtual void ParseHeader() = 0;
  String FData;
  Integer FWidth = 0;
  Integer FHeight = 0;
};

class TBitmap : public TGraphic {
  XEL_CLASS(TBitmap, TGraphic)
public:
  // An uncompressed 32-bit image of that size in one colour, for glyphs made in code.
  void SetSolid(Integer width, Integer height, TColor color);
  // The colour at a pixel (clNone outside the image or for formats not read here).
  TColor Pixel(Integer x, Integer y) const;

protected:
  void ParseHeader() override;
};

class TIcon : public TGraphic {
  XEL_CLASS(TIcon, TGraphic)
protected:
  void ParseHeader() override;
};

// A picture of any graphic class; stores the class name before the graphic's data.
class TPicture : public TPersistent {
  XEL_CLASS(TPicture, TPersistent)
public:
  TPicture() = default;
  TGraphic* Graphic() const { return FGraphic.get(); }
  void SetGraphic(TGraphic* graphic);
  // The graphic as a bitmap (made when there is none, replacing an icon).
  TBitmap* Bitmap();
  TIcon* Icon();
  Integer Width() const { return FGraphic ? FGraphic->Width() : 0; }
  Integer Height() const { return FGraphic ? FGraphic->Height() : 0; }
  void LoadFromFile(const String& fileName);
  void Assign(TPersistent* source) override;
  void DefineProperties(TFiler* filer) override;
  TNotifyEvent OnChange;

private:
  void GraphicChanged(TObject*) { OnChange(this); }
  void Take(std::unique_ptr<TGraphic> graphic);
  std::unique_ptr<TGraphic> FGraphic;
};

void RegisterGraphicsClasses();

}  // namespace xel
