// The configuration file component: keeps chosen published properties of the components
// of its owner form, the form's window state and one extra persistent object in an INI
// file or a registry key, and loads them back. Which properties are kept is an entry tree
// stored with the form.
#pragma once

#include <memory>

#include "ComponentExplorerTools.h"
#include "ExIniFile.h"
#include "Expand.h"
#include "NamedTypes.h"

namespace xel {

XEL_ENUM(TConfigMode, cmFile, cmRegistry)
XEL_ENUM(TInternalStatus, isNone, isLoading, isSaving)

XEL_EVENT(TCheckValuesEvent, TObject* /*Sender*/, bool& /*OK*/);
XEL_EVENT(TGetInstanceEvent, TObject* /*Sender*/, TPersistent*& /*Instance*/);
XEL_EVENT(TConfigFileEvent, TObject* /*Sender*/, TExIniFile* /*IniFile*/);
XEL_EVENT(TComponentQueryEvent, TObject* /*Sender*/, TComponent* /*Component*/, bool& /*DoHandle*/);

class TSuperForm;

// A design-time handle whose editor opens the selection dialog; it holds nothing.
class TConfigFileProperty : public TPersistent {
  XEL_CLASS(TConfigFileProperty, TPersistent)
};

// Shows the message of a failed load or save. The package's own message dialog sits above
// the tool library and puts itself here when its library loads; until then the host's
// message box is used.
using TConfigErrorBox = void (*)(const String& text, const String& caption);
void SetConfigErrorBox(TConfigErrorBox box);

class TCustomConfigFile : public TExComponent {
  XEL_CLASS(TCustomConfigFile, TExComponent)
public:
  explicit TCustomConfigFile(TComponent* owner);
  ~TCustomConfigFile() override;

  // Everything: the selected properties, the window state and the extra object. False when
  // it failed (the error is shown when asked for, then OnLoadError / OnSaveError).
  bool Load();
  bool Save();
  // Only that component's selected properties; none does nothing and gives true.
  bool LoadComponentState(TComponent* component);
  bool SaveComponentState(TComponent* component);

  // FileName completed: the program's name with ".cfg" when empty, a relative name in
  // the program's folder.
  String GetFileName() const;
  // Section, or the owner's class name when it is empty.
  String GetSection() const;
  // The storage, only during a load or save.
  TExIniFile* GetIniFile() const { return FIniFile.get(); }
  TInternalStatus InternalStatus() const { return FStatus; }
  // The stored property selection.
  TComponentEntries* Entries() const { return FEntries.get(); }
  // Re-binds the selection to the live components (drops what no longer exists).
  void RefreshEntries();

  bool GetAutoLoad() const { return FAutoLoad; }
  void SetAutoLoad(bool v) { FAutoLoad = v; }
  TConfigFileProperty* GetConfigFile() const { return nullptr; }
  void SetConfigFile(TConfigFileProperty*) {}
  const String& GetFileNameProp() const { return FFileName; }
  void SetFileNameProp(const String& v) { FFileName = v; }
  Integer GetHintPosition() const { return FHintPosition; }
  void SetHintPosition(Integer v) { FHintPosition = v; }
  bool GetHintsEnabled() const { return FHintsEnabled; }
  void SetHintsEnabled(bool v) { FHintsEnabled = v; }
  TConfigMode GetMode() const { return FMode; }
  void SetMode(TConfigMode v) { FMode = v; }
  const String& GetRegistryPath() const { return FRegistryPath; }
  void SetRegistryPath(const String& v) { FRegistryPath = v; }
  TRegistryKey GetRegistryRoot() const { return FRegistryRoot; }
  void SetRegistryRoot(TRegistryKey v) { FRegistryRoot = v; }
  bool GetSaveSuperFormState() const { return FSaveSuperFormState; }
  // Only for an owner that is a TSuperForm (taken unchecked while the form loads).
  void SetSaveSuperFormState(bool v);
  const String& GetSectionProp() const { return FSection; }
  void SetSectionProp(const String& v) { FSection = v; }
  const String& GetLoadErrorCaption() const { return FLoadErrorCaption; }
  void SetLoadErrorCaption(const String& v) { FLoadErrorCaption = v; }
  const String& GetLoadErrorText() const { return FLoadErrorText; }
  void SetLoadErrorText(const String& v) { FLoadErrorText = v; }
  const String& GetSaveErrorCaption() const { return FSaveErrorCaption; }
  void SetSaveErrorCaption(const String& v) { FSaveErrorCaption = v; }
  const String& GetSaveErrorText() const { return FSaveErrorText; }
  void SetSaveErrorText(const String& v) { FSaveErrorText = v; }
  bool GetShowLoadError() const { return FShowLoadError; }
  void SetShowLoadError(bool v) { FShowLoadError = v; }
  bool GetShowSaveError() const { return FShowSaveError; }
  void SetShowSaveError(bool v) { FShowSaveError = v; }

  TCheckValuesEvent OnCheckValues;
  TNotifyEvent OnGetDefaults;
  TGetInstanceEvent OnGetInstance;
  TConfigFileEvent AfterLoad;
  TConfigFileEvent AfterSave;
  TConfigFileEvent BeforeLoad;
  TConfigFileEvent BeforeSave;
  TComponentQueryEvent OnLoadComponentQuery;
  TComponentQueryEvent OnSaveComponentQuery;
  TNotifyEvent OnLoadError;
  TNotifyEvent OnSaveError;

protected:
  void DefineProperties(TFiler* filer) override;
  void Loaded() override;

