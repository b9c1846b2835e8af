#include "HeadlessWidgetSet.h"

#include <algorithm>

#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "WSForms.h"

namespace xel {

namespace {

String RectText(const TRect& r) {
  return IntToStr(r.Left) + "," + IntToStr(r.Top) + "," + IntToStr(r.Right) + "," + IntToStr(r.Bottom);
}

}  // namespace

// ---------------------------------------------------------------- canvas log

void THeadlessCanvas::TextOut(const TCanvas&, Integer x, Integer y, const String& text) {
  TPoint p = At(x, y);
  Log.push_back("TextOut " + IntToStr(p.X) + "," + IntToStr(p.Y) + " " + text);
}

void THeadlessCanvas::TextRect(const TCanvas&, const TRect& r, Integer x, Integer y, const String& text) {
  TPoint p = At(x, y);
  TPoint o = At(0, 0);
  Log.push_back("TextRect " + RectText(Rect(r.Left + o.X, r.Top + o.Y, r.Right + o.X, r.Bottom + o.Y)) + " " +
                IntToStr(p.X) + "," + IntToStr(p.Y) + " " + text);
}

void THeadlessCanvas::FillRect(const TCanvas& canvas, const TRect& r) {
  TPoint o = At(0, 0);
  Log.push_back("FillRect " + RectText(Rect(r.Left + o.X, r.Top + o.Y, r.Right + o.X, r.Bottom + o.Y)) + " " +
                ColorToString(canvas.Brush()->GetColor()));
}

void THeadlessCanvas::Rectangle(const TCanvas&, const TRect& r) {
  TPoint o = At(0, 0);
  Log.push_back("Rectangle " + RectText(Rect(r.Left + o.X, r.Top + o.Y, r.Right + o.X, r.Bottom + o.Y)));
}

void THeadlessCanvas::Line(const TCanvas&, TPoint from, TPoint to) {
  TPoint a = At(from.X, from.Y), b = At(to.X, to.Y);
  Log.push_back("Line " + IntToStr(a.X) + "," + IntToStr(a.Y) + " " + IntToStr(b.X) + "," + IntToStr(b.Y));
}

void THeadlessCanvas::Draw(const TCanvas&, Integer x, Integer y, const TGraphic& graphic) {
  TPoint p = At(x, y);
  Log.push_back("Draw " + IntToStr(p.X) + "," + IntToStr(p.Y) + " " + graphic.ClassName() + " " +
                IntToStr(graphic.Width()) + "x" + IntToStr(graphic.Height()));
}

// ---------------------------------------------------------------- backends

class THeadlessWSWinControl : public TWSWinControl {
public:
  explicit THeadlessWSWinControl(THeadlessWidgetSet* ws) : FWS(ws) {}

  std::unique_ptr<TWidgetHandle> CreateHandle(TWinControl* control) override {
    auto h = std::make_unique<THeadlessHandle>(control);
    if (control->Parent()) h->ParentHandle = static_cast<THeadlessHandle*>(control->Parent()->HandleIfAllocated());
    for (TWSAspect a : {waBounds, waText, waVisible, waEnabled, waFont, waColor, waItems, waItemIndex, waMenu})
      Pull(control, *h, a);
    h->Updates.clear();
    ++FWS->FHandles;
    return h;
  }

  void Update(TWinControl* control, TWSAspect aspect) override {
    auto* h = static_cast<THeadlessHandle*>(control->HandleIfAllocated());
    ++h->Updates[aspect];
    Pull(control, *h, aspect);
  }

