#include "QtWSControls.h"

#include "Forms.h"

namespace xel {

TQtHandle* QtHandle(const TWinControl* control) {
  return control ? static_cast<TQtHandle*>(control->HandleIfAllocated()) : nullptr;
}

QWidget* QtWidget(const TWinControl* control) {
  TQtHandle* h = QtHandle(control);
  return h ? h->Widget.data() : nullptr;
}

Word HostKey(const QKeyEvent* e) {
  const int k = e->key();
  if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) return static_cast<Word>(k);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return static_cast<Word>(VK_F1 + (k - Qt::Key_F1));
  switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    default: return 0;
  }
}

TShiftState HostShift(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s;
  if (modifiers & Qt::ShiftModifier) s.Include(ssShift);
  if (modifiers & Qt::ControlModifier) s.Include(ssCtrl);
  if (modifiers & Qt::AltModifier) s.Include(ssAlt);
  if (buttons & Qt::LeftButton) s.Include(ssLeft);
  if (buttons & Qt::RightButton) s.Include(ssRight);
  if (buttons & Qt::MiddleButton) s.Include(ssMiddle);
  return s;
}

TMouseButton HostButton(Qt::MouseButton button) {
  return button == Qt::RightButton ? mbRight : button == Qt::MiddleButton ? mbMiddle : mbLeft;
}

bool HasGraphicChildren(const TWinControl* control) {
  for (int i = 0; i < control->ControlCount(); ++i)
    if (!dynamic_cast<TWinControl*>(control->Controls(i))) return true;
  return false;
}

// ---------------------------------------------------------------- input

bool TQtInput::KeyPress(QKeyEvent* e) {
  Word key = HostKey(e);
  TShiftState shift = HostShift(e->modifiers());
  if (e->key() == Qt::Key_Backtab) shift.Include(ssShift);
  if (key && FControl->SendKeyDown(key, shift)) return true;
  if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return false;
  String text = HostString(e->text());
  bool consumed = false;
  for (char c : text)
    if (FControl->SendKeyPress(c)) consumed = true;
  return consumed;
}

bool TQtInput::KeyRelease(QKeyEvent* e) {
  if (Word key = HostKey(e)) FControl->SendKeyUp(key, HostShift(e->modifiers()));
  return false;
}

// The control the button went down on, while it is still a child here; else this control.
TControl* TQtInput::PressTarget() const {
  if (!FMouseTarget || FMouseTarget == FControl) return FControl;
  for (int i = 0; i < FControl->ControlCount(); ++i)
    if (FControl->Controls(i) == FMouseTarget) return FMouseTarget;
  return FControl;
}

// A widget position in the coordinates of a graphic child (or of the control itself).
TPoint TQtInput::Local(const TControl* target, QPoint p) const {
  return target == FControl ? TPoint{p.x(), p.y()} : TPoint{p.x() - target->Left(), p.y() - target->Top()};
}

void TQtInput::MousePress(QMouseEvent* e, bool dbl) {
  QPoint p = e->position().toPoint();
  TControl* target = FControl->ControlAtPos({p.x(), p.y()});
  if (!target || !target->IsEnabled()) target = FControl;
  FMouseTarget = target;
  TPoint at = Local(target, p);
  if (dbl) target->DblClick();
  else target->MouseDown(HostButton(e->button()), HostShift(e->modifiers(), e->buttons()), at.X, at.Y);
}

void TQtInput::MouseMove(QMouseEvent* e) {
  TControl* target = e->buttons() ? PressTarget() : FControl;
  TPoint at = Local(target, e->position().toPoint());
  target->MouseMove(HostShift(e->modifiers(), e->buttons()), at.X, at.Y);
}

void TQtInput::MouseRelease(QMouseEvent* e) {
  TControl* target = PressTarget();
  FMouseTarget = nullptr;
  TPoint at = Local(target, e->position().toPoint());
  target->MouseUp(HostButton(e->button()), HostShift(e->modifiers(), e->buttons()), at.X, at.Y);
}

void TQtInput::FocusIn() {
  TCustomForm* form = GetParentForm(FControl);
  if (!form || static_cast<TControl*>(form) == FControl) return;
  if (form->GetActiveControl() != FControl && FControl->CanFocus()) form->FocusControl(FControl);
}

// ---------------------------------------------------------------- the default backend

void PlaceWidget(TWinControl* control, QWidget* widget) {
  widget->setGeometry(control->Left(), control->Top(), control->Width(), control->Height());
}

std::unique_ptr<TQtHandle> TQtWSWinControl::CreateWidget(TWinControl* control, QWidget* parent) {
  auto* w = new TQtWidget<QWidget>(control, true, true, parent);
  w->setAutoFillBackground(true);
  return std::make_unique<TQtHandle>(w, w);
}

std::unique_ptr<TWidgetHandle> TQtWSWinControl::CreateHandle(TWinControl* control) {
  TQtHandle* parent = QtHandle(control->Parent());
  auto h = CreateWidget(control, parent ? parent->Container.data() : nullptr);
  h->Pushing = true;
  for (TWSAspect a : InitialAspects) Push(control, *h, a);
  h->Pushing = false;
  return h;
}

void TQtWSWinControl::Update(TWinControl* control, TWSAspect aspect) {
  TQtHandle* h = QtHandle(control);
  if (!h || !h->Widget || h->Pushing) return;
  h->Pushing = true;
  TFinally done([h] { h->Pushing = false; });
  Push(control, *h, aspect);
}

void TQtWSWinControl::Push(TWinControl* c, TQtHandle& h, TWSAspect aspect) {
  QWidget* w = h.Widget;
  switch (aspect) {
    case waBounds: PlaceWidget(c, w); break;
    case waVisible: w->setVisible(c->GetVisible()); break;
    case waEnabled: w->setEnabled(c->GetEnabled()); break;
    case waFont: w->setFont(QtFont(*c->GetFont())); break;
    case waColor: {
      QPalette p = w->palette();
      p.setColor(QPalette::Window, QtColor(c->GetColor()));
      p.setColor(QPalette::Base, QtColor(c->GetColor()));
      p.setColor(QPalette::WindowText, QtColor(c->GetFont()->GetColor()));
      p.setColor(QPalette::Text, QtColor(c->GetFont()->GetColor()));
      w->setPalette(p);
      break;
    }
    case waHint: w->setToolTip(c->GetShowHint() ? QtString(c->GetHint()) : QString()); break;
    default: w->update(); break;
  }
}

void TQtWSWinControl::SetFocus(TWinControl* control) {
  if (QWidget* w = QtWidget(control); w && !w->hasFocus()) w->setFocus(Qt::OtherFocusReason);
}

}  // namespace xel
