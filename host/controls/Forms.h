// Forms and the screen: top-level windows with a frame, a menu, modal results, focus and
// the keyboard handling of dialogs.
#pragma once

#include <limits>

#include "Application.h"
#include "Controls.h"
#include "Menus.h"

namespace xel {

XEL_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
XEL_SET(TBorderIcons, TBorderIcon)
XEL_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
         poMainFormCenter, poOwnerFormCenter)
XEL_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
XEL_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)
XEL_EVENT(TCloseEvent, TObject* /*Sender*/, TCloseAction& /*Action*/);
XEL_EVENT(TCloseQueryEvent, TObject* /*Sender*/, bool& /*CanClose*/);

using TModalResult = Integer;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                              mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

// The limits of a form's outer size, as the window system asks for them before it sizes
// the window; the maximum is never below the minimum.
inline constexpr Integer NoTrackLimit = std::numeric_limits<Integer>::max();
struct TMinMaxRecord {
  TPoint MinTrackSize{0, 0};
  TPoint MaxTrackSize{NoTrackLimit, NoTrackLimit};
};
using PMinMaxRecord = TMinMaxRecord*;

// Tag for forms made in code only, without reading a form resource (the host's CreateNew).
struct TCreateNew {};

class TCustomForm : public TWinControl {
  XEL_CLASS(TCustomForm, TWinControl)
public:
  // A form of a derived class reads its form resource (named by its class) in
  // AfterConstruction; EResNotFound when there is none.
  explicit TCustomForm(TComponent* owner);
  TCustomForm(TComponent* owner, TCreateNew);
  ~TCustomForm() override;
  void AfterConstruction() override;

  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v);
  TBorderIcons GetBorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons v);
  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition v) { FPosition = v; }
  TWindowState GetWindowState() const { return FWindowState; }
  void SetWindowState(TWindowState v);
  TIcon* GetIcon() const { return FIcon.get(); }
  void SetIcon(TIcon* v) { FIcon->Assign(v); }
  TMainMenu* GetMenu() const { return FMenu; }
  void SetMenu(TMainMenu* v);
  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* v);
  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult v) { FModalResult = v; }
  Integer GetFormClientWidth() const { return GetClientWidth(); }
  Integer GetFormClientHeight() const { return GetClientHeight(); }
  void SetFormClientWidth(Integer v);
  void SetFormClientHeight(Integer v);
  // The frame: borders, caption and menu bar, by border style.
  TRect NonClientMargins() const;
  TRect GetClientRect() const override;
  TPoint ClientOrigin() const override;
  // A sizeable border lets the user drag the frame.
  bool IsSizeable() const { return FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin; }
  // What the window keeps to (widget sets ask when they size the window); a sizeable form
  // keeps to it also when code sets its bounds, as the window system does.
  TMinMaxRecord SizeLimits();
  void SetBounds(Integer left, Integer top, Integer width, Integer height) override;

  void SetVisible(bool v) override;
  void Show();
  // Shows the form and waits until ModalResult is set and the form agrees to close.
  virtual TModalResult ShowModal();
  bool Modal() const { return FModal; }
  // Asks OnCloseQuery, then OnClose decides: hide (the default), free, minimise or nothing.
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the current event is over.
  void Release();
  bool Active() const { return FActive; }
  void Activate();
  void Deactivate();
  void BringToFront();

  // Keyboard: shortcuts of the menu and of the pop-up menus of the focused controls; the
  // dialog keys Tab, Enter and Escape, and Alt with an accelerator letter.
  virtual bool IsShortCut(Word key, TShiftState shift);
  bool DialogKey(Word key, TShiftState shift) override;
  // Moves the focus to the next (or previous) control that takes it, in tab order.
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
  void FocusControl(TWinControl* control);
  // A windowed control leaves the form or hides: the focus must not stay on it.
  void ControlRemoving(TWinControl* control);
  void MenuChanged();

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

  TNotifyEvent OnActivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnCreate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnHide;
  TNotifyEvent OnShow;
  TNotifyEvent OnPaint;

protected:
  // The host leaves the size open; descendants narrow the limits here.
  virtual void GetMinMaxInfo(TMinMaxRecord& info) { (void)info; }
  // What GetMinMaxInfo answers has changed: the window learns it and the bounds follow.
  void SizeLimitsChanged();
  // Classes derived from this one read a form resource of their own when made.
  virtual TClass FormResourceRoot() const;
  virtual void DoCreate() { OnCreate(this); }
  virtual void DoShow() { OnShow(this); }
  virtual void DoHide() { OnHide(this); }
  void VisibleChanged() override;

