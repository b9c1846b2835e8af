#include "Controls.h"

#include <algorithm>

#include "DesignHook.h"
#include "Forms.h"
#include "Menus.h"
#include "WidgetSet.h"

namespace xel {

namespace {

// A form is read front to back and freed back to front: the control in question is
// mostly the last of its parent's lists, so searching from the back keeps loading and
// freeing a form with thousands of controls linear.
template <class T, class U>
auto FindFromBack(std::vector<T*>& list, U* item) {
  return std::find(list.rbegin(), list.rend(), item);
}

template <class T, class U>
void EraseFromBack(std::vector<T*>& list, U* item) {
  auto it = FindFromBack(list, item);
  if (it != list.rend()) list.erase(std::next(it).base());
}

}  // namespace

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>()) {
  FFont->OnChange = MakeMethod<&TControl::FontChange>(this);
}

TControl::~TControl() {
  Destroying();
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (FParent == parent) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(Integer left, Integer top, Integer width, Integer height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  bool resized = width != FWidth || height != FHeight;
  if (FParent && FVisible && !Is<TWinControl>(this)) FParent->Invalidate();  // the old place
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  BoundsChanged();
  if (FParent && FAlign != alNone) FParent->Realign();
  if (resized && !ComponentState().Contains(csLoading)) Resize();
}

void TControl::BoundsChanged() {
  if (FParent && FVisible) FParent->Invalidate();
}

TPoint TControl::ClientOrigin() const {
  TPoint p{FLeft, FTop};
  if (FParent) {
    TPoint o = FParent->ClientOrigin();
    p.X += o.X;
    p.Y += o.Y;
  }
  return p;
}

TPoint TControl::ClientToScreen(TPoint p) const {
  TPoint o = ClientOrigin();
  return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint o = ClientOrigin();
  return {p.X - o.X, p.Y - o.Y};
}

void TControl::SetAlign(TAlign v) {
  if (FAlign == v) return;
  FAlign = v;
  if (FParent) FParent->Realign();
}

void TControl::SetVisible(bool v) {
  if (FVisible == v) return;
  FVisible = v;
  VisibleChanged();
  if (FParent) FParent->Realign();
}

void TControl::VisibleChanged() {
  if (FParent) FParent->Invalidate();
}

bool TControl::IsVisible() const {
  for (const TControl* c = this; c; c = c->FParent) {
    if (!c->FVisible) return false;
    if (!c->FParent && !Is<TCustomForm>(c)) return false;  // not placed on any form
  }
  return true;
}

void TControl::SetEnabled(bool v) {
  if (FEnabled == v) return;
  FEnabled = v;
  EnabledChanged();
}

void TControl::EnabledChanged() { Changed(waEnabled); }

bool TControl::IsEnabled() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FEnabled) return false;
  return true;
}

void TControl::SetText(const String& v) {
  if (FText == v) return;
  FText = v;
  TextChanged();
}

void TControl::TextChanged() { Changed(waText); }

void TControl::SetHint(const String& v) {
  if (FHint == v) return;
  FHint = v;
  Changed(waHint);
}

void TControl::SetShowHint(bool v) {
  FParentShowHint = false;
  if (FShowHint == v) return;
  FShowHint = v;
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool v) {
  if (FParentShowHint == v) return;
  FParentShowHint = v;
  if (v) ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
  if (!FParentShowHint || !FParent) return;
  bool v = FParent->FShowHint;
  FShowHint = v;
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->ParentShowHintChanged();
}

void TControl::FontChange(TObject*) {
  if (!FFontFromParent) FParentFont = false;
  FontChanged();
}

void TControl::FontChanged() { Changed(waFont); }

void TControl::SetParentFont(bool v) {
  if (FParentFont == v) return;
  FParentFont = v;
  if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FFontFromParent = true;
  FFont->Assign(FParent->GetFont());
  FFontFromParent = false;
}

void TControl::SetColor(TColor v) {
  FParentColor = false;
  if (FColor == v) return;
  FColor = v;
  ColorChanged();
}

void TControl::ColorChanged() { Changed(waColor); }

void TControl::SetParentColor(bool v) {
  if (FParentColor == v) return;
  FParentColor = v;
  if (v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!FParentColor || !FParent) return;
  if (FColor == FParent->FColor) return;
  FColor = FParent->FColor;
  ColorChanged();
}

