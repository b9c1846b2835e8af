// The widget-set interface below the controls: one backend class per control family.
// A backend creates a control's window and, when told which aspect changed, reads the
// new state from the control; input goes back through the controls' own entry points.
#pragma once

#include "Controls.h"

namespace xel {

// A backend's window; each widget set derives its own.
class TWidgetHandle {
public:
  virtual ~TWidgetHandle() = default;
};

class TWSWinControl {
public:
  virtual ~TWSWinControl() = default;
  // The parent's window exists already; the new window shows the control's whole state.
  virtual std::unique_ptr<TWidgetHandle> CreateHandle(TWinControl* control) = 0;
  virtual void Update(TWinControl* control, TWSAspect aspect) = 0;
  virtual void SetFocus(TWinControl* control) = 0;
  // The window is about to go; the control still holds it.
  virtual void DestroyHandle(TWinControl* control) { (void)control; }
  // The window edits, toggles or selects by itself on keys (a native edit or button): the
  // control then leaves its own key behaviour out and only runs its handlers.
  virtual bool NativeInput(const TWinControl* control) const {
    (void)control;
    return false;
  }
};

}  // namespace xel
