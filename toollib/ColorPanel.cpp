#include "ColorPanel.h"

#include <algorithm>

#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/ColorPanel.cpp 1 11.12.26 4:30 XG $")

namespace xel {

namespace {
constexpr Integer kCellCount = 16;
constexpr Integer kGap = 2;
}  // namespace

TColorPanel::TColorPanel(TComponent* owner) : TCustomControl(owner) {
  FColor = clBtnFace;
  SetTabStop(true);
  SetBounds(Left(), Top(), 8 * 20 + kGap, 2 * 20 + kGap);
}

const std::array<TColor, 16>& TColorPanel::PanelColors() {
  static const std::array<TColor, 16> colors{clBlack, clMaroon, clGreen, clOlive,  clNavy, clPurple, clTeal, clGray,
                                             clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
  return colors;
}

Integer TColorPanel::Rows() const { return (kCellCount + FColumns - 1) / FColumns; }

TRect TColorPanel::CellRect(Integer index) const {
  if (index < 0 || index >= kCellCount) return TRect{};
  const Integer w = std::max<Integer>(1, (Width() - kGap) / FColumns);
  const Integer h = std::max<Integer>(1, (Height() - kGap) / Rows());
  const Integer x = kGap + (index % FColumns) * w, y = kGap + (index / FColumns) * h;
  return Rect(x, y, x + w - kGap, y + h - kGap);
}

Integer TColorPanel::CellAt(Integer x, Integer y) const {
  for (Integer i = 0; i < kCellCount; ++i) {
    const TRect r = CellRect(i);
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return i;
  }
  return -1;
}

Integer TColorPanel::SelectedCell() const {
  const auto& colors = PanelColors();
  const auto it = std::find(colors.begin(), colors.end(), FSelectedColor);
  return it == colors.end() ? -1 : static_cast<Integer>(it - colors.begin());
}

void TColorPanel::SetSelectedColor(TColor v) {
  if (v == FSelectedColor) return;
  FSelectedColor = v;
  Invalidate();
}

void TColorPanel::SetColumns(Integer v) {
  v = std::clamp<Integer>(v, 1, kCellCount);
  if (v == FColumns) return;
  FColumns = v;
  Invalidate();
}

void TColorPanel::Choose(Integer index) {
  if (index < 0 || index >= kCellCount || PanelColors()[static_cast<size_t>(index)] == FSelectedColor) return;
  SetSelectedColor(PanelColors()[static_cast<size_t>(index)]);
  OnChange(this);
}

void TColorPanel::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(GetColor());
  c->FillRect(Rect(0, 0, Width(), Height()));
  const Integer selected = SelectedCell();
  for (Integer i = 0; i < kCellCount; ++i) {
    const TRect r = CellRect(i);
    c->Brush()->SetColor(PanelColors()[static_cast<size_t>(i)]);
    c->FillRect(r);
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(i == selected ? clHighlight : clBtnShadow);
    c->Rectangle(r);
    // The chosen cell gets a second, outer frame.
    if (i == selected) c->Rectangle(Rect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1));
    c->Brush()->SetStyle(bsSolid);
  }
  TCustomControl::Paint();
}

void TColorPanel::MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !IsEnabled()) return;
  if (CanFocus()) SetFocus();
  Choose(CellAt(x, y));
}

bool TColorPanel::WantsKey(Word key, TShiftState) const {
  return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

void TColorPanel::KeyDown(Word& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  const Integer cell = SelectedCell();
  Integer next = cell;
  switch (key) {
    case VK_LEFT: next = cell < 0 ? 0 : cell - 1; break;
    case VK_RIGHT: next = cell < 0 ? 0 : cell + 1; break;
    case VK_UP: next = cell < 0 ? 0 : cell - FColumns; break;
    case VK_DOWN: next = cell < 0 ? 0 : cell + FColumns; break;
    default: return;
  }
  key = 0;
  if (next >= 0 && next < kCellCount) Choose(next);
}

void RegisterColorPanelClasses() { RegisterClasses({TColorPanel::StaticClass()}); }

}  // namespace xel