void TControl::SetPopupMenu(TPopupMenu* v) {
  if (FPopupMenu == v) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = v;
  if (v) v->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::Changed(TWSAspect aspect) {
  if (aspect == waInvalidate || aspect == waText || aspect == waFont || aspect == waColor || aspect == waEnabled)
    if (FParent && FVisible) FParent->Invalidate();
}

void TControl::Click() {
  // A native widget's own click (a push button's) selects in design state, as a press does.
  if (TDesignHook* hook = FindDesignHook(this)) return hook->DesignMouseDown(this, mbLeft, {}, 0, 0);
  if (IsEnabled()) OnClick(this);
}

void TControl::DblClick() {
  if (TDesignHook* hook = FindDesignHook(this)) return hook->DesignDblClick(this);
  if (IsEnabled()) OnDblClick(this);
}

// A click is a press and a release of the left button inside the control.
void TControl::MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) {
  if (TDesignHook* hook = FindDesignHook(this)) return hook->DesignMouseDown(this, button, shift, x, y);
  if (!IsEnabled()) return;
  if (button == mbLeft) FControlState.Include(csLButtonDown);
  OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, Integer x, Integer y) {
  if (FindDesignHook(this)) return;
  if (!IsEnabled()) return;
  bool wasDown = FControlState.Contains(csLButtonDown);
  if (button == mbLeft) FControlState.Exclude(csLButtonDown);
  OnMouseUp(this, button, shift, x, y);
  if (button == mbLeft && wasDown && FControlStyle.Contains(csClickEvents) && x >= 0 && y >= 0 && x < FWidth &&
      y < FHeight)
    Click();
  if (button == mbRight && FPopupMenu) {
    TPoint p = ClientToScreen({x, y});
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(p.X, p.Y);
  }
}

void TControl::MouseMove(TShiftState shift, Integer x, Integer y) {
  if (IsEnabled()) OnMouseMove(this, shift, x, y);
}

void TControl::Invalidate() {
  if (FParent && FVisible) FParent->Invalidate();
}

namespace {
// Moves an element of a stacking list to its top (the end) or its bottom.
template <class T>
void Restack(std::vector<T*>& list, T* item, bool front) {
  list.erase(std::find(list.begin(), list.end(), item));
  if (front) list.push_back(item);
  else list.insert(list.begin(), item);
}
}  // namespace

void TControl::Restack(bool front) {
  if (!FParent) return;
  if (auto* w = dynamic_cast<TWinControl*>(this)) xel::Restack(FParent->FWinControls, w, front);
  else xel::Restack(FParent->FControls, static_cast<TControl*>(this), front);
  FParent->Invalidate();
}

void TControl::BringToFront() { Restack(true); }
void TControl::SendToBack() { Restack(false); }

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* value) {
  if (auto* w = dynamic_cast<TWinControl*>(value)) SetParent(w);
}

// A control whose caption still is its name follows a rename, as the host's does.
void TControl::SetName(const String& newName) {
  String old = GetName();
  bool follow = FControlStyle.Contains(csSetCaption) && !ComponentState().Contains(csLoading) && old == FText &&
                !(Owner() && Is<TControl>(Owner()) && Owner()->ComponentState().Contains(csLoading));
  TComponent::SetName(newName);
  if (follow) SetText(newName);
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (FParent) {
    if (FParentFont) ParentFontChanged();
    if (FParentColor) ParentColorChanged();
    if (FParentShowHint) ParentShowHintChanged();
  }
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  // Leave the parent while this is still a windowed control (TControl's destructor would
  // no longer know it as one).
  if (Parent()) Parent()->RemoveControl(this);
  // Children that this control does not own stay alive but lose their parent.
  while (!FControls.empty()) FControls.back()->SetParent(nullptr);
  while (!FWinControls.empty()) FWinControls.back()->SetParent(nullptr);
  DestroyHandle();
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) throw EListError(Format(SConst::ListIndexError, {index}));
  int n = static_cast<int>(FControls.size());
  return index < n ? FControls[index] : FWinControls[index - n];
}

void TWinControl::InsertControl(TControl* control) {
  if (control->FParent == this) return;
  if (control->FParent) control->FParent->RemoveControl(control);
  control->FParent = this;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    FWinControls.push_back(w);
    FTabList.push_back(w);
  } else {
    FControls.push_back(control);
  }
  control->ParentFontChanged();
  control->ParentColorChanged();
  control->ParentShowHintChanged();
  if (auto* w = dynamic_cast<TWinControl*>(control); w && HandleAllocated()) w->HandleNeeded();
  if (control->FAlign != alNone || !control->FAnchors.Contains(akLeft) || !control->FAnchors.Contains(akTop))
    Realign();
  Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
  if (control->FParent != this) return;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    if (TCustomForm* form = GetParentForm(this)) form->ControlRemoving(w);
    w->DestroyHandle();
    EraseFromBack(FWinControls, w);
    EraseFromBack(FTabList, w);
  } else {
    EraseFromBack(FControls, control);
  }
  control->FParent = nullptr;
  if (control->FAlign != alNone) Realign();
  Invalidate();
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->FParent)
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint p) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if ((*it)->FVisible && (*it)->BoundsRect().Contains(p)) return *it;
  return nullptr;
}

