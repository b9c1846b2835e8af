#include "Forms.h"

#include <algorithm>

#include "ComponentRes.h"
#include "WSForms.h"
#include "WidgetSet.h"

namespace xel {

// Reachable to the end: forms that static objects free late still find it.
TScreen* Screen = new TScreen(nullptr);

namespace {
constexpr Integer kMenuBarHeight = 20;
}

// ---------------------------------------------------------------- TCustomForm

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), FReadResource(true) { Init(); }

TCustomForm::TCustomForm(TComponent* owner, TCreateNew) : TWinControl(owner), FReadResource(false) { Init(); }

void TCustomForm::Init() {
  FIcon = std::make_unique<TIcon>();
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FColor = clBtnFace;
  SetParentFont(false);
  // Hidden until shown; the bounds of a new form are the host's 320 by 240.
  TControl::SetVisible(false);
  SetBounds(0, 0, 320, 240);
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  try {
    OnDestroy(this);
  } catch (...) {
    Application->HandleException(this);
  }
  Destroying();
  if (FMenu && FMenu->Form() == this) FMenu->SetForm(nullptr);
  Screen->RemoveForm(this);
  if (Application->MainForm() == this) Application->SetMainForm(nullptr);
  // Owned controls go while the form is still a form: their windows and focus need it.
  DestroyComponents();
}

void TCustomForm::AfterConstruction() {
  TWinControl::AfterConstruction();
  if (FReadResource && ClassType() != FormResourceRoot() && ClassType() != TCustomForm::StaticClass() &&
      !ComponentState().Contains(csDesigning)) {
    if (!InitInheritedComponent(this, FormResourceRoot()))
      throw EResNotFound(Format("Resource %s not found", {ClassName()}));
  }
  DoCreate();
}

TClass TCustomForm::FormResourceRoot() const { return TForm::StaticClass(); }

TMinMaxRecord TCustomForm::SizeLimits() {
  TMinMaxRecord info;
  GetMinMaxInfo(info);
  // As the window system does: a minimum above the maximum wins, and nothing is negative.
  info.MinTrackSize.X = std::max(0, info.MinTrackSize.X);
  info.MinTrackSize.Y = std::max(0, info.MinTrackSize.Y);
  info.MaxTrackSize.X = std::max(info.MinTrackSize.X, info.MaxTrackSize.X);
  info.MaxTrackSize.Y = std::max(info.MinTrackSize.Y, info.MaxTrackSize.Y);
  return info;
}

void TCustomForm::SetBounds(Integer left, Integer top, Integer width, Integer height) {
  if (IsSizeable() && !ComponentState().Contains(csLoading)) {
    TMinMaxRecord limits = SizeLimits();
    width = std::clamp(width, limits.MinTrackSize.X, limits.MaxTrackSize.X);
    height = std::clamp(height, limits.MinTrackSize.Y, limits.MaxTrackSize.Y);
  }
  TWinControl::SetBounds(left, top, width, height);
}

void TCustomForm::SizeLimitsChanged() {
  Changed(waSizeLimits);
  SetBounds(Left(), Top(), Width(), Height());
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (FBorderStyle == v) return;
  TRect client = GetClientRect();
  FBorderStyle = v;
  // The client area keeps its size; the frame around it changes.
  if (!ComponentState().Contains(csLoading)) {
    TRect m = NonClientMargins();
    SetBounds(Left(), Top(), client.Width() + m.Left + m.Right, client.Height() + m.Top + m.Bottom);
  }
  Changed(waBorder);
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
  if (FBorderIcons == v) return;
  FBorderIcons = v;
  Changed(waBorder);
}

void TCustomForm::SetWindowState(TWindowState v) {
  if (FWindowState == v) return;
  FWindowState = v;
  Changed(waWindowState);
  if (v == wsMinimized) Application->OnMinimize(Application);
}

