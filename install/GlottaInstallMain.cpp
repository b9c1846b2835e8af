#include "GlottaInstallMain.h"

#include <sys/stat.h>
#include <unistd.h>

#include "Application.h"
#include "ButtonPanel.h"
#include "ConfigFile.h"
#include "FileSelect.h"
#include "FileTools.h"
#include "Glotta.h"
#include "InstallFiles.h"
#include "LangComboBox.h"
#include "MRUComboBox.h"
#include "MsgBox.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /install/GlottaInstallMain.cpp 1 11.12.26 4:15 XG $")

namespace xel {

namespace {
constexpr const char* kDirBoxes[] = {"BtnD3Dir", "BtnD4Dir", "BtnD5Dir"};
constexpr const char* kRegBoxes[] = {"BtnD3", "BtnD4", "BtnD5"};
constexpr int kVersions = 3;

// The copy gets the source's permissions, writable: a program stays a program, and a file
// that was read-only beside the installer does not stay so where it was put.
void SetNormalAttributes(const String& source, const String& dest) {
  struct stat st;
  if (stat(source.c_str(), &st) == 0) chmod(dest.c_str(), (st.st_mode & 0777) | S_IRUSR | S_IWUSR);
  else FileSetReadOnly(dest, false);
}
}  // namespace

TGlottaInstallForm::TGlottaInstallForm(TComponent* owner) : TForm(owner) {}

// The form's own fields are gone when the base destructor would fire OnDestroy, so the end
// runs here.
TGlottaInstallForm::~TGlottaInstallForm() {
  try {
    FormDestroy(this);
  } catch (...) {
    Application->HandleException(this);
  }
}

TGroupBox* TGlottaInstallForm::GroupMode() const { return OwnedComponent<TGroupBox>(this, "GroupMode"); }
TRadioButton* TGlottaInstallForm::BtnInstall() const { return OwnedComponent<TRadioButton>(this, "BtnInstall"); }
TRadioButton* TGlottaInstallForm::BtnUninstall() const { return OwnedComponent<TRadioButton>(this, "BtnUninstall"); }
TCheckBox* TGlottaInstallForm::BtnFolder() const { return OwnedComponent<TCheckBox>(this, "BtnFolder"); }
TMRUComboBox* TGlottaInstallForm::FolderSelect() const { return OwnedComponent<TMRUComboBox>(this, "FolderSelect"); }
TGroupBox* TGlottaInstallForm::GroupFolder() const { return OwnedComponent<TGroupBox>(this, "GroupFolder"); }
TGroupBox* TGlottaInstallForm::GroupReg() const { return OwnedComponent<TGroupBox>(this, "GroupReg"); }
TCheckBox* TGlottaInstallForm::BtnWindows() const { return OwnedComponent<TCheckBox>(this, "BtnWindows"); }
TCheckBox* TGlottaInstallForm::BtnDir(int version) const { return OwnedComponent<TCheckBox>(this, kDirBoxes[version]); }
TCheckBox* TGlottaInstallForm::BtnReg(int version) const { return OwnedComponent<TCheckBox>(this, kRegBoxes[version]); }
TPanel* TGlottaInstallForm::PanelMain() const { return OwnedComponent<TPanel>(this, "PanelMain"); }
TButtonPanel* TGlottaInstallForm::ButtonPanel() const { return OwnedComponent<TButtonPanel>(this, "ButtonPanel"); }
TButtonItem* TGlottaInstallForm::ContinueButton() const { return ButtonPanel()->GetButtons()->Items(0); }
TButtonItem* TGlottaInstallForm::CloseButton() const { return ButtonPanel()->GetButtons()->Items(1); }
TGlotta* TGlottaInstallForm::Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }
TLangComboBox* TGlottaInstallForm::LangComboBox() const { return OwnedComponent<TLangComboBox>(this, "LangComboBox"); }
TConfigFile* TGlottaInstallForm::Config() const { return OwnedComponent<TConfigFile>(this, "Config"); }
TConfigFile* TGlottaInstallForm::ConfigLang() const { return OwnedComponent<TConfigFile>(this, "ConfigLang"); }

