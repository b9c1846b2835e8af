#include "RegisterControls.h"

#include "Buttons.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

namespace xel {

void RegisterControlClasses() {
  RegisterFormsClasses();
  RegisterStdCtrlsClasses();
  RegisterExtCtrlsClasses();
  RegisterButtonsClasses();
  RegisterDialogsClasses();
}

}  // namespace xel
