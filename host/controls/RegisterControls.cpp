#include "RegisterControls.h"

#include "Buttons.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Grids.h"
#include "ListView.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "TreeView.h"

namespace xel {

void RegisterControlClasses() {
  RegisterFormsClasses();
  RegisterStdCtrlsClasses();
  RegisterExtCtrlsClasses();
  RegisterButtonsClasses();
  RegisterComCtrlsClasses();
  RegisterTreeViewClasses();
  RegisterListViewClasses();
  RegisterGridsClasses();
  RegisterDialogsClasses();
}

}  // namespace xel