void TCustomForm::SetMenu(TMainMenu* v) {
  if (FMenu == v) return;
  if (FMenu) {
    FMenu->SetForm(nullptr);
    FMenu->RemoveFreeNotification(this);
  }
  if (v && v->Form() && v->Form() != this) v->Form()->SetMenu(nullptr);
  FMenu = v;
  if (v) {
    v->SetForm(this);
    v->FreeNotification(this);
  }
  MenuChanged();
  Realign();
}

void TCustomForm::MenuChanged() { Changed(waMenu); }

void TCustomForm::SetActiveControl(TWinControl* v) {
  if (FActiveControl == v) return;
  if (v && !ComponentState().Contains(csLoading)) {
    if (v == this || !ContainsControl(v) || !v->CanFocus())
      throw EInvalidOperation("Cannot focus a disabled or invisible window");
  }
  if (ComponentState().Contains(csLoading) || !FActive) {
    if (FActiveControl) FActiveControl->RemoveFreeNotification(this);
    FActiveControl = v;
    if (v) v->FreeNotification(this);
    return;
  }
  FocusControl(v);
}

void TCustomForm::FocusControl(TWinControl* control) {
  if (control == FActiveControl) {
    if (control && control->HandleAllocated()) control->Backend()->SetFocus(control);
    return;
  }
  TWinControl* old = FActiveControl;
  if (old) old->RemoveFreeNotification(this);
  FActiveControl = control;
  FEntered = false;
  if (control) control->FreeNotification(this);
  if (FActive) {
    FEntered = control != nullptr;
    FControlState.Include(csFocusing);
    TFinally done([this] { FControlState.Exclude(csFocusing); });
    // As in the host, focus leaves every control from the old one outwards up to the first
    // that also holds the new one, and enters the new one's parents from the outside in:
    // a grid hears that the focus left its cell editor for another control, but focus
    // moving between the grid and its editor neither leaves nor enters the grid.
    for (TWinControl* w = old; w && w != this && !(control && w->ContainsControl(control)); w = w->Parent())
      w->DoExit();
    if (control && FActiveControl == control) {
      std::vector<TWinControl*> entered;
      for (TWinControl* w = control; w && w != this && !(old && w->ContainsControl(old)); w = w->Parent())
        entered.push_back(w);
      for (auto it = entered.rbegin(); it != entered.rend() && FActiveControl == control; ++it) (*it)->DoEnter();
      if (control->HandleAllocated()) control->Backend()->SetFocus(control);
    }
  }
}

void TCustomForm::ControlRemoving(TWinControl* control) {
  if (FActiveControl && control->ContainsControl(FActiveControl)) {
    FActiveControl->RemoveFreeNotification(this);
    FActiveControl = nullptr;
  }
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FMenu) {
    FMenu = nullptr;
    MenuChanged();
  }
  if (component == FActiveControl) FActiveControl = nullptr;
}

TRect TCustomForm::NonClientMargins() const {
  TRect m;
  switch (FBorderStyle) {
    case bsNone: break;
    case bsSingle:
    case bsDialog: m = {3, 22, 3, 3}; break;
    case bsToolWindow: m = {3, 18, 3, 3}; break;
    case bsSizeable: m = {4, 23, 4, 4}; break;
    case bsSizeToolWin: m = {4, 19, 4, 4}; break;
  }
  if (FMenu) m.Top += kMenuBarHeight;
  return m;
}

TRect TCustomForm::GetClientRect() const {
  TRect m = NonClientMargins();
  return Rect(0, 0, std::max(0, Width() - m.Left - m.Right), std::max(0, Height() - m.Top - m.Bottom));
}

TPoint TCustomForm::ClientOrigin() const {
  TRect m = NonClientMargins();
  return {Left() + m.Left, Top() + m.Top};
}

// While a stream is read, the frame may still change (the menu comes later); the client
// size is applied in Loaded.
void TCustomForm::SetFormClientWidth(Integer v) {
  if (ComponentState().Contains(csLoading)) FLoadedClientWidth = v;
  else SetClientWidth(v);
}

