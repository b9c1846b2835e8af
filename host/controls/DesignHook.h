// A window in design state hands its mouse input to the designer that shows it: clicks
// select components and do not act. The designer installs a hook per window it shows.
#pragma once

#include "Controls.h"

namespace xel {

class TDesignHook {
public:
  virtual ~TDesignHook() = default;
  virtual void DesignMouseDown(TControl* control, TMouseButton button, TShiftState shift, Integer x, Integer y) = 0;
  virtual void DesignDblClick(TControl* control) = 0;
};

// The hook of the top-level window; null removes it (before the window goes).
void SetDesignHook(TWinControl* window, TDesignHook* hook);
// The hook of the window the control lies on, when the control is being designed.
TDesignHook* FindDesignHook(const TControl* control);

}  // namespace xel
