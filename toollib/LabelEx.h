// A label with a relief: its text raised or lowered with a highlight and a shadow, or with a
// drop shadow, drawn through the canvas like the plain label.
#pragma once

#include "StdCtrls.h"

namespace xel {

XEL_ENUM(TLabelStyle, lsNormal, lsRaised, lsLowered, lsShadow)

class TLabelEx : public TCustomLabel {
  XEL_CLASS(TLabelEx, TCustomLabel)
public:
  using TCustomLabel::TCustomLabel;

  TLabelStyle GetStyle() const { return FStyle; }
  void SetStyle(TLabelStyle v);
  TColor GetHighlightColor() const { return FHighlightColor; }
  void SetHighlightColor(TColor v);
  TColor GetShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor v);
  // How far the shadow of lsShadow lies below and right of the text: 1 to 10 pixels.
  Integer GetShadowOffset() const { return FShadowOffset; }
  void SetShadowOffset(Integer v);

  void Paint() override;

  static auto Published() {
    using C = TLabelEx;
    return PropTable<C>(
        Prop("Align", &C::GetAlign, &C::SetAlign).Default(alNone),
        Prop("Alignment", &C::GetAlignment, &C::SetAlignment).Default(taLeftJustify),
        Prop("AutoSize", &C::GetAutoSize, &C::SetAutoSize).Default(true),
        Prop("Caption", &C::GetText, &C::SetText),
        Prop("Color", &C::GetColor, &C::SetColor).Stored(&C::IsColorStored),
        Prop("Enabled", &C::GetEnabled, &C::SetEnabled).Default(true),
        Prop("FocusControl", &C::GetFocusControl, &C::SetFocusControl),
        Prop("Font", &C::GetFont, &C::SetFont).Stored(&C::IsFontStored),
        Prop("HighlightColor", &C::GetHighlightColor, &C::SetHighlightColor).Default(clBtnHighlight),
        Prop("Layout", &C::GetLayout, &C::SetLayout).Default(tlTop),
        Prop("ParentColor", &C::GetParentColor, &C::SetParentColor).Default(true),
        Prop("ParentFont", &C::GetParentFont, &C::SetParentFont).Default(true),
        Prop("ParentShowHint", &C::GetParentShowHint, &C::SetParentShowHint).Default(true),
        Prop("ShadowColor", &C::GetShadowColor, &C::SetShadowColor).Default(clBtnShadow),
        Prop("ShadowOffset", &C::GetShadowOffset, &C::SetShadowOffset).Default(2),
        Prop("ShowHint", &C::GetShowHint, &C::SetShowHint).Stored(&C::IsShowHintStored),
        Prop("Style", &C::GetStyle, &C::SetStyle).Default(lsNormal),
        Prop("Transparent", &C::GetTransparent, &C::SetTransparent).Default(false),
        Prop("Visible", &C::GetVisible, &C::SetVisible).Default(true),
        Prop("OnClick", &C::OnClick, &C::OnClick), Prop("OnDblClick", &C::OnDblClick, &C::OnDblClick));
  }

private:
  TLabelStyle FStyle = lsNormal;
  TColor FHighlightColor = clBtnHighlight;
  TColor FShadowColor = clBtnShadow;
  Integer FShadowOffset = 2;
};

void RegisterLabelExClasses();

}  // namespace xel
