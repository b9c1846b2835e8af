// Buttons with glyphs: TBitBtn with its kinds, TSpeedButton with groups.
#pragma once

#include "StdCtrls.h"

namespace xel {

XEL_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll)
XEL_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)

class TBitBtn : public TButton {
  XEL_CLASS(TBitBtn, TButton)
public:
  explicit TBitBtn(TComponent* owner);
  ~TBitBtn() override;
  TBitBtnKind GetKind() const { return FKind; }
  // A kind brings its caption, modal result and default or cancel role, as the host's.
  void SetKind(TBitBtnKind v);
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* v) { FGlyph->Assign(v); }
  Integer GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(Integer v);
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout v);
  Integer GetMargin() const { return FMargin; }
  void SetMargin(Integer v) { FMargin = v; }
  Integer GetSpacing() const { return FSpacing; }
  void SetSpacing(Integer v) { FSpacing = v; }
  bool IsCustomCaption() const;
  bool IsCustomModalResult() const;
  // Close on a bkClose button closes its form.
  void Click() override;

  static auto Published() {
    return PropTable<TBitBtn>(
        Prop("Caption", &TBitBtn::GetText, &TBitBtn::SetText).Stored(&TBitBtn::IsCustomCaption),
        Prop("ModalResult", &TBitBtn::GetModalResult, &TBitBtn::SetModalResult)
            .Stored(&TBitBtn::IsCustomModalResult),
        Prop("Glyph", &TBitBtn::GetGlyph, &TBitBtn::SetGlyph),
        Prop("Kind", &TBitBtn::GetKind, &TBitBtn::SetKind).Default(bkCustom),
        Prop("Layout", &TBitBtn::GetLayout, &TBitBtn::SetLayout).Default(blGlyphLeft),
        Prop("Margin", &TBitBtn::GetMargin, &TBitBtn::SetMargin).Default(-1),
        Prop("NumGlyphs", &TBitBtn::GetNumGlyphs, &TBitBtn::SetNumGlyphs).Default(1),
        Prop("Spacing", &TBitBtn::GetSpacing, &TBitBtn::SetSpacing).Default(4));
  }

private:
  TBitBtnKind FKind = bkCustom;
  std::unique_ptr<TBitmap> FGlyph;
  Integer FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  Integer FMargin = -1;
  Integer FSpacing = 4;
};

class TSpeedButton : public TGraphicControl {
  XEL_CLASS(TSpeedButton, TGraphicControl)
public:
  explicit TSpeedButton(TComponent* owner);
  ~TSpeedButton() override;
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool v);
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* v) { FGlyph->Assign(v); }
  Integer GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(Integer v) { FNumGlyphs = v < 1 ? 1 : v > 4 ? 4 : v; }
  Integer GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer v);
  bool GetDown() const { return FDown; }
  // Down in a group releases the others of the group (same parent and group index).
  void SetDown(bool v);
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool v) { FAllowAllUp = v; }
  void Click() override;
  void Paint() override;

  static auto Published() {
    return PropTable<TSpeedButton>(
        Prop("AllowAllUp", &TSpeedButton::GetAllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false),
        Prop("GroupIndex", &TSpeedButton::GetGroupIndex, &TSpeedButton::SetGroupIndex).Default(0),
        Prop("Down", &TSpeedButton::GetDown, &TSpeedButton::SetDown).Default(false),
        Prop("Caption", &TSpeedButton::GetText, &TSpeedButton::SetText),
        Prop("Enabled", &TSpeedButton::GetEnabled, &TSpeedButton::SetEnabled).Default(true),
        Prop("Flat", &TSpeedButton::GetFlat, &TSpeedButton::SetFlat).Default(false),
        Prop("Font", &TSpeedButton::GetFont, &TSpeedButton::SetFont).Stored(&TSpeedButton::IsFontStored),
        Prop("Glyph", &TSpeedButton::GetGlyph, &TSpeedButton::SetGlyph),
        Prop("NumGlyphs", &TSpeedButton::GetNumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1),
        Prop("ParentFont", &TSpeedButton::GetParentFont, &TSpeedButton::SetParentFont).Default(true),
        Prop("ParentShowHint", &TSpeedButton::GetParentShowHint, &TSpeedButton::SetParentShowHint).Default(true),
        Prop("ShowHint", &TSpeedButton::GetShowHint, &TSpeedButton::SetShowHint)
            .Stored(&TSpeedButton::IsShowHintStored),
        Prop("Visible", &TSpeedButton::GetVisible, &TSpeedButton::SetVisible).Default(true),
        Prop("OnClick", &TSpeedButton::OnClick, &TSpeedButton::OnClick));
  }

private:
  void GlyphChanged(TObject*) { Invalidate(); }
  bool FFlat = false;
  std::unique_ptr<TBitmap> FGlyph;
  Integer FNumGlyphs = 1;
  Integer FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
};

void RegisterButtonsClasses();

}  // namespace xel
