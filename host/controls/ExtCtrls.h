// Panels, bevels, images, timers and splitters.
#pragma once

#include "StdCtrls.h"

namespace xel {

class TCustomPanel : public TCustomControl {
  XEL_CLASS(TCustomPanel, TCustomControl)
public:
  explicit TCustomPanel(TComponent* owner);
  TBevelCut GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut v);
  TBevelCut GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut v);
  Integer GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(Integer v);
  Integer GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer v);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  // Inside the bevels and the border.
  TRect GetClientRect() const override;
  void Paint() override;

protected:
  void TextChanged() override { Invalidate(); }

private:
  Integer FrameWidth() const;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  Integer FBevelWidth = 1;
  Integer FBorderWidth = 0;
  TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
  XEL_CLASS(TPanel, TCustomPanel)
public:
  using TCustomPanel::TCustomPanel;
  static auto Published() {
    return PropTable<TPanel>(
        Prop("Align", &TPanel::GetAlign, &TPanel::SetAlign).Default(alNone),
        Prop("Alignment", &TPanel::GetAlignment, &TPanel::SetAlignment).Default(taCenter),
        Prop("BevelInner", &TPanel::GetBevelInner, &TPanel::SetBevelInner).Default(bvNone),
        Prop("BevelOuter", &TPanel::GetBevelOuter, &TPanel::SetBevelOuter).Default(bvRaised),
        Prop("BevelWidth", &TPanel::GetBevelWidth, &TPanel::SetBevelWidth).Default(1),
        Prop("BorderWidth", &TPanel::GetBorderWidth, &TPanel::SetBorderWidth).Default(0),
        Prop("Caption", &TPanel::GetText, &TPanel::SetText), XEL_WIN_COMMON(TPanel),
        Prop("OnClick", &TPanel::OnClick, &TPanel::OnClick), Prop("OnResize", &TPanel::OnResize, &TPanel::OnResize));
  }
};

XEL_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer)
XEL_ENUM(TBevelStyle, bsLowered, bsRaised)

class TBevel : public TGraphicControl {
  XEL_CLASS(TBevel, TGraphicControl)
public:
  explicit TBevel(TComponent* owner);
  TBevelShape GetShape() const { return FShape; }
  void SetShape(TBevelShape v);
  TBevelStyle GetStyle() const { return FStyle; }
  void SetStyle(TBevelStyle v);
  void Paint() override;

  static auto Published() {
    return PropTable<TBevel>(Prop("Align", &TBevel::GetAlign, &TBevel::SetAlign).Default(alNone),
                             Prop("Shape", &TBevel::GetShape, &TBevel::SetShape).Default(bsBox),
                             Prop("Style", &TBevel::GetStyle, &TBevel::SetStyle).Default(bsLowered),
                             Prop("Visible", &TBevel::GetVisible, &TBevel::SetVisible).Default(true));
  }

private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

class TImage : public TGraphicControl {
  XEL_CLASS(TImage, TGraphicControl)
public:
  explicit TImage(TComponent* owner);
  ~TImage() override;
  TPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TPicture* v) { FPicture->Assign(v); }
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool v);
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool v);
  void Paint() override;

  static auto Published() {
    return PropTable<TImage>(Prop("Align", &TImage::GetAlign, &TImage::SetAlign).Default(alNone),
                             Prop("AutoSize", &TImage::GetAutoSize, &TImage::SetAutoSize).Default(false),
                             Prop("Center", &TImage::GetCenter, &TImage::SetCenter).Default(false),
                             Prop("Picture", &TImage::GetPicture, &TImage::SetPicture),
                             Prop("Stretch", &TImage::GetStretch, &TImage::SetStretch).Default(false),
                             Prop("Visible", &TImage::GetVisible, &TImage::SetVisible).Default(true),
                             Prop("OnClick", &TImage::OnClick, &TImage::OnClick));
  }

private:
  void PictureChanged(TObject*);
  std::unique_ptr<TPicture> FPicture;
  bool FAutoSize = false;
  bool FCenter = false;
  bool FStretch = false;
};

// Fires OnTimer every Interval milliseconds while enabled, through the widget set.
class TTimer : public TComponent {
  XEL_CLASS(TTimer, TComponent)
public:
  explicit TTimer(TComponent* owner) : TComponent(owner) {}
  ~TTimer() override;
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool v);
  Cardinal GetInterval() const { return FInterval; }
  void SetInterval(Cardinal v);
  // Whether the widget set should run it now.
  bool Running() const { return FEnabled && FInterval > 0 && OnTimer.Assigned() && !ComponentState().Contains(csLoading) && !ComponentState().Contains(csDesigning); }
  void Timer() { OnTimer(this); }
  void Loaded() override;

  TNotifyEvent OnTimer;

  static auto Published() {
    return PropTable<TTimer>(Prop("Enabled", &TTimer::GetEnabled, &TTimer::SetEnabled).Default(true),
                             Prop("Interval", &TTimer::GetInterval, &TTimer::SetInterval).Default(1000),
                             Prop("OnTimer", &TTimer::OnTimer, &TTimer::OnTimer));
  }

private:
  void Update();
  bool FEnabled = true;
  Cardinal FInterval = 1000;
};

// Dragging resizes the control aligned on the same side just before it.
class TSplitter : public TGraphicControl {
  XEL_CLASS(TSplitter, TGraphicControl)
public:
  explicit TSplitter(TComponent* owner);
  Integer GetMinSize() const { return FMinSize; }
  void SetMinSize(Integer v) { FMinSize = v < 1 ? 1 : v; }
  bool GetBeveled() const { return FBeveled; }
  void SetBeveled(bool v);
  // The control it resizes (found when a drag starts).
  TControl* FindControl() const;
  void MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) override;
  void MouseMove(TShiftState shift, Integer x, Integer y) override;
  void MouseUp(TMouseButton button, TShiftState shift, Integer x, Integer y) override;
  void Paint() override;

  TNotifyEvent OnMoved;

  static auto Published() {
    return PropTable<TSplitter>(Prop("Align", &TSplitter::GetAlign, &TSplitter::SetAlign).Default(alLeft),
                                Prop("Beveled", &TSplitter::GetBeveled, &TSplitter::SetBeveled).Default(false),
                                Prop("MinSize", &TSplitter::GetMinSize, &TSplitter::SetMinSize).Default(30),
                                Prop("OnMoved", &TSplitter::OnMoved, &TSplitter::OnMoved));
  }

private:
  Integer FMinSize = 30;
  bool FBeveled = false;
  TControl* FDragged = nullptr;
  TPoint FDownAt;
  Integer FStartSize = 0;
};

void RegisterExtCtrlsClasses();

}  // namespace xel