// ---- start and end --------------------------------------------------------------------------

void TGlottaInstallForm::FormCreate(TObject*) {
  try {
    const std::vector<TInstallVersion>& versions = InstallVersions();
    bool any = false;
    for (int v = 0; v < kVersions; ++v) {
      FHas[v] = FileExist(ExpandFileNameByDir(versions[v].Design.front(), InstallerFolder()));
      any = any || FHas[v];
    }
    if (!any) {
      ShowMessageOf("NoFiles", MsgBox::mtError);
      return;
    }
    BtnWindows()->SetHint(RemoveBackslash(LibraryFolder()));
    GlottaChange(nullptr);
    FRegistry = std::make_unique<TRegistry>();
    for (int v = 0; v < kVersions; ++v) {
      if (!FHas[v]) continue;
      TCheckBox* dir = BtnDir(v);
      FRegistry->SetRootKey(HKEY_LOCAL_MACHINE);
      FRegistry->CloseKey();
      if (FRegistry->OpenKeyReadOnly(versions[v].InstallKey) && FRegistry->ValueExists(versions[v].ProgramValue)) {
        const String folder = RemoveBackslash(ExtractFilePath(FRegistry->ReadString(versions[v].ProgramValue)));
        if (!folder.empty()) {
          dir->SetText(ShortPath(folder, 35));
          dir->SetHint(folder);
          dir->SetChecked(true);
          dir->SetEnabled(true);
        }
      }
      FRegistry->CloseKey();
      BtnReg(v)->SetChecked(dir->GetEnabled());
      BtnReg(v)->SetEnabled(dir->GetEnabled());
    }
    FAccepted = true;
  } catch (const std::exception&) {
    FAccepted = false;
    ShowMessageOf("EUnknownError", MsgBox::mtError);
  }
}

void TGlottaInstallForm::FormDestroy(TObject*) {
  FRegistry.reset();
  Config()->Save();
  ConfigLang()->Save();
}

void TGlottaInstallForm::FormCloseQuery(TObject*, bool& canClose) { canClose = GetEnabled(); }

void TGlottaInstallForm::ButtonPanelCloseClick(TObject*) { Close(); }

// The form file binds the panel's event, not the items': the language tool that merges the
// form's texts keeps the events of components only.
void TGlottaInstallForm::ButtonPanelButtonClick(TObject*, TButtonItem* item) {
  if (item == ContinueButton()) ButtonPanelContinueClick(item->Button());
  else if (item == CloseButton()) ButtonPanelCloseClick(item->Button());
}

void TGlottaInstallForm::ShowMessageOf(const char* name, int type) {
  MsgBox::MsgEx(Glotta()->GetString(name), "", static_cast<MsgBox::TMsgBoxType>(type), {MsgBox::mbOK}, 0,
                Glotta()->GetDomain());
}

// ---- control states -------------------------------------------------------------------------

void TGlottaInstallForm::GlottaChange(TObject*) {
  TCheckBox* windows = BtnWindows();
  windows->SetText(windows->GetHint() + " " + Glotta()->GetString("RTOnly"));
}

void TGlottaInstallForm::BtnInstallClick(TObject*) {
  GroupReg()->SetEnabled(BtnInstall()->GetChecked());
  UpdateControls();
}

void TGlottaInstallForm::BtnClick(TObject*) { UpdateControls(); }

void TGlottaInstallForm::UpdateControls() {
  FolderSelect()->SetEnabled(BtnFolder()->GetChecked());
  for (int v = 0; v < kVersions; ++v) {
    TCheckBox* reg = BtnReg(v);
    const bool active = BtnDir(v)->GetChecked() && GroupReg()->GetEnabled();
    if (active == reg->GetEnabled()) continue;
    // The choice of a box that goes inactive waits in its Tag until it comes back.
    if (active) {
      reg->SetChecked(reg->Tag() != 0);
    } else {
      reg->SetTag(reg->GetChecked() ? 1 : 0);
      reg->SetChecked(false);
    }
    reg->SetEnabled(active);
  }
  bool any = BtnFolder()->GetChecked() || BtnWindows()->GetChecked();
  for (int v = 0; v < kVersions; ++v) any = any || BtnDir(v)->GetChecked();
  ContinueButton()->SetEnabled(any);
}