void TCustomForm::SetFormClientHeight(Integer v) {
  if (ComponentState().Contains(csLoading)) FLoadedClientHeight = v;
  else SetClientHeight(v);
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  TRect m = NonClientMargins();
  Integer w = FLoadedClientWidth >= 0 ? FLoadedClientWidth + m.Left + m.Right : Width();
  Integer h = FLoadedClientHeight >= 0 ? FLoadedClientHeight + m.Top + m.Bottom : Height();
  FLoadedClientWidth = FLoadedClientHeight = -1;
  SetBounds(Left(), Top(), w, h);
  Realign();
  if (GetVisible()) {
    // A form stored visible shows once it is complete.
    TControl::SetVisible(false);
    Show();
  }
}

void TCustomForm::SetVisible(bool v) {
  if (ComponentState().Contains(csLoading)) {
    TControl::SetVisible(v);
    return;
  }
  if (GetVisible() == v) return;
  // A form inside another control shows and hides as a control: it is neither placed on
  // the screen nor activated, and the focus stays with the form that holds it.
  if (Parent()) {
    if (!v) DoHide();
    TControl::SetVisible(v);
    if (v) DoShow();
    return;
  }
  if (v) {
    PlaceOnFirstShow();
    TControl::SetVisible(true);
    DoShow();
    Activate();
  } else {
    DoHide();
    Deactivate();
    TControl::SetVisible(false);
  }
}

void TCustomForm::VisibleChanged() {
  // A form inside a control that has no window yet gets its own with its parent's.
  if (GetVisible() && (!Parent() || Parent()->HandleAllocated())) HandleNeeded();
  Changed(waVisible);
}

void TCustomForm::PlaceOnFirstShow() {
  if (FPlaced) return;
  FPlaced = true;
  TCustomForm* over = nullptr;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
      return;
    case poMainFormCenter: over = Application->MainForm(); break;
    case poOwnerFormCenter: over = dynamic_cast<TCustomForm*>(Owner()); break;
    default: return;
  }
  if (!over || over == this) {
    SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
    return;
  }
  SetBounds(over->Left() + (over->Width() - Width()) / 2, over->Top() + (over->Height() - Height()) / 2, Width(),
            Height());
}

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TCustomForm::BringToFront() {
  if (GetVisible()) Activate();
}

void TCustomForm::Activate() {
  if (FActive || !GetVisible() || Parent()) return;
  if (TCustomForm* other = Screen->ActiveForm(); other && other != this) other->Deactivate();
  FActive = true;
  Screen->SetActiveForm(this);
  OnActivate(this);
  if (!FActiveControl || !FActiveControl->CanFocus()) {
    FActiveControl = nullptr;
    SelectNext(nullptr, true, true);
    return;
  }
  if (!FEntered) {
    FEntered = true;
    FActiveControl->DoEnter();
  }
  if (FActiveControl && FActiveControl->HandleAllocated()) FActiveControl->Backend()->SetFocus(FActiveControl);
}

void TCustomForm::Deactivate() {
  if (!FActive) return;
  FActive = false;
  OnDeactivate(this);
  if (Screen->ActiveForm() == this) Screen->SetActiveForm(nullptr);
}

TModalResult TCustomForm::ShowModal() {
  if (GetVisible() || !GetEnabled() || FModal)
    throw EInvalidOperation("Cannot make a visible window modal");
  TCustomForm* previous = Screen->ActiveForm();
  FModalResult = mrNone;
  FModal = true;
  TFinally done([this, previous] {
    FModal = false;
    if (GetVisible()) SetVisible(false);
    if (previous && previous != this && previous->GetVisible()) previous->Activate();
  });
  Show();
  auto* backend = dynamic_cast<TWSCustomForm*>(Backend());
  if (!backend) throw EInvalidOperation("The widget set cannot show modal forms");
  do {
    backend->RunModal(this);
    if (FModalResult == mrNone) throw EInvalidOperation(Format("The modal form %s was not closed", {ClassName()}));
    CloseModal();
  } while (FModalResult == mrNone);
  return FModalResult;
}

