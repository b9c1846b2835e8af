// The system's warning beep. Without a widget set that can sound it (the headless one),
// it is silent; Qt's widget set installs its own.
#pragma once

namespace xel {

void MessageBeep();

using TBeepProc = void (*)();
// Returns the procedure it replaces; nullptr makes the beep silent.
TBeepProc SetBeepProc(TBeepProc proc);

}  // namespace xel
