// A panel of the sixteen basic colours to pick one from: a click or the arrow keys select a
// cell, SelectedColor is its colour, OnChange follows every new choice. A colour that is no
// cell of the panel can be set from code; then no cell is framed.
#pragma once

#include <array>

#include "StdCtrls.h"

namespace xel {

class TColorPanel : public TCustomControl {
  XEL_CLASS(TColorPanel, TCustomControl)
public:
  explicit TColorPanel(TComponent* owner);

  static const std::array<TColor, 16>& PanelColors();
  // The cell under a point of the control, or -1.
  Integer CellAt(Integer x, Integer y) const;
  TRect CellRect(Integer index) const;
  // The cell of SelectedColor, or -1.
  Integer SelectedCell() const;

  TColor GetSelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(TColor v);
  Integer GetColumns() const { return FColumns; }
  // 1 to 16 cells a row.
  void SetColumns(Integer v);

  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) override;
  void KeyDown(Word& key, TShiftState shift) override;
  bool WantsKey(Word key, TShiftState shift) const override;

  TNotifyEvent OnChange;

  static auto Published() {
    using C = TColorPanel;
    return PropTable<C>(Prop("Align", &C::GetAlign, &C::SetAlign).Default(alNone),
                        Prop("Columns", &C::GetColumns, &C::SetColumns).Default(8),
                        Prop("SelectedColor", &C::GetSelectedColor, &C::SetSelectedColor).Default(clBlack),
                        XEL_WIN_COMMON(C), Prop("OnChange", &C::OnChange, &C::OnChange),
                        Prop("OnClick", &C::OnClick, &C::OnClick));
  }

private:
  Integer Rows() const;
  void Choose(Integer index);
  TColor FSelectedColor = clBlack;
  Integer FColumns = 8;
};

void RegisterColorPanelClasses();

}  // namespace xel