TWSWinControl* TWinControl::Backend() const {
  TWidgetSet* ws = WidgetSet();
  if (!ws) throw EInvalidOperation("No widget set installed");
  return ws->Backend(ClassType());
}

TWidgetHandle* TWinControl::Handle() {
  HandleNeeded();
  return FHandle.get();
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  if (!FHandle) CreateWnd();  // the parent's window may have made this one already
}

void TWinControl::CreateWnd() {
  FControlState.Include(csCreating);
  TFinally done([this] { FControlState.Exclude(csCreating); });
  FHandle = Backend()->CreateHandle(this);
  for (TWinControl* child : std::vector<TWinControl*>(FWinControls)) child->HandleNeeded();
}

void TWinControl::DestroyWnd() {
  for (TWinControl* child : FWinControls) child->DestroyHandle();
  if (TWidgetSet* ws = WidgetSet()) ws->Backend(ClassType())->DestroyHandle(this);
  FHandle.reset();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  FControlState.Include(csDestroyingHandle);
  TFinally done([this] { FControlState.Exclude(csDestroyingHandle); });
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyHandle();
  HandleNeeded();
}

void TWinControl::Changed(TWSAspect aspect) {
  if (FHandle && !FControlState.Contains(csCreating)) Backend()->Update(this, aspect);
}

void TWinControl::BoundsChanged() {
  Changed(waBounds);
  Realign();
}

void TWinControl::FontChanged() {
  Changed(waFont);
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->ParentFontChanged();
}

void TWinControl::ColorChanged() {
  Changed(waColor);
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->ParentColorChanged();
}

void TWinControl::VisibleChanged() {
  Changed(waVisible);
  if (!GetVisible())
    if (TCustomForm* form = GetParentForm(this); form && form != static_cast<TControl*>(this))
      form->ControlRemoving(this);
}

void TWinControl::Invalidate() { Changed(waInvalidate); }

Integer TWinControl::GetTabOrder() const {
  if (!Parent()) return -1;
  auto& list = Parent()->FTabList;
  auto it = FindFromBack(list, this);
  return it == list.rend() ? -1 : static_cast<Integer>(list.rend() - it) - 1;
}

void TWinControl::SetTabOrder(Integer v) {
  if (!Parent()) return;
  auto& list = Parent()->FTabList;
  auto it = FindFromBack(list, this);
  if (it == list.rend()) return;
  list.erase(std::next(it).base());
  if (v < 0 || v > static_cast<Integer>(list.size())) v = static_cast<Integer>(list.size());
  list.insert(list.begin() + v, this);
}

std::vector<TWinControl*> TWinControl::GetTabOrderList() const { return FTabList; }

bool TWinControl::CanFocus() const {
  const TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  // The form itself may still be hidden: focus is then taken when it shows.
  for (const TControl* c = this; c && c != form; c = c->Parent())
    if (!c->GetVisible() || !c->GetEnabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this)) {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    form->FocusControl(this);
  }
}

bool TWinControl::Focused() const {
  TCustomForm* form = GetParentForm(this);
  return form && form->GetActiveControl() == this && form->Active();
}

bool TWinControl::WantsKey(Word, TShiftState) const { return false; }

bool TWinControl::NativeInput() const { return FHandle && Backend()->NativeInput(this); }

void TWinControl::KeyDown(Word& key, TShiftState shift) { OnKeyDown(this, key, shift); }
void TWinControl::KeyPress(char& key) { OnKeyPress(this, key); }
void TWinControl::KeyUp(Word& key, TShiftState shift) { OnKeyUp(this, key, shift); }

bool TWinControl::SendKeyDown(Word key, TShiftState shift) {
  if (!IsEnabled()) return true;
  TCustomForm* form = GetParentForm(this);
  if (form && form->IsShortCut(key, shift)) return true;
  if (form && form != static_cast<TControl*>(this) && form->GetKeyPreview()) {
    form->KeyDown(key, shift);
    if (key == 0) return true;
  }
  KeyDown(key, shift);
  if (key == 0) return true;
  if (form && !WantsKey(key, shift)) return form->DialogKey(key, shift);
  return false;
}

bool TWinControl::SendKeyPress(char key) {
  if (!IsEnabled()) return true;
  TCustomForm* form = GetParentForm(this);
  if (form && form != static_cast<TControl*>(this) && form->GetKeyPreview()) {
    form->KeyPress(key);
    if (key == 0) return true;
  }
  KeyPress(key);
  return key == 0;
}

void TWinControl::SendKeyUp(Word key, TShiftState shift) {
  if (!IsEnabled()) return;
  TCustomForm* form = GetParentForm(this);
  if (form && form != static_cast<TControl*>(this) && form->GetKeyPreview()) {
    form->KeyUp(key, shift);
    if (key == 0) return;
  }
  KeyUp(key, shift);
}

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0) Realign();
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
  TRect r = GetClientRect();
  DisableAlign();
  TFinally done([this] { --FAlignLevel; });
  AlignControls(r);
}