  bool IsRegistryPathStored() const;
  bool IsLoadErrorTextStored() const;
  bool IsSaveErrorTextStored() const;

private:
  struct TUndoList;
  bool DoLoad(TComponent* only, bool whole);
  bool DoSave(TComponent* only, bool whole);
  void Enter(TInternalStatus status);
  // Status set, selection re-bound, the extra object asked for; EndRun undoes the first.
  TPersistent* StartRun(TInternalStatus status);
  void EndRun();
  void OpenStorage(bool forSave);
  String ReadBack(const String& section, const String& ident, const String& hint, const String& current);
  void LoadComponents(TComponent* only, TUndoList& undo);
  void SaveComponents(TComponent* only);
  void LoadInstance(TPersistent* instance);
  void SaveInstance(TPersistent* instance);
  void ReportError(bool load);
  TSuperForm* OwnerSuperForm() const;

  std::unique_ptr<TComponentEntries> FEntries;
  std::unique_ptr<TExIniFile> FIniFile;
  TInternalStatus FStatus = isNone;
  bool FAutoLoad = false;
  String FFileName;
  Integer FHintPosition = 49;
  bool FHintsEnabled = true;
  TConfigMode FMode = cmFile;
  String FRegistryPath;
  TRegistryKey FRegistryRoot = rkLocalMachine;
  bool FSaveSuperFormState = false;
  String FSection;
  String FLoadErrorCaption;
  String FLoadErrorText;
  String FSaveErrorCaption;
  String FSaveErrorText;
  bool FShowLoadError = false;
  bool FShowSaveError = true;
};

class TConfigFile : public TCustomConfigFile {
  XEL_CLASS(TConfigFile, TCustomConfigFile)
public:
  using TCustomConfigFile::TCustomConfigFile;

  static auto Published() {
    using C = TConfigFile;
    // FileName is a file to pick in the designer.
    return WithNamedTypes(PropTable<C>(
        Prop("AutoLoad", &C::GetAutoLoad, &C::SetAutoLoad).Default(false),
        Prop("ConfigFile", &C::GetConfigFile, &C::SetConfigFile).Stored(false),
        Prop("FileName", &C::GetFileNameProp, &C::SetFileNameProp),
        Prop("HintPosition", &C::GetHintPosition, &C::SetHintPosition).Default(49),
        Prop("HintsEnabled", &C::GetHintsEnabled, &C::SetHintsEnabled).Default(true),
        Prop("Mode", &C::GetMode, &C::SetMode).Default(cmFile),
        Prop("RegistryPath", &C::GetRegistryPath, &C::SetRegistryPath).Stored(&C::IsRegistryPathStored),
        Prop("RegistryRoot", &C::GetRegistryRoot, &C::SetRegistryRoot).Default(rkLocalMachine),
        Prop("SaveSuperFormState", &C::GetSaveSuperFormState, &C::SetSaveSuperFormState).Default(false),
        Prop("Section", &C::GetSectionProp, &C::SetSectionProp),
        Prop("LoadErrorCaption", &C::GetLoadErrorCaption, &C::SetLoadErrorCaption),
        Prop("LoadErrorText", &C::GetLoadErrorText, &C::SetLoadErrorText).Stored(&C::IsLoadErrorTextStored),
        Prop("SaveErrorCaption", &C::GetSaveErrorCaption, &C::SetSaveErrorCaption),
        Prop("SaveErrorText", &C::GetSaveErrorText, &C::SetSaveErrorText).Stored(&C::IsSaveErrorTextStored),
        Prop("ShowLoadError", &C::GetShowLoadError, &C::SetShowLoadError).Default(false),
        Prop("ShowSaveError", &C::GetShowSaveError, &C::SetShowSaveError).Default(true),
        Prop("OnCheckValues", &C::OnCheckValues, &C::OnCheckValues),
        Prop("OnGetDefaults", &C::OnGetDefaults, &C::OnGetDefaults),
        Prop("OnGetInstance", &C::OnGetInstance, &C::OnGetInstance),
        Prop("AfterLoad", &C::AfterLoad, &C::AfterLoad), Prop("AfterSave", &C::AfterSave, &C::AfterSave),
        Prop("BeforeLoad", &C::BeforeLoad, &C::BeforeLoad), Prop("BeforeSave", &C::BeforeSave, &C::BeforeSave),
        Prop("OnLoadComponentQuery", &C::OnLoadComponentQuery, &C::OnLoadComponentQuery),
        Prop("OnSaveComponentQuery", &C::OnSaveComponentQuery, &C::OnSaveComponentQuery)),
        {{"FileName", TypeInfo<TFName>()}});
  }
};

// Makes target keep its data where source keeps them (file or registry key); the section
// stays target's own, so that a dialog's choices do not mix with those of its caller.
void CopyConfigStorage(TCustomConfigFile* target, const TCustomConfigFile* source);

void RegisterConfigFileClasses();

}  // namespace xel
