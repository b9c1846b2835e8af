// Hello: the smallest multilingual application. One window in English and Deutsch: the
// language box switches it, the button shows a named string from code.
#include <cstdio>
#include <cstring>

#include "Application.h"
#include "HelloForm.h"
#include "QtWidgetSet.h"
#include "RegisterControls.h"

using namespace xel;

int main(int argc, char** argv) {
  try {
    // Qt windows, or none at all with --widgetset=headless.
    InstallChosenWidgetSet(argc, argv);
    RegisterControlClasses();
    RegisterGlottaClasses();
    RegisterClasses({THelloForm::StaticClass()});

    // Reads the form resource named after the class (THELLOFORM), which xel_add_forms
    // linked into the program.
    THelloForm* form = nullptr;
    Application->CreateForm(form);

    if (argc > 1 && std::strcmp(argv[1], "--print") == 0) {
      // Every language once, without waiting for the user.
      TStringList languages;
      form->Glotta()->GetLanguages(&languages);
      for (int i = 0; i < languages.Count(); ++i) {
        form->Glotta()->SetLanguage(languages[i]);
        std::printf("%s: %s | %s\n", languages[i].c_str(), form->Greeting()->GetText().c_str(),
                    form->Glotta()->GetString("Question").c_str());
      }
    } else {
      Application->Run();
    }
    FinalizeQtWidgetSet();
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "hello: %s\n", e.what());
    return 1;
  }
}
