// Backend of forms: besides the window, the modal loop.
#pragma once

#include "WSControls.h"

namespace xel {

class TCustomForm;

class TWSCustomForm : public TWSWinControl {
public:
  // Runs until the form's ModalResult is not 0 (the form itself checks CloseQuery).
  virtual void RunModal(TCustomForm* form) = 0;
};

}  // namespace xel
