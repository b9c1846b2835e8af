// The common dialogs (files, fonts, folders) and message dialogs.
#pragma once

#include "Forms.h"

namespace xel {

class TCommonDialog : public TComponent {
  XEL_CLASS(TCommonDialog, TComponent)
public:
  explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
  // Shown through the widget set; true when the user accepted.
  virtual bool Execute();
  const String& GetTitle() const { return FTitle; }
  void SetTitle(const String& v) { FTitle = v; }
  Integer GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer v) { FHelpContext = v; }

  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

private:
  String FTitle;
  Integer FHelpContext = 0;
};

XEL_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
         ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware,
         ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog,
         ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing)
XEL_SET(TOpenOptions, TOpenOption)

struct TFileFilter {
  String Description;
  std::vector<String> Masks;  // "*.txt"; several separated by ";" in the filter text
};

class TOpenDialog : public TCommonDialog {
  XEL_CLASS(TOpenDialog, TCommonDialog)
public:
  explicit TOpenDialog(TComponent* owner);
  ~TOpenDialog() override;
  const String& GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const String& v) { FDefaultExt = v; }
  const String& GetFileName() const { return FFileName; }
  void SetFileName(const String& v) { FFileName = v; }
  const String& GetFilter() const { return FFilter; }
  void SetFilter(const String& v) { FFilter = v; }
  Integer GetFilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(Integer v) { FFilterIndex = v; }
  const String& GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& v) { FInitialDir = v; }
  TOpenOptions GetOptions() const { return FOptions; }
  void SetOptions(TOpenOptions v) { FOptions = v; }
  TStrings* Files() const { return FFiles.get(); }
  // "Text files (*.txt)|*.txt|All files (*.*)|*.*" as pairs of description and masks.
  std::vector<TFileFilter> Filters() const;
  // What the dialog does with a name the user chose: the default extension when it has
  // none, then the existence checks of the options. False (and a message) when refused.
  bool AcceptFileName(const String& name, String& message);

  static auto Published() {
    using C = TOpenDialog;
    return PropTable<C>(Prop("DefaultExt", &C::GetDefaultExt, &C::SetDefaultExt),
                        Prop("FileName", &C::GetFileName, &C::SetFileName),
                        Prop("Filter", &C::GetFilter, &C::SetFilter),
                        Prop("FilterIndex", &C::GetFilterIndex, &C::SetFilterIndex).Default(1),
                        Prop("InitialDir", &C::GetInitialDir, &C::SetInitialDir),
                        Prop("Options", &C::GetOptions, &C::SetOptions).Default(TOpenOptions{ofHideReadOnly}),
                        Prop("Title", &C::GetTitle, &C::SetTitle));
  }

private:
  String FDefaultExt, FFileName, FFilter, FInitialDir;
  Integer FFilterIndex = 1;
  TOpenOptions FOptions{ofHideReadOnly};
  std::unique_ptr<TStringList> FFiles;
};

class TSaveDialog : public TOpenDialog {
  XEL_CLASS(TSaveDialog, TOpenDialog)
public:
  using TOpenDialog::TOpenDialog;
};

class TFontDialog : public TCommonDialog {
  XEL_CLASS(TFontDialog, TCommonDialog)
public:
  explicit TFontDialog(TComponent* owner);
  ~TFontDialog() override;
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* v) { FFont->Assign(v); }
  static auto Published() {
    return PropTable<TFontDialog>(Prop("Font", &TFontDialog::GetFont, &TFontDialog::SetFont));
  }

private:
  std::unique_ptr<TFont> FFont;
};

// The folder chooser behind SelectDirectory.
class TSelectDirectoryDialog : public TCommonDialog {
  XEL_CLASS(TSelectDirectoryDialog, TCommonDialog)
public:
  using TCommonDialog::TCommonDialog;
  const String& GetDirectory() const { return FDirectory; }
  void SetDirectory(const String& v) { FDirectory = v; }
  const String& GetRoot() const { return FRoot; }
  void SetRoot(const String& v) { FRoot = v; }

private:
  String FDirectory, FRoot;
};

bool SelectDirectory(const String& caption, const String& root, String& directory);

XEL_ENUM(TMsgDlgType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom)
XEL_ENUM(TMsgDlgBtn, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp)
XEL_SET(TMsgDlgButtons, TMsgDlgBtn)

// A form with the message and one button per kind, named as the host names them ("Yes",
// "No", "OK", "Cancel", ...); the first of Yes/OK is the default, Cancel/No cancels.
TForm* CreateMessageDialog(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons);
// Shows it modally; the button's modal result.
Integer MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, Integer helpContext);
void ShowMessage(const String& msg);

// The flags of TApplication::MessageBox.
inline constexpr Integer MB_OK = 0, MB_OKCANCEL = 1, MB_ABORTRETRYIGNORE = 2, MB_YESNOCANCEL = 3, MB_YESNO = 4,
                         MB_RETRYCANCEL = 5, MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30,
                         MB_ICONINFORMATION = 0x40;

void RegisterDialogsClasses();

}  // namespace xel