// A modal form asked to close: CloseQuery and OnClose may keep it open (result reset).
void TCustomForm::CloseModal() {
  if (!CloseQuery()) {
    FModalResult = mrNone;
    return;
  }
  TCloseAction action = caHide;
  OnClose(this, action);
  if (action == caNone) FModalResult = mrNone;
  else if (action == caFree) Release();
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  bool main = Application->MainForm() == this;
  TCloseAction action = main ? caFree : caHide;
  OnClose(this, action);
  switch (action) {
    case caNone: return;
    case caHide: SetVisible(false); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree:
      if (main) {
        SetVisible(false);
        Application->Terminate();
      } else {
        Release();
      }
      break;
  }
}

void TCustomForm::Release() {
  if (GetVisible()) SetVisible(false);
  Application->ReleaseForm(this);
}

bool TCustomForm::IsShortCut(Word key, TShiftState shift) {
  if (FMenu && FMenu->IsShortCut(key, shift)) return true;
  for (TControl* c = FActiveControl; c; c = c->Parent())
    if (TPopupMenu* popup = c->GetPopupMenu(); popup && popup->IsShortCut(key, shift)) return true;
  return false;
}

namespace {
// Depth-first over the visible, enabled controls: a button takes Enter when it is the
// default, Escape when it cancels, Alt with its accelerator letter.
bool Broadcast(TWinControl* parent, Word key, TShiftState shift) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->GetVisible() || !c->GetEnabled()) continue;
    if (c->DialogKey(key, shift)) return true;
    if (auto* w = dynamic_cast<TWinControl*>(c); w && Broadcast(w, key, shift)) return true;
  }
  return false;
}
}  // namespace

bool TCustomForm::DialogKey(Word key, TShiftState shift) {
  if (key == VK_TAB && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
    SelectNext(FActiveControl, !shift.Contains(ssShift), true);
    return true;
  }
  return Broadcast(this, key, shift);
}

void TCustomForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  std::vector<TWinControl*> order;
  std::function<void(TWinControl*)> collect = [&](TWinControl* parent) {
    for (TWinControl* w : parent->GetTabOrderList()) {
      order.push_back(w);
      collect(w);
    }
  };
  collect(this);
  if (order.empty()) return;
  auto it = std::find(order.begin(), order.end(), current);
  size_t start = it == order.end() ? (forward ? order.size() - 1 : 0) : static_cast<size_t>(it - order.begin());
  for (size_t step = 1; step <= order.size(); ++step) {
    size_t i = forward ? (start + step) % order.size() : (start + order.size() - step % order.size()) % order.size();
    TWinControl* w = order[i];
    if ((!checkTabStop || w->GetTabStop()) && w->CanFocus()) {
      FocusControl(w);
      return;
    }
  }
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  TWinControl::GetChildren(proc, root);
  if (root != this) return;
  for (int i = 0; i < ComponentCount(); ++i)
    if (TComponent* c = Components(i); !c->HasParent()) proc(c);
}

// ---------------------------------------------------------------- TScreen

TCustomForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) throw EListError(Format(SConst::ListIndexError, {index}));
  return FForms[index];
}

void TScreen::RemoveForm(TCustomForm* form) {
  std::erase(FForms, form);
  if (FActiveForm == form) SetActiveForm(nullptr);
}

void TScreen::SetActiveForm(TCustomForm* form) {
  if (FActiveForm == form) return;
  FActiveForm = form;
  OnActiveFormChange(this);
}

Integer TScreen::Width() const { return WidgetSet() ? WidgetSet()->ScreenSize().X : 1024; }
Integer TScreen::Height() const { return WidgetSet() ? WidgetSet()->ScreenSize().Y : 768; }

void RegisterFormsClasses() {
  RegisterControlsClasses();
  RegisterMenusClasses();
  RegisterClasses({TForm::StaticClass()});
}

}  // namespace xel
