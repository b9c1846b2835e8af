#include "HelloForm.h"

#include "Dialogs.h"

using namespace xel;

// A text from code: the named string "Question", in the language the window shows.
void THelloForm::GreetClick(TObject*) { MessageDlg(Glotta()->GetString("Question"), mtInformation, {mbOK}, 0); }