// Top and bottom first, then left and right, then the client: the host's order. Controls
// of one alignment keep the order of their positions (a splitter dropped right of a
// left-aligned panel stays right of it), ties in stacking order.
void TWinControl::AlignControls(TRect& rect) {
  std::vector<TControl*> all(FControls.begin(), FControls.end());
  all.insert(all.end(), FWinControls.begin(), FWinControls.end());
  auto place = [&](TAlign align) {
    std::vector<TControl*> list;
    for (TControl* c : all)
      if (c->FAlign == align && c->FVisible) list.push_back(c);
    auto key = [align](const TControl* c) -> Integer {
      switch (align) {
        case alTop: return c->FTop;
        case alBottom: return -(c->FTop + c->FHeight);
        case alLeft: return c->FLeft;
        case alRight: return -(c->FLeft + c->FWidth);
        default: return 0;
      }
    };
    std::stable_sort(list.begin(), list.end(), [&](const TControl* a, const TControl* b) { return key(a) < key(b); });
    for (TControl* c : list) {
      switch (align) {
        case alTop:
          c->SetBounds(rect.Left, rect.Top, rect.Width(), c->FHeight);
          rect.Top += c->FHeight;
          break;
        case alBottom:
          c->SetBounds(rect.Left, rect.Bottom - c->FHeight, rect.Width(), c->FHeight);
          rect.Bottom -= c->FHeight;
          break;
        case alLeft:
          c->SetBounds(rect.Left, rect.Top, c->FWidth, rect.Height());
          rect.Left += c->FWidth;
          break;
        case alRight:
          c->SetBounds(rect.Right - c->FWidth, rect.Top, c->FWidth, rect.Height());
          rect.Right -= c->FWidth;
          break;
        case alClient: c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); break;
        default: break;
      }
    }
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) place(a);
}

void TWinControl::PaintWindow(TCanvas* canvas) { PaintControls(canvas); }

void TWinControl::PaintControls(TCanvas* canvas) {
  for (TControl* c : FControls) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || !g->FVisible) continue;
    TCanvasBackend* backend = canvas->Backend();
    TCanvasScope scope(g->FCanvas.get(), canvas, g->GetFont());
    if (backend) backend->SetOrigin(g->Left(), g->Top());
    TFinally origin([backend] {
      if (backend) backend->SetOrigin(0, 0);
    });
    g->Paint();
  }
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Owner() == root) proc(c);
  }
}

void TWinControl::SetChildOrder(TComponent* child, int order) {
  auto* c = dynamic_cast<TControl*>(child);
  if (!c || c->Parent() != this) return;
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    std::erase(FWinControls, w);
    order = std::clamp(order - static_cast<int>(FControls.size()), 0, static_cast<int>(FWinControls.size()));
    FWinControls.insert(FWinControls.begin() + order, w);
  } else {
    std::erase(FControls, c);
    order = std::clamp(order, 0, static_cast<int>(FControls.size()));
    FControls.insert(FControls.begin() + order, c);
  }
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

// ---------------------------------------------------------------- painted controls

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), FCanvas(std::make_unique<TCanvas>()) {}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), FCanvas(std::make_unique<TCanvas>()) {}

void TCustomControl::PaintWindow(TCanvas* canvas) {
  TCanvasScope scope(FCanvas.get(), canvas, GetFont());
  Paint();
  TWinControl::PaintWindow(canvas);
}

// ---------------------------------------------------------------- helpers

TCustomForm* GetParentForm(const TControl* control) {
  const TControl* c = control;
  while (c && c->Parent()) c = c->Parent();
  return const_cast<TCustomForm*>(dynamic_cast<const TCustomForm*>(c));
}

TWinControl* FindControlWithFocus(TCustomForm* form) { return form && form->Active() ? form->GetActiveControl() : nullptr; }

void RegisterControlsClasses() {
  RegisterGraphicsClasses();
  RegisterIntegerConsts(TypeInfo<TCursor>(),
                        {{crDefault, "crDefault"}, {crNone, "crNone"}, {crArrow, "crArrow"}, {crCross, "crCross"},
                         {crIBeam, "crIBeam"}, {crSizeNESW, "crSizeNESW"}, {crSizeNS, "crSizeNS"},
                         {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"}, {crUpArrow, "crUpArrow"},
                         {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"}, {crNoDrop, "crNoDrop"},
                         {crHSplit, "crHSplit"}, {crVSplit, "crVSplit"}, {crNo, "crNo"},
                         {crAppStart, "crAppStart"}, {crHelp, "crHelp"}, {crHandPoint, "crHandPoint"},
                         {crSizeAll, "crSizeAll"}});
}

}  // namespace xel
