#include "Glotta.h"

#include "ColorPanel.h"
#include "ConfigFile.h"
#include "EditEx.h"
#include "EnumComboBox.h"
#include "FileDelete.h"
#include "FileSearch.h"
#include "LabelEx.h"
#include "LogFile.h"
#include "MRUComboBox.h"
#include "SortGridEx.h"
#include "StrList.h"
#include "SyncThread.h"
#include "URLLabel.h"
#include "XelInfo.h"

#include "Application.h"
#include "ButtonPanel.h"
#include "ComponentRes.h"
#include "Expand.h"
#include "GlottaUnit.h"
#include "Forms.h"
#include "GlottaSystem.h"
#include "SuperForm.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /runtime/Glotta.cpp 1 10.12.26 6:40 XG $")

namespace xel {

namespace {

struct TUnitState {
  bool Initialized = false;
  std::unique_ptr<TLanguageFrames> Unnamed;
  std::unique_ptr<TLanguageFrames> Domains;
  std::unique_ptr<TMethodList> CreateNotifies;
  std::unique_ptr<TClassList> InitInstances;
  Integer SwitchDepth = 0;
  Integer InitDepth = 0;
};

// Never destroyed: forms that the application frees at exit still leave their frames
// after every other global of this unit is gone.
TUnitState& State() {
  static TUnitState* state = new TUnitState;
  return *state;
}

// Initialises on first use, as loading the package would.
TUnitState& Unit() {
  TUnitState& s = State();
  if (!s.Initialized) InitializeGlottaUnit();
  return s;
}

TServiceQuestion gServiceQuestion = nullptr;
TGlottaEditorRunner gEditorRunner = nullptr;

}  // namespace

void InitializeGlottaUnit() {
  TUnitState& s = State();
  if (s.Initialized) return;
  s.Initialized = true;
  DebugTrace("Xel Glotta Component");
  s.Unnamed = std::make_unique<TLanguageFrames>();
  s.Domains = std::make_unique<TLanguageFrames>();
  if (!IsDesigning()) {
    String english, native;
    if (GetDefaultLanguage(english, native)) {
      s.Unnamed->DefineStartupLanguage(english, false);
      s.Domains->DefineStartupLanguage(english, false);
    }
  }
}

void FinalizeGlottaUnit() {
  TUnitState& s = State();
  if (!s.Initialized) return;
  s.InitInstances.reset();  // each component leaves its frame
  s.CreateNotifies.reset();
  s.Domains.reset();
  s.Unnamed.reset();
  s.SwitchDepth = 0;
  s.InitDepth = 0;
  s.Initialized = false;
}

TLanguageFrames* UnnamedFrames() { return Unit().Unnamed.get(); }
TLanguageFrames* DomainFrames() { return Unit().Domains.get(); }

// ---------------------------------------------------------------- unit routines

bool RegisterFrame(const String& domain, bool topLevel, const TLanguageNotify& notify) {
  if (!notify.Assigned()) return false;
  TUnitState& s = Unit();
  if (!s.Unnamed || !s.Domains) return false;
  if (!domain.empty()) {
    s.Unnamed->DelNotify(notify);
    return s.Domains->AddNotify(domain, topLevel, notify);
  }
  s.Domains->DelNotify(notify);
  return s.Unnamed->AddNotify("", topLevel, notify);
}

void UnregisterFrames(const TLanguageNotify& notify) {
  TUnitState& s = State();
  if (s.Unnamed) s.Unnamed->DelNotify(notify);
  if (s.Domains) s.Domains->DelNotify(notify);
}

void SetGlobalLanguage(const String& language, const TLanguageNotify& notify) {
  TUnitState& s = Unit();
  if (s.SwitchDepth != 0) throw Exception("SetGlobalLanguage cannot be called when still processing");
  if (!notify.Assigned()) return;
  const String lang = Trim(language);
  if (lang.empty()) return;
  ++s.SwitchDepth;
  TFinally done([&s] { --s.SwitchDepth; });
  bool held = s.Unnamed && s.Unnamed->SetLanguage(notify, lang);
  if (!held) held = s.Domains && s.Domains->SetLanguage(notify, lang);
  if (!held) {
    auto* sender = static_cast<TObject*>(notify.Data());
    for (TActionMode a : {amBeforeChange, amSetLanguage, amChange, amAfterChange}) notify(sender, lang, a);
  }
}

String GetGlobalLanguage(const TLanguageNotify& notify) {
  TUnitState& s = Unit();
  if (!s.Unnamed || !s.Domains) return "";
  String language;
  if (s.Unnamed->GetLanguage(notify, language)) return language;
  if (s.Domains->GetLanguage(notify, language)) return language;
  return s.Unnamed->StartupLanguage();
}

String FrameDomain(const TLanguageNotify& notify) {
  TUnitState& s = Unit();
  TLanguageFrame* frame = nullptr;
  if (s.Domains && s.Domains->GetFrame(notify, frame)) return frame->Name();
  if (s.Unnamed && s.Unnamed->GetFrame(notify, frame)) return frame->Name();
  return "";
}

void DefineStartupLanguage(const String& language) {
  TUnitState& s = Unit();
  if (s.Unnamed && s.Domains && s.Unnamed->CanDefineStartupLanguage() && s.Domains->CanDefineStartupLanguage()) {
    s.Unnamed->DefineStartupLanguage(language, true);
    s.Domains->DefineStartupLanguage(language, true);
    DebugTrace(Format("DefineStartupLanguage: Startup language is '%s'", {Trim(language)}));
  } else {
    DebugTrace(Format("DefineStartupLanguage: Startup language '%s' ignored - already defined or started", {language}));
  }
}

String GetCurrentUserLanguage() {
  String english, native;
  GetDefaultLanguage(english, native);
  return english;
}

void InitGlotta(const String& resName, TLangChangeProc langChange, TGetString& getString) {
  TUnitState& s = Unit();
  if (!s.InitInstances) s.InitInstances.reset(TClassList::CreateAsOwner());
  TGlotta* glotta;
  ++s.InitDepth;
  {
    TFinally done([&s] { --s.InitDepth; });
    glotta = New<TGlotta>(nullptr);
  }
  s.InitInstances->Add(glotta);
  glotta->LangChange = langChange;
  getString = TGetString(glotta);
  // The module of the library code first, then every module with resources (a language
  // file linked into the program is found there).
  ReadComponentRes(resName, glotta);
}

String TGetString::operator()(const String& id) const {
  if (!FGlotta) throw EStringNotFound("Character string identifier not found: " + id);
  return FGlotta->GetString(id);
}

// ---------------------------------------------------------------- TGlotta

TGlotta::TGlotta(TComponent* owner) : TComponent(owner) {
  CheckAlreadyExists();
  FNewName = ComponentState().Contains(csDesigning);
  if (Unit().InitDepth == 0 && !owner) throw Exception(Format("Component owner for %s required", {ClassName()}));
  FLanguageManager = std::make_unique<TLanguageManager>(owner, this, this, cmInconsistent);
  // The owner tells this component of every sibling that leaves (Notification), so the
  // entries of the siblings need no free-notification lists of their own.
  FLanguageManager->Comps()->SetWatcher(this);
  RegisterFrame("", false, Notify());
  SendCreateNotify();
}

TGlotta::~TGlotta() {
  SendChangeNotify(nullptr);
  FChangeNotifies.reset();
  UnregisterFrames(Notify());
  FLanguageManager.reset();
}

template <class F>
void TGlotta::Protected(F&& call) {
  try {
    call();
  } catch (...) {
    Application->HandleException(this);
  }
}

String TGlotta::GetDomain() const {
  if (IsDesigning() && !FDomain.empty()) {
    // The frame keeps the letter case given last.
    String frame = FrameDomain(const_cast<TGlotta*>(this)->Notify());
    if (SameText(frame, FDomain)) FDomain = frame;
  }
  return FDomain;
}

void TGlotta::SetDomain(const String& value) {
  const String v = Trim(value);
  bool changed = IsDesigning() ? v != FDomain : !SameText(v, FDomain);
  if (!changed) return;
  bool created = RegisterFrame(v, FTopLevel, Notify());
  FDomain = v;
  if (Loading()) return;
  const String old = GetLanguage();
  if (created && IsDesigning()) {
    SetGlobalLanguage(old, Notify());
    return;
  }
  const String now = GetGlobalLanguage(Notify());
  if (!SameText(now, old))
    for (TActionMode a : {amBeforeChange, amSetLanguage, amChange, amAfterChange}) SetLanguageNotify(this, now, a);
}

String TGlotta::GetLanguage() const {
  TLanguageEntries* langs = FLanguageManager->Langs();
  for (int i = 0; i < langs->Count(); ++i)
    if (langs->Items(i)->IsActive()) return langs->Items(i)->Name();
  return "";
}

void TGlotta::SetLanguage(const String& value) {
  if (!FInitialized && Loading()) {
    FLoadedLanguage = Trim(value);
    return;
  }
  SetGlobalLanguage(value, Notify());
}

void TGlotta::SetTopLevel(bool value) {
  if (value == FTopLevel) return;
  const bool designing = ComponentState().Contains(csDesigning) || IsDesigning();
  if (!Loading() && !designing) throw Exception(ClassName() + ".TopLevel can only be changed at designing time");
  if (Loading() && !designing && FDomain.empty()) {
    RegisterFrame("", value, Notify());
    TCustomForm* form;
    if (GetOwnerForm(this, form)) {
      TList list;
      ForEachControl(form, MakeMethod<&TGlotta::OnControl>(this), &list);
      for (int i = 0; i < list.Count(); ++i) {
        auto* other = static_cast<TGlotta*>(list.Get(i));
        if (other != this && other->FDomain.empty()) RegisterFrame("", other->FTopLevel, other->Notify());
      }
    }
  }
  FTopLevel = value;
}

String TGlotta::GetString(const String& name) const {
  String value;
  if (!FLanguageManager->GetString(name, value)) throw EStringNotFound("Character string identifier not found: " + name);
  return value;
}

void TGlotta::GetLanguages(TStrings* list) const {
  TStringList names;
  TLanguageEntries* langs = FLanguageManager->Langs();
  for (int i = 0; i < langs->Count(); ++i) names.Add(langs->Items(i)->Name());
  names.Sort();
  list->Assign(&names);
}

void TGlotta::RegisterChangeNotify(const TLangNotify& notify) {
  if (!FChangeNotifies) FChangeNotifies = std::make_unique<TMethodList>();
  FChangeNotifies->Remove(notify.GetMethod());
  FChangeNotifies->Add(notify.GetMethod());
}

void TGlotta::UnregisterChangeNotify(const TLangNotify& notify) {
  if (FChangeNotifies) FChangeNotifies->Remove(notify.GetMethod());
}

void TGlotta::RegisterCreateNotify(const TLangNotify& notify) {
  TUnitState& s = Unit();
  if (!s.CreateNotifies) s.CreateNotifies = std::make_unique<TMethodList>();
  s.CreateNotifies->Remove(notify.GetMethod());
  s.CreateNotifies->Add(notify.GetMethod());
}

void TGlotta::UnregisterCreateNotify(const TLangNotify& notify) {
  if (State().CreateNotifies) State().CreateNotifies->Remove(notify.GetMethod());
}

namespace {
// From the last entry to the first; a listener may unregister itself (or others) meanwhile.
void CallLatestFirst(TMethodList* list, TGlotta* arg, const std::function<void(const std::function<void()>&)>& guard) {
  if (!list) return;
  for (int i = list->Count() - 1; i >= 0; --i) {
    if (i >= list->Count()) continue;
    TLangNotify notify = TLangNotify::FromMethod(list->Items(i));
    guard([&] { notify(arg); });
  }
}
}  // namespace

void TGlotta::SendCreateNotify() {
  CallLatestFirst(Unit().CreateNotifies.get(), this, [this](const std::function<void()>& f) { Protected(f); });
}

void TGlotta::SendChangeNotify(TGlotta* sender) {
  CallLatestFirst(FChangeNotifies.get(), sender, [this](const std::function<void()>& f) { Protected(f); });
}

void TGlotta::SetLanguageNotify(TObject*, const String& language, TActionMode action) {
  if (language.empty()) return;
  try {
    switch (action) {
      case amBeforeChange:
        if (!Loading() && FUpdateCount == 0) TriggerBeforeChange();
        break;
      case amSetLanguage: {
        TLanguageEntries* langs = FLanguageManager->Langs();
        int found = -1;
        const TLanguageMatch match(language);
        for (int i = 0; i < langs->Count() && found < 0; ++i)
          if (match.Matches(langs->Items(i)->Name())) found = i;
        if (found < 0) {
          TComponent* owner = FLanguageManager->Owner();
          if (FLanguageManager->HasOwner() && owner)
            throw ELanguageNotFound(Format("Language '%s' of form %s not found", {language, owner->ClassName()}));
          throw ELanguageNotFound(Format("Language '%s' of a multilingual unit not found", {language}));
        }
        FLanguageManager->SetLanguageByIndex(found);
        break;
      }
      case amChange:
        if (!Loading() && FUpdateCount == 0) TriggerOnChange();
        break;
      case amAfterChange:
        if (!Loading() && FUpdateCount == 0) TriggerAfterChange();
        break;
      default: CaseError();
    }
  } catch (const ELanguageNotFound&) {
    // The component keeps its language while the rest of its frame switches.
  } catch (...) {
    Application->HandleException(this);
  }
}

void TGlotta::TriggerBeforeChange() {
  Protected([this] { BeforeChange(this); });
}

void TGlotta::TriggerOnChange() {
  SendChangeNotify(this);
  Protected([this] { OnChange(this); });
  if (LangChange) {
    const String language = GetLanguage();
    Protected([this, &language] { LangChange(language); });
  }
}

void TGlotta::TriggerAfterChange() {
  Protected([this] { AfterChange(this); });
}

void TGlotta::InitLanguages() { FLanguageManager->Init(cmInitAll); }

void TGlotta::CheckAlreadyExists() {
  TComponent* owner = Owner();
  if (!owner || !owner->ComponentState().Contains(csDesigning) || owner->ComponentState().Contains(csLoading))
    return;
  if (!gServiceQuestion) return;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* c = owner->Components(i);
    if (c != this && c->ClassName() == ClassName()) {
      // Only a No cancels the insertion, silently.
      if (gServiceQuestion("ReallyAddFurtherComponent") == mrNo) throw EAbort("");
      return;
    }
  }
}

