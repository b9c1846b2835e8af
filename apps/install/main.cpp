// install: copies the package's files into a folder, the library folder and the designer
// host's folder, registers the design package with the host, or undoes it.
//
//   install [--prefix DIR] [--run install|uninstall [--folder DIR] [--no-folder]
//           [--no-library] [--language NAME]]
//
// --prefix names the prefix whose library folder receives the runtime libraries. --run
// does without a person what the window offers, on the headless widget set: it chooses as
// the options say, runs the procedure and prints its log; every message box goes to the
// error output and is answered with OK.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Application.h"
#include "ButtonPanel.h"
#include "Glotta.h"
#include "GlottaInstallMain.h"
#include "HeadlessWidgetSet.h"
#include "InstallFiles.h"
#include "MRUComboBox.h"
#include "MsgBox.h"
#include "QtWidgetSet.h"
#include "RegisterControls.h"

using namespace xel;

namespace {
struct TOptions {
  String Run, Folder, Language;
  bool NoFolder = false, NoLibrary = false;
};

void Choose(TGlottaInstallForm* form, const TOptions& o) {
  if (!o.Language.empty()) form->Glotta()->SetLanguage(o.Language);
  (o.Run == "uninstall" ? static_cast<TRadioButton*>(form->BtnUninstall()) : form->BtnInstall())->SetChecked(true);
  if (o.NoFolder) form->BtnFolder()->SetChecked(false);
  if (!o.Folder.empty()) form->FolderSelect()->SetFieldText(o.Folder);
  if (o.NoLibrary) form->BtnWindows()->SetChecked(false);
}
}  // namespace

int main(int argc, char** argv) {
  try {
    // A run without a person needs no display and no one to close its message boxes.
    for (int i = 1; i < argc; ++i)
      if (std::strcmp(argv[i], "--run") == 0) setenv("XEL_WIDGETSET", "headless", 1);
    const String widgetSet = InstallChosenWidgetSet(argc, argv);
    RegisterControlClasses();
    RegisterInstallClasses();
    TOptions options;
    for (int i = 1; i < argc; ++i) {
      auto value = [&] { return i + 1 < argc ? String(argv[++i]) : String(); };
      if (std::strcmp(argv[i], "--prefix") == 0) SetInstallPrefix(value());
      else if (std::strcmp(argv[i], "--run") == 0) options.Run = value();
      else if (std::strcmp(argv[i], "--folder") == 0) options.Folder = value();
      else if (std::strcmp(argv[i], "--language") == 0) options.Language = value();
      else if (std::strcmp(argv[i], "--no-folder") == 0) options.NoFolder = true;
      else if (std::strcmp(argv[i], "--no-library") == 0) options.NoLibrary = true;
      else {
        std::fprintf(stderr, "install: unknown option %s\n", argv[i]);
        return 2;
      }
    }
    if (!options.Run.empty() && options.Run != "install" && options.Run != "uninstall") {
      std::fprintf(stderr, "install: --run takes install or uninstall\n");
      return 2;
    }
    if (widgetSet == "headless")
      HeadlessWidgetSet()->PushModalHandler([](TCustomForm* f) {
        if (auto* box = dynamic_cast<TMyMsgForm*>(f))
          for (const String& line : box->Lines()) std::fprintf(stderr, "install: %s\n", line.c_str());
        f->SetModalResult(mrOk);
      });
    Application->SetTitle("Setup");
    TGlottaInstallForm* form = nullptr;
    Application->CreateForm(form);
    int result = 0;
    if (!form->Accepted()) {
      result = 1;
    } else if (!options.Run.empty()) {
      Choose(form, options);
      form->ContinueButton()->Button()->Click();
      for (int i = 0; form->Log() && i < form->Log()->GetLines()->Count(); ++i)
        std::printf("%s\n", form->Log()->GetLines()->Strings(i).c_str());
    } else {
      form->Show();
      Application->Run();
    }
    // Its end keeps the folder history and the language.
    delete form;
    FinalizeQtWidgetSet();
    return result;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "install: %s\n", e.what());
    return 1;
  }
}
