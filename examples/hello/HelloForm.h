// The window of the example: a greeting, a button, a language box and the language
// component, all made from the form file HelloForm.dfm.
#pragma once

#include "Forms.h"
#include "Glotta.h"
#include "StdCtrls.h"

class THelloForm : public xel::TForm {
  XEL_CLASS(THelloForm, xel::TForm)
public:
  using TForm::TForm;

  // The components the form file made, found by their names.
  xel::TGlotta* Glotta() const { return xel::OwnedComponent<xel::TGlotta>(this, "Glotta"); }
  xel::TLabel* Greeting() const { return xel::OwnedComponent<xel::TLabel>(this, "LabelGreeting"); }

  // The button's OnClick; the form file names it.
  void GreetClick(xel::TObject* sender);

  static auto PublishedMethods() {
    return xel::MethodTable<THelloForm>({xel::PublishedMethod<&THelloForm::GreetClick>("GreetClick")});
  }
};
