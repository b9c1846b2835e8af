// xeldesigner: opens a unit and the form beside it, shows the form in design state with
// the component palette, the object inspector and the unit's source, and runs the design
// packages of the registry key and of --package.
//
//   xeldesigner [--package FILE.so]... [--picture FILE.png] [UNIT.pas]
#include <cstdio>
#include <cstring>

#include <QImage>
#include <QPainter>

#include "Application.h"
#include "Designer.h"
#include "Glotta.h"
#include "Platform.h"
#include "QtWidgetSet.h"
#include "RegisterControls.h"

using namespace xel;

namespace {
// The form's window drawn over the main window, as a person sees both on the screen.
void ComposePicture(const String& mainFile, const String& formFile, const String& caption) {
  QImage main(QString::fromStdString(mainFile));
  QImage form(QString::fromStdString(formFile));
  if (main.isNull() || form.isNull()) return;
  const int bar = 22;
  const int x = std::max(0, (main.width() - form.width()) / 2 - 40);
  const int y = std::max(0, (main.height() - form.height() - bar) / 2);
  QPainter p(&main);
  p.fillRect(x - 1, y - 1, form.width() + 2, form.height() + bar + 2, QColor(60, 60, 60));
  p.fillRect(x, y, form.width(), bar, QColor(40, 80, 150));
  p.setPen(Qt::white);
  p.drawText(QRect(x + 6, y, form.width() - 12, bar), Qt::AlignVCenter | Qt::AlignLeft,
             QString::fromStdString(caption));
  p.drawImage(x, y + bar, form);
  p.end();
  main.save(QString::fromStdString(mainFile));
}
}  // namespace

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
        if (auto* form = dynamic_cast<TCustomForm*>(designer.GetRoot())) {
          const String formPicture = ChangeFileExt(picture, "") + "-form.png";
          SaveControlImage(form, formPicture);
          ComposePicture(picture, formPicture, form->GetText());
        }
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