void TGlottaInstallForm::FolderSelectButtonClick(TObject*) { BrowseForFolder(FolderSelect(), GroupFolder()->GetText()); }

// ---- the procedure --------------------------------------------------------------------------

void TGlottaInstallForm::LogLine(const String& line) { FLog->GetLines()->Add(line); }

void TGlottaInstallForm::LogString(const char* name, std::initializer_list<String> args) {
  String text = Glotta()->GetString(name);
  switch (args.size()) {
    case 0: break;
    case 1: text = Format(text, {*args.begin()}); break;
    default: text = Format(text, {*args.begin(), *(args.begin() + 1)}); break;
  }
  LogLine(text);
}

void TGlottaInstallForm::ButtonPanelContinueClick(TObject*) {
  try {
    const TCursor cursor = Screen->GetCursor();
    Screen->SetCursor(crHourGlass);
    SetEnabled(false);
    CloseButton()->SetEnabled(false);
    ContinueButton()->SetVisible(false);
    PanelMain()->SetEnabled(false);
    PanelMain()->SetVisible(false);
    if (!FLog) {
      FLog = New<TRichEdit>(this);
      FLog->SetName("Log");
      FLog->SetParent(this);
      FLog->SetAlign(alClient);
      FLog->SetReadOnly(true);
      FLog->SetParentColor(true);
      FLog->SetScrollBars(ssBoth);
      FLog->SetWordWrap(false);
    }
    FReportErrors = true;
    FInstalling = BtnInstall()->GetChecked();
    {
      // The form comes back and the log ends whatever happened on the way.
      TFinally finish([&] {
        SetEnabled(true);
        CloseButton()->SetEnabled(true);
        Screen->SetCursor(cursor);
        LogLine("");
        LogString("Finished");
      });
      RunProcedure();
    }
    ShowMessageOf(BtnInstall()->GetChecked() ? "InstallationCompleted" : "DeinstallationCompleted",
                  MsgBox::mtInformation);
  } catch (const std::exception&) {
    ShowMessageOf("EUnknownError", MsgBox::mtError);
  }
}

void TGlottaInstallForm::RunProcedure() {
  const std::vector<TInstallVersion>& versions = InstallVersions();
  LogString(FInstalling ? "InstStatus" : "UninstStatus");
  LogLine("");
  if (BtnFolder()->GetChecked()) ProcessInstallFolder();
  if (BtnWindows()->GetChecked()) {
    // A user's library folder may not exist yet; the system's always does.
    if (FInstalling) CreateDirRecurse(BtnWindows()->GetHint());
    for (int v = 0; v < kVersions; ++v)
      if (FHas[v]) ProcessFiles(versions[v].Runtime, BtnWindows()->GetHint());
  }
  for (int v = 0; v < kVersions; ++v) {
    TCheckBox* dir = BtnDir(v);
    if (!FHas[v] || !dir->GetEnabled() || !dir->GetChecked()) continue;
    ProcessFiles(versions[v].Runtime, dir->GetHint());
    ProcessFiles(versions[v].Design, dir->GetHint());
    ProcessFiles(HelpFiles(), dir->GetHint());
  }
  auto packageIn = [&](int v) { return ExpandFileNameByDir(versions[v].Design.front(), BtnDir(v)->GetHint()); };
  auto registering = [&](int v) { return BtnReg(v)->GetEnabled() && BtnReg(v)->GetChecked(); };
  for (int v = 0; v < kVersions; ++v)
    if (FHas[v] && (!FInstalling || registering(v))) RegisterPackage(versions[v].KnownPackages, packageIn(v));
  // Not installing, the registration step takes the package off the list of disabled ones.
  FInstalling = false;
  for (int v = 0; v < kVersions; ++v)
    if (FHas[v] && registering(v)) RegisterPackage(versions[v].DisabledPackages, packageIn(v));
}

