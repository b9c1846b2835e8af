// TGlotta, the component that makes a form, data module or program unit multilingual, and
// the unit's routines: frame registration, switches, the startup language, InitGlotta.
#pragma once

#include <memory>

#include "GlottaFrames.h"
#include "GlottaTools.h"
#include "Keys.h"

namespace xel {

class TGlotta;
class TControl;

XEL_EVENT(TLangNotify, TGlotta* /*Glotta*/);
XEL_EXCEPTION(EStringNotFound, Exception);

// A program unit's procedure that hears of every switch of its frame.
using TLangChangeProc = void (*)(const String& language);

// The string accessor InitGlotta hands to a program unit: the unit's component and its
// GetString.
class TGetString {
public:
  TGetString() = default;
  explicit TGetString(TGlotta* glotta) : FGlotta(glotta) {}
  String operator()(const String& id) const;
  explicit operator bool() const { return FGlotta != nullptr; }
  TGlotta* Glotta() const { return FGlotta; }
  bool operator==(const TGetString&) const = default;

private:
  TGlotta* FGlotta = nullptr;
};

class TGlotta : public TComponent {
  XEL_CLASS(TGlotta, TComponent)
public:
  explicit TGlotta(TComponent* owner);
  ~TGlotta() override;

  String GetDomain() const;
  void SetDomain(const String& value);
  // The active language of the manager (the entry with slot 0), or the empty string.
  String GetLanguage() const;
  // Switches the whole frame; while the component is read, only remembers the value.
  void SetLanguage(const String& value);
  TComponent* GetLanguagesDummy() const { return nullptr; }
  void SetLanguagesDummy(TComponent*) {}
  bool GetTopLevel() const { return FTopLevel; }
  void SetTopLevel(bool value);

  TLanguageManager* LanguageManager() const { return FLanguageManager.get(); }
  // The named string in the active language; EStringNotFound when there is none.
  String GetString(const String& name) const;
  // The names of the languages, sorted ignoring case.
  void GetLanguages(TStrings* list) const;

  void RegisterChangeNotify(const TLangNotify& notify);
  void UnregisterChangeNotify(const TLangNotify& notify);
  // Listeners that hear of every TGlotta created afterwards.
  static void RegisterCreateNotify(const TLangNotify& notify);
  static void UnregisterCreateNotify(const TLangNotify& notify);
  void SendCreateNotify();
  // Every change listener, the latest first; a null sender says the component goes away.
  void SendChangeNotify(TGlotta* sender);

  // The component's part in each phase of a switch of its frame; it never raises.
  void SetLanguageNotify(TObject* sender, const String& language, TActionMode action);
  TLanguageNotify Notify() { return MakeMethod<&TGlotta::SetLanguageNotify>(this); }
  virtual void TriggerBeforeChange();
  virtual void TriggerOnChange();
  virtual void TriggerAfterChange();
  // Gives every translated item one value slot per language.
  void InitLanguages();
  void CheckAlreadyExists();
  void OnComponent(TComponent* component, void* param);
  void OnControl(TControl* control, void* param);

  void DefineProperties(TFiler* filer) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void SetName(const String& newName) override;

  bool NewName() const { return FNewName; }
  bool Initialized() const { return FInitialized; }
  Integer UpdateCount() const { return FUpdateCount; }
  const String& LoadedLanguage() const { return FLoadedLanguage; }

  // Set by InitGlotta: called after each change with the new language.
  TLangChangeProc LangChange = nullptr;
  TNotifyEvent BeforeChange;
  TNotifyEvent OnChange;
  TNotifyEvent AfterChange;

  static auto Published() {
    return PropTable<TGlotta>(
        Prop("Domain", &TGlotta::GetDomain, &TGlotta::SetDomain),
        Prop("Language", &TGlotta::GetLanguage, &TGlotta::SetLanguage),
        Prop("Languages", &TGlotta::GetLanguagesDummy, &TGlotta::SetLanguagesDummy).Stored(false),
        Prop("TopLevel", &TGlotta::GetTopLevel, &TGlotta::SetTopLevel).Default(false),
        Prop("BeforeChange", &TGlotta::BeforeChange, &TGlotta::BeforeChange),
        Prop("OnChange", &TGlotta::OnChange, &TGlotta::OnChange),
        Prop("AfterChange", &TGlotta::AfterChange, &TGlotta::AfterChange));
  }

private:
  bool Loading() const { return ComponentState().Contains(csLoading); }
  // Runs one call of an event or listener; what it raises goes to the application.
  template <class F>
  void Protected(F&& call);

  bool FNewName = false;
  std::unique_ptr<TMethodList> FChangeNotifies;
  bool FInitialized = false;
  Integer FUpdateCount = 0;
  String FLoadedLanguage;
  std::unique_ptr<TLanguageManager> FLanguageManager;
  mutable String FDomain;
  bool FTopLevel = false;
};

// Frame registration and switches; a handler without code counts as absent.
bool RegisterFrame(const String& domain, bool topLevel, const TLanguageNotify& notify);
void UnregisterFrames(const TLanguageNotify& notify);
void SetGlobalLanguage(const String& language, const TLanguageNotify& notify);
String GetGlobalLanguage(const TLanguageNotify& notify);
String FrameDomain(const TLanguageNotify& notify);

// A program unit's language data: reads the resource resName (RCDATA: one TGlotta's
// stream) into an owner-less component, which joins its frame; getString then hands out
// the unit's strings and langChange hears of every switch.
void InitGlotta(const String& resName, TLangChangeProc langChange, TGetString& getString);
// Fixes the first frame's language, as long as no frame exists and none was fixed.
void DefineStartupLanguage(const String& language);
// The English name of the user's language, or the empty string when the table lacks it.
String GetCurrentUserLanguage();

// Asks the developer a question of the package's message module by its name and answers
// with the modal result of the button pressed. The module and its dialog carry TGlotta
// components themselves, so they live in a library above this one: the module installs
// the question while it exists (inside the designer), and without it nothing is asked.
using TServiceQuestion = Integer (*)(const String& name);
void SetServiceQuestion(TServiceQuestion question);
TServiceQuestion ServiceQuestion();

// Opens the translation editor modally on the component's language data and answers
// whether the user accepted changes (change listeners have then heard of them). The editor
// form lives in a library above this one, which installs its runner when it loads; without
// it, or without a component that has language data, the editor cannot be started.
using TGlottaEditorRunner = bool (*)(const String& title, TGlotta* glotta);
void SetGlottaEditorRunner(TGlottaEditorRunner runner);
bool ExecuteGlottaEditor(const String& title, TGlotta* glotta);

// The unit's global state. Initialisation runs on first use (or explicitly, as when the
// package loads); finalisation frees the components InitGlotta made and the frame lists.
void InitializeGlottaUnit();
void FinalizeGlottaUnit();
TLanguageFrames* UnnamedFrames();
TLanguageFrames* DomainFrames();

void RegisterGlottaClasses();

}  // namespace xel

// The language combo box belongs to this unit too.
#include "LangComboBox.h"
