// The demo's windows: the main form and a details form share the program's language;
// the tools form has a domain of its own. Their layouts and language data come from
// text form files made by the demo's build step.
#pragma once

#include <vector>

#include "Buttons.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Glotta.h"
#include "StdCtrls.h"

namespace xel::demo {

// The languages of every window, in the order the demo shows them.
inline const std::vector<String>& DemoLanguages() {
  static const std::vector<String> languages{"English", "Deutsch", "Fran\xC3\xA7" "ais"};
  return languages;
}

class TDemoForm : public TForm {
  XEL_CLASS(TDemoForm, TForm)
public:
  using TForm::TForm;
  template <class T>
  T* Find(const char* name) const {
    return OwnedComponent<T>(this, name);
  }
  TGlotta* Glotta() const { return Find<TGlotta>("Glotta"); }
  TLangComboBox* LangCombo() const { return Find<TLangComboBox>("LangCombo"); }
};

class TDemoMainForm : public TDemoForm {
  XEL_CLASS(TDemoMainForm, TDemoForm)
public:
  using TDemoForm::TDemoForm;
  // The text of the message the Message button shows, from the form's named strings.
  String MessageText() const;
  TStatusBar* Status() const { return Find<TStatusBar>("StatusBar"); }

  void DetailsClick(TObject*);
  void ToolsClick(TObject*);
  // Opens the translation editor on this window's texts, so that a user can fix them.
  void TranslateClick(TObject*);
  void MessageClick(TObject*);
  void AboutClick(TObject*);
  void ExitClick(TObject*);
  void GlottaChange(TObject*);

protected:
  // The status bar is filled from the start, not only after the first switch.
  void DoCreate() override;

public:
  static auto PublishedMethods() {
    using C = TDemoMainForm;
    return MethodTable<C>({PublishedMethod<&C::DetailsClick>("DetailsClick"),
                           PublishedMethod<&C::ToolsClick>("ToolsClick"),
                           PublishedMethod<&C::TranslateClick>("TranslateClick"),
                           PublishedMethod<&C::MessageClick>("MessageClick"),
                           PublishedMethod<&C::AboutClick>("AboutClick"), PublishedMethod<&C::ExitClick>("ExitClick"),
                           PublishedMethod<&C::GlottaChange>("GlottaChange")});
  }
};

class TDemoDetailsForm : public TDemoForm {
  XEL_CLASS(TDemoDetailsForm, TDemoForm)
public:
  using TDemoForm::TDemoForm;
  void CloseClick(TObject*);
  static auto PublishedMethods() {
    return MethodTable<TDemoDetailsForm>({PublishedMethod<&TDemoDetailsForm::CloseClick>("CloseClick")});
  }
};

class TDemoToolsForm : public TDemoForm {
  XEL_CLASS(TDemoToolsForm, TDemoForm)
public:
  using TDemoForm::TDemoForm;
  void CloseClick(TObject*);
  static auto PublishedMethods() {
    return MethodTable<TDemoToolsForm>({PublishedMethod<&TDemoToolsForm::CloseClick>("CloseClick")});
  }
};

// The program's windows, made on first use and owned by the application.
TDemoMainForm* MainForm();
TDemoDetailsForm* DetailsForm();
TDemoToolsForm* ToolsForm();

void RegisterDemoClasses();

}  // namespace xel::demo