void TGlottaInstallForm::ProcessInstallFolder() {
  const std::vector<TInstallVersion>& versions = InstallVersions();
  TMRUComboBox* select = FolderSelect();
  select->Validate();
  const String folder = RemoveBackslash(ExpandHomeFolder(select->GetFieldText()));
  // Its own folder holds what the installer copies: nothing is copied onto itself.
  if (SameText(AppendBackslash(ExpandFileName(folder)), AppendBackslash(ExpandFileName(InstallerFolder())))) return;
  if (FInstalling) {
    if (DirExist(folder)) LogString("DirAlreadyExists", {folder});
    else if (CreateDirRecurse(folder)) LogString("DirCreated", {folder});
    else LogString("EDirCreate", {folder});
  } else if (!DirExist(folder)) {
    LogString("EDirNotFound", {folder});
  }
  if (!DirExist(folder)) return;
  for (int v = 0; v < kVersions; ++v)
    if (FHas[v]) {
      ProcessFiles(versions[v].Runtime, folder);
      ProcessFiles(versions[v].Design, folder);
    }
  ProcessFiles(HelpFiles(), folder);
  ProcessFiles(OtherFiles(), folder);
  // The framework's libraries are there only when the package brought them.
  FReportErrors = false;
  for (int v = 0; v < kVersions; ++v)
    if (FHas[v]) ProcessFiles(versions[v].HostLibrary, folder);
  FReportErrors = true;
  if (!FInstalling) {
    if (rmdir(folder.c_str()) == 0) LogString("DirDeleted", {folder});
    else LogString("EDirDelete", {folder});
  }
}

void TGlottaInstallForm::ProcessFiles(const std::vector<String>& files, const String& folder) {
  for (const String& file : files) {
    const String dest = ExpandFileNameByDir(file, folder);
    if (FInstalling) {
      const String source = ExpandFileNameByDir(file, InstallerFolder());
      try {
        CopyFileEx(source, dest);
        SetNormalAttributes(source, dest);
        LogString("FileCopied", {file, RemoveBackslash(folder)});
      } catch (const std::exception&) {
        if (FReportErrors || FileExist(source)) LogString("EFileCopy", {file, RemoveBackslash(folder)});
      }
    } else if (FileExist(dest)) {
      FileSetReadOnly(dest, false);
      if (DeleteFile(dest)) LogString("FileDeleted", {dest});
      else if (FReportErrors) LogString("EFileDelete", {dest});
    }
    Application->ProcessMessages();
  }
}

void TGlottaInstallForm::RegisterPackage(const String& key, const String& package) {
  FRegistry->CloseKey();
  FRegistry->SetRootKey(HKEY_CURRENT_USER);
  if (!FRegistry->OpenKey(key, false)) return;
  const String name = ExtractFileName(package);
  if (FInstalling) {
    try {
      // A folder in the package's place (a copy that failed) is no package the designer
      // could load.
      if (!FileExists(package)) throw EInOutError(package);
      FRegistry->WriteString(package, PackageDescription);
      LogString("PackageRegistered", {name});
    } catch (const std::exception&) {
      LogString("EPackageRegister", {name});
    }
  } else {
    try {
      FRegistry->DeleteValue(package);
    } catch (const std::exception&) {
    }
  }
  FRegistry->CloseKey();
}

void RegisterInstallClasses() {
  RegisterGlottaClasses();
  RegisterMRUComboBoxClasses();
  RegisterButtonPanelClasses();
  RegisterConfigFileClasses();
  RegisterMsgBoxClasses();
  RegisterClasses({TGlottaInstallForm::StaticClass()});
}

}  // namespace xel
