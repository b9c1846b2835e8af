// The Qt backends' common part: the handle (the widget and where children go), the
// translation of Qt's input into the host's, and the owner-drawn widget that serves
// every control without a native counterpart (grids, tree and list views, panels, bars).
#pragma once

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include "QtCanvas.h"
#include "WSControls.h"

namespace xel {

class TQtHandle : public TWidgetHandle {
public:
  TQtHandle(QWidget* widget, QWidget* container) : Widget(widget), Container(container ? container : widget) {}
  ~TQtHandle() override { delete Widget.data(); }
  QPointer<QWidget> Widget;     // the control's own widget (a form's window)
  QPointer<QWidget> Container;  // where child controls' widgets go
  bool Pushing = false;         // state going to the widget: its change signals are not input
};

TQtHandle* QtHandle(const TWinControl* control);
QWidget* QtWidget(const TWinControl* control);

// Qt's keys and buttons as the host's; 0 for keys the host does not name.
Word HostKey(const QKeyEvent* e);
TShiftState HostShift(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = {});
TMouseButton HostButton(Qt::MouseButton button);

bool HasGraphicChildren(const TWinControl* control);

// Input of a widget handed to its control. A key goes through the host first (the form's
// shortcuts and preview, the handlers, dialog keys); only what is left reaches the native
// widget. Mouse input goes to the graphic child under the mouse, or to the control.
class TQtInput {
public:
  explicit TQtInput(TWinControl* control) : FControl(control) {}
  // True when the host consumed the key.
  bool KeyPress(QKeyEvent* e);
  bool KeyRelease(QKeyEvent* e);
  void MousePress(QMouseEvent* e, bool dbl);
  void MouseMove(QMouseEvent* e);
  void MouseRelease(QMouseEvent* e);
  void FocusIn();
  TWinControl* Control() const { return FControl; }

private:
  TControl* PressTarget() const;
  TPoint Local(const TControl* target, QPoint p) const;
  TWinControl* FControl;
  TControl* FMouseTarget = nullptr;  // where the press went: moves and the release follow it
};

// A widget class with the host's input: Tab goes to the host, which moves the focus itself.
// Native widgets that handle their own mouse input pass forwardMouse false.
template <class Base>
class TQtWidget : public Base {
public:
  template <class... A>
  TQtWidget(TWinControl* control, bool ownerDrawn, bool forwardMouse, A&&... args)
      : Base(std::forward<A>(args)...), FInput(control), FOwnerDrawn(ownerDrawn), FForwardMouse(forwardMouse) {
    this->setFocusPolicy(control->GetTabStop() ? Qt::StrongFocus : Qt::ClickFocus);
  }
  TQtInput& Input() { return FInput; }

protected:
  bool focusNextPrevChild(bool) override { return false; }
  // A key is the host's once: what neither the host nor the native widget took does not
  // travel on to the parent widget.
  void keyPressEvent(QKeyEvent* e) override {
    if (!FInput.KeyPress(e)) Base::keyPressEvent(e);
    e->accept();
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    if (!FInput.KeyRelease(e)) Base::keyReleaseEvent(e);
  }
  void mousePressEvent(QMouseEvent* e) override {
    Base::mousePressEvent(e);
    if (FForwardMouse || e->button() == Qt::RightButton) FInput.MousePress(e, false);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    Base::mouseDoubleClickEvent(e);
    if (FForwardMouse) FInput.MousePress(e, true);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    Base::mouseMoveEvent(e);
    if (FForwardMouse) FInput.MouseMove(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    Base::mouseReleaseEvent(e);
    if (FForwardMouse || e->button() == Qt::RightButton) FInput.MouseRelease(e);
  }
  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    FInput.FocusIn();
  }
  // Native widgets paint themselves; graphic children (labels on a group box) come on top.
  void paintEvent(QPaintEvent* e) override {
    if (!FOwnerDrawn) {
      Base::paintEvent(e);
      if (!HasGraphicChildren(FInput.Control())) return;
    }
    QPainter painter(this);
    PaintControl(FInput.Control(), &painter, FOwnerDrawn);
  }

private:
  TQtInput FInput;
  bool FOwnerDrawn;
  bool FForwardMouse;
};

// The backend of windowed controls: an owner-drawn widget by default; native families
// override CreateWidget and Push.
class TQtWSWinControl : public TWSWinControl {
public:
  std::unique_ptr<TWidgetHandle> CreateHandle(TWinControl* control) override;
  void Update(TWinControl* control, TWSAspect aspect) override;
  void SetFocus(TWinControl* control) override;
  bool NativeInput(const TWinControl*) const override { return FNative; }

protected:
  explicit TQtWSWinControl(bool native = false) : FNative(native) {}
  friend class TQtWidgetSet;
  // The widget (and, for forms, the container of the children) inside the parent's container.
  virtual std::unique_ptr<TQtHandle> CreateWidget(TWinControl* control, QWidget* parent);
  // Pushes one aspect of the control's state into its widget.
  virtual void Push(TWinControl* control, TQtHandle& h, TWSAspect aspect);
  // The aspects that a new widget receives.
  static constexpr TWSAspect InitialAspects[] = {waFont, waColor, waText, waItems, waItemIndex, waState, waReadOnly,
                                                 waStyle, waEnabled, waHint, waBounds, waVisible};

private:
  bool FNative;
};

// Places a child widget at its control's bounds within the parent's container.
void PlaceWidget(TWinControl* control, QWidget* widget);

// A pop-up or drop-down menu filled with a host menu item's children.
class TMenuItem;
void FillQtMenu(QMenu* menu, TMenuItem* parent);

// The native families, registered by the widget set.
class TQtWidgetSet;
void RegisterQtStdCtrls(TQtWidgetSet* ws);
void RegisterQtForms(TQtWidgetSet* ws);

}  // namespace xel
