// The control classes: TControl (position, text, font, colour, mouse), TWinControl (child
// controls, a window created on demand, focus, keys), TGraphicControl and TCustomControl.
#pragma once

#include <memory>
#include <vector>

#include "Graphics.h"
#include "Keys.h"

namespace xel {

class TWinControl;
class TCustomForm;
class TPopupMenu;
class TWidgetHandle;
class TWSWinControl;

XEL_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient)
XEL_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom)
XEL_SET(TAnchors, TAnchorKind)
XEL_ENUM(TControlStyleItem, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
         csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
         csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents)
XEL_SET(TControlStyle, TControlStyleItem)
XEL_ENUM(TControlStateItem, csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
         csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking)
XEL_SET(TControlState, TControlStateItem)
XEL_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)
XEL_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
// Controls other than forms use the first two values only, as the host's subrange does.
using TBorderStyle = TFormBorderStyle;

XEL_INTEGER_TYPE(TCursor)
inline constexpr TCursor crDefault = TCursor(0), crNone = TCursor(-1), crArrow = TCursor(-2), crCross = TCursor(-3),
                         crIBeam = TCursor(-4), crSizeNESW = TCursor(-6), crSizeNS = TCursor(-7),
                         crSizeNWSE = TCursor(-8), crSizeWE = TCursor(-9), crUpArrow = TCursor(-10),
                         crHourGlass = TCursor(-11), crDrag = TCursor(-12), crNoDrop = TCursor(-13),
                         crHSplit = TCursor(-14), crVSplit = TCursor(-15), crNo = TCursor(-18),
                         crAppStart = TCursor(-19), crHelp = TCursor(-20), crHandPoint = TCursor(-21),
                         crSizeAll = TCursor(-22);

// What changed in a control, for its widget-set backend; the backend reads the new state
// from the control itself.
XEL_ENUM(TWSAspect, waBounds, waText, waVisible, waEnabled, waFont, waColor, waHint, waItems, waItemIndex,
         waState, waReadOnly, waStyle, waMenu, waIcon, waBorder, waWindowState, waInvalidate, waSelection,
         waColumns, waOptions, waImage, waScroll, waSizeLimits)

class TControl : public TComponent {
  XEL_CLASS(TControl, TComponent)
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);

  Integer Left() const { return FLeft; }
  Integer Top() const { return FTop; }
  Integer Width() const { return FWidth; }
  Integer Height() const { return FHeight; }
  Integer GetLeft() const { return FLeft; }
  Integer GetTop() const { return FTop; }
  Integer GetWidth() const { return FWidth; }
  Integer GetHeight() const { return FHeight; }
  void SetLeft(Integer v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(Integer v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(Integer v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(Integer v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(Integer left, Integer top, Integer width, Integer height);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // The area inside the frame, in the control's own coordinates.
  virtual TRect GetClientRect() const { return Rect(0, 0, FWidth, FHeight); }
  Integer GetClientWidth() const { return GetClientRect().Width(); }
  Integer GetClientHeight() const { return GetClientRect().Height(); }
  void SetClientWidth(Integer v) { SetWidth(FWidth - GetClientWidth() + v); }
  void SetClientHeight(Integer v) { SetHeight(FHeight - GetClientHeight() + v); }
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  // The client origin of this control on the screen (forms add their frame).
  virtual TPoint ClientOrigin() const;

  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign v);
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors v) { FAnchors = v; }

  bool GetVisible() const { return FVisible; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible itself and every parent up to a shown form.
  bool IsVisible() const;
  bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool v);
  // Enabled itself and every parent.
  bool IsEnabled() const;

  // Caption and Text are one value, as in the host.
  const String& GetText() const { return FText; }
  void SetText(const String& v);
  const String& Caption() const { return FText; }
  const String& GetHint() const { return FHint; }
  void SetHint(const String& v);
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool v);
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool v);
  bool IsShowHintStored() const { return !FParentShowHint; }

  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* v) { FFont->Assign(v); }
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool v);
  bool IsFontStored() const { return !FParentFont; }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor v);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool v);
  bool IsColorStored() const { return !FParentColor; }

  TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* v);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor v) { FCursor = v; }

  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle v) { FControlStyle = v; }
  TControlState ControlState() const { return FControlState; }

  // Input as the widget set delivers it; behaviour follows the host.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, Integer x, Integer y);
  virtual void MouseMove(TShiftState shift, Integer x, Integer y);
  // A dialog key (Enter, Escape, Alt with a letter) that the form offers to every control;
  // true when this one took it.
  virtual bool DialogKey(Word key, TShiftState shift) {
    (void)key;
    (void)shift;
    return false;
  }

  // Repainting: a windowed control asks its backend, a graphic one its parent.
  virtual void Invalidate();
  void Repaint() { Invalidate(); }
  void Refresh() { Invalidate(); }
  void BringToFront();
  void SendToBack();

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* value) override;
  void SetName(const String& newName) override;
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnResize;

  static auto Published() {
    return PropTable<TControl>(Prop("Left", &TControl::GetLeft, &TControl::SetLeft),
                               Prop("Top", &TControl::GetTop, &TControl::SetTop),
                               Prop("Width", &TControl::GetWidth, &TControl::SetWidth),
                               Prop("Height", &TControl::GetHeight, &TControl::SetHeight),
                               Prop("Cursor", &TControl::GetCursor, &TControl::SetCursor).Default(crDefault),
                               Prop("Hint", &TControl::GetHint, &TControl::SetHint));
  }

