// Painting through Qt: the canvas backend over a QPainter, and the host's fonts and
// colours as Qt's.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>

#include "Graphics.h"

namespace xel {

class TWinControl;

QColor QtColor(TColor color);
QFont QtFont(const TFont& font);
QString QtString(const String& s);
// The host's text cell in a Qt font: the host's metrics count room for accents above the
// capitals into the cell (its internal leading), Qt's ascent does not.
struct TQtTextCell {
  int Baseline;  // from the top of the cell
  int Height;
};
TQtTextCell QtTextCell(const QFont& font);
// The host's extent of a text: its advance and the cell's height.
TPoint QtTextExtent(const TFont& font, const String& text);
String HostString(const QString& s);

class TQtCanvas : public TCanvasBackend {
public:
  explicit TQtCanvas(QPainter* painter) : FPainter(painter) {}
  void SetOrigin(Integer x, Integer y) override;
  TPoint TextExtent(const TFont& font, const String& text) override;
  void TextOut(const TCanvas& canvas, Integer x, Integer y, const String& text) override;
  void TextRect(const TCanvas& canvas, const TRect& r, Integer x, Integer y, const String& text) override;
  void FillRect(const TCanvas& canvas, const TRect& r) override;
  void Rectangle(const TCanvas& canvas, const TRect& r) override;
  void Line(const TCanvas& canvas, TPoint from, TPoint to) override;
  void Draw(const TCanvas& canvas, Integer x, Integer y, const TGraphic& graphic) override;

private:
  void UseFont(const TCanvas& canvas);
  QPainter* FPainter;
  QPoint FOrigin;
};

// Paints a control (its own drawing and its graphic children) on a painter.
void PaintControl(TWinControl* control, QPainter* painter, bool whole);

}  // namespace xel
