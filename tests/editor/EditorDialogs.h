// The editor run with the package's other windows answered in order: each scripted answer
// acts on one window (a search, a check, a setup) and closes it.
#pragma once

#include "EditorFixtures.h"

namespace xel::test {

struct TEditorDialogs : TEditorSession {
  std::deque<std::function<void(TCustomForm*)>> Dialogs;

  bool Run(TGlotta* glotta, const String& title = "") {
    TModalScript script([this](TCustomForm* f) {
      if (auto* dialog = dynamic_cast<TMyMsgForm*>(f)) return Answer(dialog);
      if (auto* editor = dynamic_cast<TGlottaEditorForm*>(f)) {
        ASSERT_FALSE(Steps.empty()) << "the editor waits once more than the test expected";
        auto step = std::move(Steps.front());
        Steps.pop_front();
        return step(editor);
      }
      ASSERT_FALSE(Dialogs.empty()) << "no answer for " << f->ClassName();
      auto answer = std::move(Dialogs.front());
      Dialogs.pop_front();
      answer(f);
    });
    return ExecuteGlottaEditor(title, glotta);
  }
};

// Presses a button of a dialog's button panel, by its place.
inline void Press(TButtonPanel* panel, int index) { panel->GetButtons()->Items(index)->Button()->Click(); }

}  // namespace xel::test
