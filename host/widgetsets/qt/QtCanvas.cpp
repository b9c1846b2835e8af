#include "QtCanvas.h"

#include <QFontMetrics>
#include <algorithm>
#include <QImage>

#include "Controls.h"

namespace xel {

QColor QtColor(TColor color) {
  Integer rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// The host's height is in pixels (negative: without the internal leading); the classic
// dialog font is not on this system and falls back to the default sans serif.
QFont QtFont(const TFont& font) {
  QFont f(font.GetName() == "MS Sans Serif" || font.GetName().empty() ? QString("Sans Serif") : QtString(font.GetName()));
  Integer h = font.GetHeight();
  f.setPixelSize(std::max<Integer>(1, h < 0 ? -h : h * 4 / 5));
  TFontStyles style = font.GetStyle();
  f.setBold(style.Contains(fsBold));
  f.setItalic(style.Contains(fsItalic));
  f.setUnderline(style.Contains(fsUnderline));
  f.setStrikeOut(style.Contains(fsStrikeOut));
  return f;
}

QString QtString(const String& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

String HostString(const QString& s) {
  QByteArray bytes = s.toUtf8();
  return String(bytes.constData(), static_cast<size_t>(bytes.size()));
}

TQtTextCell QtTextCell(const QFont& font) {
  QFontMetrics m(font);
  int accents = (std::max(font.pixelSize(), m.ascent()) + 4) / 5;
  return {m.ascent() + accents, m.height() + accents};
}

void TQtCanvas::SetOrigin(Integer x, Integer y) {
  FPainter->translate(QPoint(x, y) - FOrigin);
  FOrigin = QPoint(x, y);
}

TPoint QtTextExtent(const TFont& font, const String& text) {
  QFont f = QtFont(font);
  return {QFontMetrics(f).horizontalAdvance(QtString(text)), QtTextCell(f).Height};
}

TPoint TQtCanvas::TextExtent(const TFont& font, const String& text) { return QtTextExtent(font, text); }

void TQtCanvas::UseFont(const TCanvas& canvas) {
  FPainter->setFont(QtFont(*canvas.Font()));
  FPainter->setPen(QtColor(canvas.Font()->GetColor()));
}

void TQtCanvas::TextOut(const TCanvas& canvas, Integer x, Integer y, const String& text) {
  UseFont(canvas);
  QFontMetrics m(FPainter->font());
  TQtTextCell cell = QtTextCell(FPainter->font());
  if (canvas.Brush()->GetStyle() != bsClear)
    FPainter->fillRect(QRect(x, y, m.horizontalAdvance(QtString(text)), cell.Height), QtColor(canvas.Brush()->GetColor()));
  FPainter->drawText(QPoint(x, y + cell.Baseline), QtString(text));
}

void TQtCanvas::TextRect(const TCanvas& canvas, const TRect& r, Integer x, Integer y, const String& text) {
  FPainter->save();
  QRect rect(r.Left, r.Top, r.Width(), r.Height());
  FPainter->setClipRect(rect);
  if (canvas.Brush()->GetStyle() != bsClear) FPainter->fillRect(rect, QtColor(canvas.Brush()->GetColor()));
  UseFont(canvas);
  FPainter->drawText(QPoint(x, y + QtTextCell(FPainter->font()).Baseline), QtString(text));
  FPainter->restore();
}

void TQtCanvas::FillRect(const TCanvas& canvas, const TRect& r) {
  if (canvas.Brush()->GetStyle() == bsClear) return;
  FPainter->fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), QtColor(canvas.Brush()->GetColor()));
}

void TQtCanvas::Rectangle(const TCanvas& canvas, const TRect& r) {
  FillRect(canvas, r);
  if (canvas.Pen()->GetStyle() == psClear) return;
  FPainter->setPen(QPen(QtColor(canvas.Pen()->GetColor()), std::max<Integer>(1, canvas.Pen()->GetWidth())));
  FPainter->setBrush(Qt::NoBrush);
  FPainter->drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void TQtCanvas::Line(const TCanvas& canvas, TPoint from, TPoint to) {
  if (canvas.Pen()->GetStyle() == psClear) return;
  FPainter->setPen(QPen(QtColor(canvas.Pen()->GetColor()), std::max<Integer>(1, canvas.Pen()->GetWidth())));
  FPainter->drawLine(QPoint(from.X, from.Y), QPoint(to.X, to.Y));
}

void TQtCanvas::Draw(const TCanvas&, Integer x, Integer y, const TGraphic& graphic) {
  if (graphic.Empty()) return;
  QImage image = QImage::fromData(reinterpret_cast<const uchar*>(graphic.Data().data()),
                                  static_cast<int>(graphic.Data().size()));
  if (!image.isNull()) FPainter->drawImage(QPoint(x, y), image);
}

void PaintControl(TWinControl* control, QPainter* painter, bool whole) {
  TQtCanvas backend(painter);
  TCanvas canvas;
  canvas.SetBackend(&backend);
  canvas.Font()->Assign(control->GetFont());
  if (whole) control->PaintWindow(&canvas);
  else control->PaintControls(&canvas);
}

}  // namespace xel
