// xeldesigner: opens a unit and the form beside it, shows the form in design state with
// the component palette, the object inspector and the unit's source, and runs the design
// packages of the registry key and of --package.
//
//   xeldesigner [--package FILE.so]... [--picture FILE.png] [UNIT.pas]
#include <cstdio>
#include <cstring>

#include "Application.h"
#include "Designer.h"
#include "Glotta.h"
#include "Platform.h"
#include "QtWidgetSet.h"
#include "RegisterControls.h"

using namespace xel;

int main(int argc, char** argv) {
  try {
    InstallChosenWidgetSet(argc, argv);
    RegisterControlClasses();
    RegisterGlottaClasses();
    std::vector<String> packages;
    String unit, picture;
    for (int i = 1; i < argc; ++i) {
      if (std::strcmp(argv[i], "--package") == 0 && i + 1 < argc) packages.push_back(argv[++i]);
      else if (std::strcmp(argv[i], "--picture") == 0 && i + 1 < argc) picture = argv[++i];
      else if (std::strncmp(argv[i], "--", 2) != 0) unit = argv[i];
    }
    {
      TDesigner designer;
      RecordDesignerInstallation(GetModuleFileName());
      designer.LoadPackages(packages);
      for (const String& m : designer.Messages()) std::fprintf(stderr, "xeldesigner: %s\n", m.c_str());
      if (!unit.empty()) designer.Open(unit);
      designer.MainForm()->Show();
      if (designer.Current()) designer.ShowForm(designer.Current());
      if (!picture.empty()) {
        Application->ProcessMessages();
        SaveControlImage(designer.MainForm(), picture);
        if (auto* form = dynamic_cast<TCustomForm*>(designer.GetRoot()))
          SaveControlImage(form, ChangeFileExt(picture, "") + "-form.png");
      } else {
        Application->SetMainForm(designer.MainForm());
        Application->Run();
      }
    }
    FinalizeQtWidgetSet();
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "xeldesigner: %s\n", e.what());
    return 1;
  }
}
