// The clipboard, as text, through the widget set.
#pragma once

#include "Classes.h"

namespace xel {

class TClipboard : public TPersistent {
  XEL_CLASS(TClipboard, TPersistent)
public:
  String GetAsText() const;
  void SetAsText(const String& v);
  bool HasText() const { return !GetAsText().empty(); }
  void Clear() { SetAsText(""); }
};

// The program's clipboard; without a widget set it is private to the process.
TClipboard* Clipboard();

}  // namespace xel
