// The installer's window: copies the package's files into a folder, the library folder and
// the designer host's folder, registers the design package with the host, and undoes all
// of it on request, logging every step in the window's language.
#pragma once

#include <memory>

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Registry.h"
#include "StdCtrls.h"

namespace xel {

class TButtonItem;
class TButtonPanel;
class TConfigFile;
class TGlotta;
class TLangComboBox;
class TMRUComboBox;
struct TInstallVersion;

class TGlottaInstallForm : public TForm {
  XEL_CLASS(TGlottaInstallForm, TForm)
public:
  explicit TGlottaInstallForm(TComponent* owner);
  ~TGlottaInstallForm() override;

  TGroupBox* GroupMode() const;
  TRadioButton* BtnInstall() const;
  TRadioButton* BtnUninstall() const;
  TCheckBox* BtnFolder() const;
  TMRUComboBox* FolderSelect() const;
  TGroupBox* GroupFolder() const;
  TGroupBox* GroupReg() const;
  TCheckBox* BtnWindows() const;
  // The host's folder box and registration box of version 0, 1, 2 (3, 4, 5).
  TCheckBox* BtnDir(int version) const;
  TCheckBox* BtnReg(int version) const;
  TPanel* PanelMain() const;
  TButtonPanel* ButtonPanel() const;
  TButtonItem* ContinueButton() const;
  TButtonItem* CloseButton() const;
  TGlotta* Glotta() const;
  TLangComboBox* LangComboBox() const;
  TConfigFile* Config() const;
  TConfigFile* ConfigLang() const;

  // Start-up found files to install and no error.
  bool Accepted() const { return FAccepted; }
  bool Has(int version) const { return FHas[version]; }
  // The procedure's log; none before it runs.
  TRichEdit* Log() const { return FLog; }

  void FormCreate(TObject*);
  // Run by the destructor: the registry goes, both configurations are saved.
  void FormDestroy(TObject*);
  void FormCloseQuery(TObject*, bool& canClose);
  void BtnInstallClick(TObject*);
  void BtnClick(TObject*);
  void GlottaChange(TObject*);
  void FolderSelectButtonClick(TObject*);
  // The panel's buttons: 0 runs the procedure, 1 closes.
  void ButtonPanelButtonClick(TObject*, TButtonItem* item);
  void ButtonPanelContinueClick(TObject*);
  void ButtonPanelCloseClick(TObject*);

  static auto PublishedMethods() {
    using C = TGlottaInstallForm;
    return MethodTable<C>({PublishedMethod<&C::FormCreate>("FormCreate"),
                           PublishedMethod<&C::FormCloseQuery>("FormCloseQuery"),
                           PublishedMethod<&C::BtnInstallClick>("BtnInstallClick"),
                           PublishedMethod<&C::BtnClick>("BtnClick"),
                           PublishedMethod<&C::GlottaChange>("GlottaChange"),
                           PublishedMethod<&C::FolderSelectButtonClick>("FolderSelectButtonClick"),
                           PublishedMethod<&C::ButtonPanelButtonClick>("ButtonPanelButtonClick")});
  }

private:
  void UpdateControls();
  void ShowMessageOf(const char* name, int type);
  void LogLine(const String& line);
  void LogString(const char* name, std::initializer_list<String> args = {});
  void RunProcedure();
  void ProcessInstallFolder();
  void ProcessFiles(const std::vector<String>& files, const String& folder);
  void RegisterPackage(const String& key, const String& package);

  std::unique_ptr<TRegistry> FRegistry;
  TRichEdit* FLog = nullptr;
  bool FHas[3] = {false, false, false};
  bool FAccepted = false;
  bool FInstalling = true;
  bool FReportErrors = true;
};

void RegisterInstallClasses();

}  // namespace xel