  void SetFocus(TWinControl*) override {}
  void DestroyHandle(TWinControl*) override { --FWS->FHandles; }

protected:
  virtual void Pull(TWinControl* c, THeadlessHandle& h, TWSAspect aspect) {
    switch (aspect) {
      case waBounds: h.Bounds = c->BoundsRect(); break;
      case waText: h.Text = c->GetText(); break;
      case waVisible: h.Visible = c->GetVisible(); break;
      case waEnabled: h.Enabled = c->GetEnabled(); break;
      case waFont:
        h.FontName = c->GetFont()->GetName();
        h.FontHeight = c->GetFont()->GetHeight();
        break;
      case waColor: h.Color = c->GetColor(); break;
      default: break;
    }
  }
  THeadlessWidgetSet* FWS;
};

class THeadlessWSItems : public THeadlessWSWinControl {
public:
  using THeadlessWSWinControl::THeadlessWSWinControl;

protected:
  void Pull(TWinControl* c, THeadlessHandle& h, TWSAspect aspect) override {
    auto* items = static_cast<TItemsControl*>(c);
    if (aspect == waItems) {
      h.Items.clear();
      for (int i = 0; i < items->GetItems()->Count(); ++i) h.Items.push_back(items->GetItems()->Strings(i));
      h.ItemIndex = items->GetItemIndex();
    } else if (aspect == waItemIndex) {
      h.ItemIndex = items->GetItemIndex();
    }
    THeadlessWSWinControl::Pull(c, h, aspect);
  }
};

class THeadlessWSCustomForm : public TWSCustomForm {
public:
  explicit THeadlessWSCustomForm(THeadlessWidgetSet* ws) : FControl(ws), FWS(ws) {}
  std::unique_ptr<TWidgetHandle> CreateHandle(TWinControl* c) override {
    auto h = FControl.CreateHandle(c);
    PullMenu(static_cast<THeadlessHandle*>(h.get()), c);
    static_cast<THeadlessHandle*>(h.get())->SizeLimits = static_cast<TCustomForm*>(c)->SizeLimits();
    return h;
  }
  void Update(TWinControl* c, TWSAspect aspect) override {
    FControl.Update(c, aspect);
    auto* h = static_cast<THeadlessHandle*>(c->HandleIfAllocated());
    if (aspect == waMenu) PullMenu(h, c);
    // The window system asks for the limits whenever it sizes the window.
    if (aspect == waBounds || aspect == waSizeLimits) h->SizeLimits = static_cast<TCustomForm*>(c)->SizeLimits();
  }
  void SetFocus(TWinControl* c) override { FControl.SetFocus(c); }
  void DestroyHandle(TWinControl* c) override { FControl.DestroyHandle(c); }
  void RunModal(TCustomForm* form) override { FWS->RunModal(form); }

private:
  static void PullMenu(THeadlessHandle* h, TWinControl* c) {
    h->MenuCaptions.clear();
    if (TMainMenu* menu = static_cast<TCustomForm*>(c)->GetMenu())
      for (int i = 0; i < menu->Items()->Count(); ++i) h->MenuCaptions.push_back(menu->Items()->Items(i)->GetCaption());
  }
  THeadlessWSWinControl FControl;
  THeadlessWidgetSet* FWS;
};

// ---------------------------------------------------------------- the widget set

THeadlessWidgetSet::THeadlessWidgetSet() {
  RegisterBackend(TWinControl::StaticClass(), std::make_unique<THeadlessWSWinControl>(this));
  RegisterBackend(TItemsControl::StaticClass(), std::make_unique<THeadlessWSItems>(this));
  RegisterBackend(TCustomForm::StaticClass(), std::make_unique<THeadlessWSCustomForm>(this));
}

void THeadlessWidgetSet::ProcessMessages() {}

void THeadlessWidgetSet::Run(TApplication* app) {
  if (FRun) FRun();
  app->Idle();
}

void THeadlessWidgetSet::RunModal(TCustomForm* form) {
  ++FModalDepth;
  TFinally done([this] { --FModalDepth; });
  // The latest handler first; one that leaves the form open passes it down.
  for (size_t i = FModal.size(); i-- > 0 && form->ModalResult() == mrNone;) {
    TModalHandler handler = FModal[i];
    handler(form);
  }
  if (form->ModalResult() == mrNone)
    throw EInvalidOperation(Format("No modal handler closed the form %s", {form->ClassName()}));
}

void THeadlessWidgetSet::Popup(TPopupMenu* menu, TPoint screenPos) {
  if (FPopup) FPopup(menu, screenPos);
}

void THeadlessWidgetSet::UpdateTimer(TTimer* timer) {
  auto it = std::find(FTimers.begin(), FTimers.end(), timer);
  bool running = timer->Running();
  if (running && it == FTimers.end()) FTimers.push_back(timer);
  else if (!running && it != FTimers.end()) FTimers.erase(it);
}

void THeadlessWidgetSet::FireTimers() {
  // A handler may stop or free timers: each is looked up again before it fires.
  for (TTimer* t : std::vector<TTimer*>(FTimers))
    if (std::find(FTimers.begin(), FTimers.end(), t) != FTimers.end()) t->Timer();
}

bool THeadlessWidgetSet::ExecuteDialog(TCommonDialog* dialog) {
  if (FDialogs.empty()) throw EInvalidOperation(Format("No dialog handler answered %s", {dialog->ClassName()}));
  TDialogHandler handler = FDialogs.back();
  return handler(dialog);
}

THeadlessWidgetSet* InstallHeadlessWidgetSet() {
  auto ws = std::make_unique<THeadlessWidgetSet>();
  auto* raw = ws.get();
  SetWidgetSet(std::move(ws));
  return raw;
}

THeadlessWidgetSet* HeadlessWidgetSet() {
  auto* ws = dynamic_cast<THeadlessWidgetSet*>(WidgetSet());
  if (!ws) throw EInvalidOperation("The headless widget set is not installed");
  return ws;
}

THeadlessHandle* HeadlessHandle(TWinControl* control) {
  return static_cast<THeadlessHandle*>(control->HandleIfAllocated());
}

// ---------------------------------------------------------------- input

namespace Headless {

void MouseDown(TControl* control, TMouseButton button, TShiftState shift, Integer x, Integer y) {
  if (auto* w = dynamic_cast<TWinControl*>(control); w && w->CanFocus() && w->GetTabStop()) w->SetFocus();
  control->MouseDown(button, shift, x, y);
}

void MouseUp(TControl* control, TMouseButton button, TShiftState shift, Integer x, Integer y) {
  control->MouseUp(button, shift, x, y);
}

void Click(TControl* control) {
  if (!control->IsVisible()) throw EInvalidOperation("Cannot click a control that is not shown: " + control->GetName());
  Integer x = control->Width() / 2, y = control->Height() / 2;
  MouseDown(control, mbLeft, {ssLeft}, x, y);
  MouseUp(control, mbLeft, {}, x, y);
}

namespace {
TWinControl* KeyTarget(TCustomForm* form) {
  TWinControl* target = form->GetActiveControl();
  return target ? target : form;
}

char CharOf(Word key, TShiftState shift) {
  if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return 0;
  if (key == VK_RETURN) return '\r';
  if (key == VK_ESCAPE) return 27;
  if (key == VK_BACK) return '\b';
  if (key == VK_TAB) return '\t';
  if (key == VK_SPACE) return ' ';
  if (key >= 'A' && key <= 'Z') return static_cast<char>(shift.Contains(ssShift) ? key : key + 32);
  if (key >= '0' && key <= '9') return static_cast<char>(key);
  return 0;
}
}  // namespace

void DragFrame(TCustomForm* form, Integer width, Integer height) {
  THeadlessHandle* h = HeadlessHandle(form);
  if (!h || !h->Visible)
    throw EInvalidOperation("Cannot drag the frame of a form that is not shown: " + form->GetName());
  if (!form->IsSizeable()) throw EInvalidOperation("The frame of " + form->GetName() + " is not sizeable");
  const TMinMaxRecord& limits = h->SizeLimits;
  form->SetBounds(form->Left(), form->Top(), std::clamp(width, limits.MinTrackSize.X, limits.MaxTrackSize.X),
                  std::clamp(height, limits.MinTrackSize.Y, limits.MaxTrackSize.Y));
}

void PressKey(TCustomForm* form, Word key, TShiftState shift) {
  bool consumed = KeyTarget(form)->SendKeyDown(key, shift);
  if (!consumed)
    if (char c = CharOf(key, shift)) KeyTarget(form)->SendKeyPress(c);
  KeyTarget(form)->SendKeyUp(key, shift);
}

void TypeText(TCustomForm* form, const String& text) {
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    Word key = (u >= 'a' && u <= 'z') ? static_cast<Word>(u - 32) : (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ? u : 0;
    TShiftState shift = (u >= 'A' && u <= 'Z') ? TShiftState{ssShift} : TShiftState{};
    bool consumed = key && KeyTarget(form)->SendKeyDown(key, shift);
    if (!consumed) KeyTarget(form)->SendKeyPress(c);
    if (key) KeyTarget(form)->SendKeyUp(key, shift);
  }
}

std::vector<String> Paint(TWinControl* control) {
  THeadlessCanvas backend;
  TCanvas canvas;
  canvas.SetBackend(&backend);
  control->PaintWindow(&canvas);
  return backend.Log;
}

}  // namespace Headless

}  // namespace xel
