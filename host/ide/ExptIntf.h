// The interface of an expert: a package's tool that the designer lists and that usually
// puts its commands into the designer's main menu. The operations keep their order, which
// experts written against the classic interface rely on.
#pragma once

#include <cstdint>

#include "PropTable.h"

namespace xel {

XEL_ENUM(TExpertStyle, esStandard, esForm, esProject, esAddIn)
XEL_ENUM(TExpertStateItem, esEnabled, esChecked)
XEL_SET(TExpertState, TExpertStateItem)

class TIExpert : public TObject {
  XEL_CLASS(TIExpert, TObject)
public:
  TIExpert() = default;
  TIExpert(const TIExpert&) = delete;
  TIExpert& operator=(const TIExpert&) = delete;

  virtual String GetName() = 0;
  virtual String GetAuthor() = 0;
  virtual String GetComment() = 0;
  virtual String GetPage() = 0;
  // A handle of the expert's icon; 0 for none.
  virtual std::uintptr_t GetGlyph() = 0;
  virtual TExpertStyle GetStyle() = 0;
  virtual TExpertState GetState() = 0;
  virtual String GetIDString() = 0;
  virtual String GetMenuText() = 0;
  virtual void Execute() = 0;
};

}  // namespace xel