protected:
  friend class TWinControl;
  virtual void TextChanged();
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void VisibleChanged();
  virtual void EnabledChanged();
  virtual void BoundsChanged();
  virtual void Resize() { OnResize(this); }
  // A parent's font or colour changed; controls that follow it take the new value.
  void ParentFontChanged();
  void ParentColorChanged();
  void ParentShowHintChanged();
  // Tells the backend of the nearest window about a change of this control.
  virtual void Changed(TWSAspect aspect);

  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState FControlState;
  TColor FColor = clWindow;

private:
  void FontChange(TObject* sender);
  void Restack(bool front);

  TWinControl* FParent = nullptr;
  Integer FLeft = 0;
  Integer FTop = 0;
  Integer FWidth = 0;
  Integer FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  bool FVisible = true;
  bool FEnabled = true;
  String FText;
  String FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FParentColor = false;
  bool FFontFromParent = false;
  TPopupMenu* FPopupMenu = nullptr;
  TCursor FCursor = crDefault;
};

XEL_EVENT(TPaintEvent, TObject* /*Sender*/);

class TWinControl : public TControl {
  XEL_CLASS(TWinControl, TControl)
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // Children in the host's order: the graphic controls, then the windowed ones.
  int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
  TControl* Controls(int index) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool ContainsControl(const TControl* control) const;
  // The visible, enabled graphic child under a client point (for mouse routing).
  TControl* ControlAtPos(TPoint p) const;

  // The window: created on demand, parent first, and destroyed with the control.
  bool HandleAllocated() const { return FHandle != nullptr; }
  TWidgetHandle* Handle();
  TWidgetHandle* HandleIfAllocated() const { return FHandle.get(); }
  void HandleNeeded();
  void DestroyHandle();
  void RecreateWnd();
  TWSWinControl* Backend() const;
  // The window implements the control's key behaviour itself (see TWSWinControl).
  bool NativeInput() const;

  Integer GetTabOrder() const;
  void SetTabOrder(Integer v);
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool v) { FTabStop = v; }
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool v) { FCtl3D = v; }
  // The windowed children in tab order.
  std::vector<TWinControl*> GetTabOrderList() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Focused() const;

  // Keyboard input for the focused control: the form previews (KeyPreview), shortcuts and
  // dialog keys (Tab, Enter, Escape) are offered to the form, then the control's handlers run.
  // True when the key was consumed.
  bool SendKeyDown(Word key, TShiftState shift);
  bool SendKeyPress(char key);
  void SendKeyUp(Word key, TShiftState shift);
  virtual void KeyDown(Word& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void KeyUp(Word& key, TShiftState shift);
  // Whether the control handles this key itself (so the form does not treat it as a dialog key).
  virtual bool WantsKey(Word key, TShiftState shift) const;
  virtual void DoEnter() { OnEnter(this); }
  virtual void DoExit() { OnExit(this); }

  // Lays out aligned and anchored children inside the client area.
  void Realign();
  virtual void AlignControls(TRect& rect);
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  // Paints the graphic children, each inside its bounds (the backend calls this).
  void PaintControls(TCanvas* canvas);
  virtual void PaintWindow(TCanvas* canvas);

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int order) override;
  void Invalidate() override;
  void Loaded() override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

protected:
  // Creates this window (the parent's first) through the backend, then the children's.
  virtual void CreateWnd();
  virtual void DestroyWnd();
  void Changed(TWSAspect aspect) override;
  void BoundsChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  void VisibleChanged() override;
  // The handle is there or being made: a backend may read the state.
  bool WindowReady() const { return FHandle != nullptr; }

private:
  friend class TControl;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FWinControls;
  std::vector<TWinControl*> FTabList;
  std::unique_ptr<TWidgetHandle> FHandle;
  bool FTabStop = false;
  bool FCtl3D = true;
  int FAlignLevel = 0;
};

// A control without a window of its own; its parent paints it.
class TGraphicControl : public TControl {
  XEL_CLASS(TGraphicControl, TControl)
public:
  explicit TGraphicControl(TComponent* owner);
  TCanvas* Canvas() const { return FCanvas.get(); }
  virtual void Paint() {}

private:
  friend class TWinControl;
  std::unique_ptr<TCanvas> FCanvas;
};

// A windowed control that paints itself through its canvas.
class TCustomControl : public TWinControl {
  XEL_CLASS(TCustomControl, TWinControl)
public:
  explicit TCustomControl(TComponent* owner);
  TCanvas* Canvas() const { return FCanvas.get(); }
  virtual void Paint() { OnPaint(this); }
  void PaintWindow(TCanvas* canvas) override;
  TPaintEvent OnPaint;

private:
  std::unique_ptr<TCanvas> FCanvas;
};

// The form that holds a control, following parents (nullptr when none).
TCustomForm* GetParentForm(const TControl* control);
// Which control (if any) of a form has the keyboard focus.
TWinControl* FindControlWithFocus(TCustomForm* form);

void RegisterControlsClasses();

}  // namespace xel