void SetServiceQuestion(TServiceQuestion question) { gServiceQuestion = question; }
TServiceQuestion ServiceQuestion() { return gServiceQuestion; }

void SetGlottaEditorRunner(TGlottaEditorRunner runner) { gEditorRunner = runner; }

bool ExecuteGlottaEditor(const String& title, TGlotta* glotta) {
  if (!glotta || !glotta->LanguageManager() || !gEditorRunner)
    throw Exception("Component editor cannot be started for this component");
  glotta->InitLanguages();
  const bool accepted = gEditorRunner(title, glotta);
  if (accepted) glotta->SendChangeNotify(glotta);
  return accepted;
}

void TGlotta::OnComponent(TComponent* component, void* param) {
  if (Is<TGlotta>(component)) static_cast<TList*>(param)->Add(component);
}

void TGlotta::OnControl(TControl* control, void* param) {
  ForEachComponent(control, MakeMethod<&TGlotta::OnComponent>(this), param);
}

void TGlotta::DefineProperties(TFiler* filer) {
  TComponent::DefineProperties(filer);
  FLanguageManager->DefineProperties("LanguageManager_", filer);
}

void TGlotta::Loaded() {
  TComponent::Loaded();
  try {
    FNewName = false;
    // Language data that name what the form no longer has: the form loads without them,
    // and the trace tells the developer which.
    std::vector<String> dropped;
    FLanguageManager->Init(cmInitAll, DebugTracing() ? &dropped : nullptr);
    String where = GetName();
    if (TComponent* form = Owner(); form && form != Application)
      where = (form->GetName().empty() ? form->ClassName() : form->GetName()) + "." + where;
    for (const String& item : dropped)
      DebugTrace(Format("%s: %s.Loaded: language data dropped: %s", {ClassName(), where, item}));
    FInitialized = true;
    {
      ++FUpdateCount;
      TFinally done([this] { --FUpdateCount; });
      const String frameLanguage = GetGlobalLanguage(Notify());
      if (!frameLanguage.empty()) {
        SetLanguageNotify(this, frameLanguage, amSetLanguage);
      } else {
        if (FLoadedLanguage.empty()) FLoadedLanguage = GetLanguage();
        SetGlobalLanguage(FLoadedLanguage, Notify());
      }
    }
    TriggerBeforeChange();
    TriggerOnChange();
    TriggerAfterChange();
  } catch (const std::exception& e) {
    Application->HandleException(this);
    DebugTrace(Format("%s: %s.Loaded: %s", {ClassName(), GetName(), String(e.what())}));
  }
}

void TGlotta::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && FLanguageManager) FLanguageManager->Comps()->ComponentRemoved(component);
}

void TGlotta::SetName(const String& newName) {
  if (FNewName && !Loading()) {
    FNewName = false;
    SetShortenedName(this, newName, [this](const String& n) { TComponent::SetName(n); });
    return;
  }
  TComponent::SetName(newName);
}

void RegisterGlottaClasses() {
  RegisterGlottaToolsClasses();
  RegisterClasses({TGlotta::StaticClass(), TLangComboBox::StaticClass()});
  RegisterMRUComboBoxClasses();
  RegisterSuperFormClasses();
  RegisterButtonPanelClasses();
  RegisterSortGridClasses();
  RegisterConfigFileClasses();
  RegisterSyncThreadClasses();
  RegisterColorPanelClasses();
  RegisterEditExClasses();
  RegisterEnumComboBoxClasses();
  RegisterFileDeleteClasses();
  RegisterFileSearchClasses();
  RegisterLabelExClasses();
  RegisterLogFileClasses();
  RegisterStrListClasses();
  RegisterURLLabelClasses();
  RegisterXelInfoClasses();
  // The program's own units load their language data now that resources and classes exist.
  InitializeUnits();
}

}  // namespace xel