private:
  void Init();
  void PlaceOnFirstShow();
  void CloseModal();

  bool FReadResource;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  std::unique_ptr<TIcon> FIcon;
  TMainMenu* FMenu = nullptr;
  TWinControl* FActiveControl = nullptr;
  bool FKeyPreview = false;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
  bool FActive = false;
  bool FPlaced = false;
  bool FEntered = false;  // the active control has had its OnEnter
  Integer FLoadedClientWidth = -1;
  Integer FLoadedClientHeight = -1;
};

class TForm : public TCustomForm {
  XEL_CLASS(TForm, TCustomForm)
public:
  using TCustomForm::TCustomForm;

  static auto Published() {
    return PropTable<TForm>(
        Prop("Width", &TForm::GetWidth, &TForm::SetWidth).Stored(false),
        Prop("Height", &TForm::GetHeight, &TForm::SetHeight).Stored(false),
        Prop("ActiveControl", &TForm::GetActiveControl, &TForm::SetActiveControl),
        Prop("BorderIcons", &TForm::GetBorderIcons, &TForm::SetBorderIcons)
            .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize}),
        Prop("BorderStyle", &TForm::GetBorderStyle, &TForm::SetBorderStyle).Default(bsSizeable),
        Prop("Caption", &TForm::GetText, &TForm::SetText),
        Prop("ClientHeight", &TForm::GetFormClientHeight, &TForm::SetFormClientHeight),
        Prop("ClientWidth", &TForm::GetFormClientWidth, &TForm::SetFormClientWidth),
        Prop("Color", &TForm::GetColor, &TForm::SetColor).Default(clBtnFace),
        Prop("Font", &TForm::GetFont, &TForm::SetFont),
        Prop("Icon", &TForm::GetIcon, &TForm::SetIcon),
        Prop("KeyPreview", &TForm::GetKeyPreview, &TForm::SetKeyPreview).Default(false),
        Prop("Menu", &TForm::GetMenu, &TForm::SetMenu),
        Prop("Position", &TForm::GetPosition, &TForm::SetPosition).Default(poDesigned),
        Prop("ShowHint", &TForm::GetShowHint, &TForm::SetShowHint).Default(false),
        Prop("Visible", &TForm::GetVisible, &TForm::SetVisible).Default(false),
        Prop("WindowState", &TForm::GetWindowState, &TForm::SetWindowState).Default(wsNormal),
        Prop("OnActivate", &TForm::OnActivate, &TForm::OnActivate),
        Prop("OnClick", &TForm::OnClick, &TForm::OnClick),
        Prop("OnClose", &TForm::OnClose, &TForm::OnClose),
        Prop("OnCloseQuery", &TForm::OnCloseQuery, &TForm::OnCloseQuery),
        Prop("OnCreate", &TForm::OnCreate, &TForm::OnCreate),
        Prop("OnDeactivate", &TForm::OnDeactivate, &TForm::OnDeactivate),
        Prop("OnDestroy", &TForm::OnDestroy, &TForm::OnDestroy),
        Prop("OnHide", &TForm::OnHide, &TForm::OnHide),
        Prop("OnKeyDown", &TForm::OnKeyDown, &TForm::OnKeyDown),
        Prop("OnKeyPress", &TForm::OnKeyPress, &TForm::OnKeyPress),
        Prop("OnKeyUp", &TForm::OnKeyUp, &TForm::OnKeyUp),
        Prop("OnPaint", &TForm::OnPaint, &TForm::OnPaint),
        Prop("OnResize", &TForm::OnResize, &TForm::OnResize),
        Prop("OnShow", &TForm::OnShow, &TForm::OnShow));
  }
};

using TFormClass = TClass;

class TScreen : public TComponent {
  XEL_CLASS(TScreen, TComponent)
public:
  explicit TScreen(TComponent* owner) : TComponent(owner) {}
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int index) const;
  TCustomForm* ActiveForm() const { return FActiveForm; }
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor v) { FCursor = v; }
  Integer Width() const;
  Integer Height() const;
  static constexpr Integer PixelsPerInch = 96;
  TNotifyEvent OnActiveFormChange;

private:
  friend class TCustomForm;
  void AddForm(TCustomForm* form) { FForms.push_back(form); }
  void RemoveForm(TCustomForm* form);
  void SetActiveForm(TCustomForm* form);
  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  TCursor FCursor = crDefault;
};

extern TScreen* Screen;

void RegisterFormsClasses();

}  // namespace xel
