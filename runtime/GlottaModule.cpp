#include "GlottaModule.h"

#include "Expand.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /runtime/GlottaModule.cpp 1 10.12.26 19:50 XG $")

namespace xel {

TGlottaModule* GlottaModule = nullptr;

namespace {

Integer AskFurtherQuestion(const String& name) {
  return ServiceMessage(name, MsgBox::mtConfirmation, {MsgBox::mbYes, MsgBox::mbNo});
}

}  // namespace

TGlottaModule::TGlottaModule(TComponent* owner) : TSuperDataModule(owner) {
  if (GlottaModule) return;
  GlottaModule = this;
  SetServiceQuestion(AskFurtherQuestion);
}

TGlottaModule::~TGlottaModule() {
  if (GlottaModule != this) return;
  GlottaModule = nullptr;
  SetServiceQuestion(nullptr);
}

void TGlottaModule::SetLanguage(const String& language) { Glotta()->SetLanguage(language); }

String TGlottaModule::GetString(const String& name) const { return Glotta()->GetString(name); }

bool TGlottaModule::LoadConfigLang() { return ConfigLang()->Load(); }

// The tools speak the user's language when it is one of theirs, unless the developer
// chose another.
void TGlottaModule::GlottaModuleCreate(TObject*) {
  SetLanguage(GetCurrentUserLanguage());
  LoadConfigLang();
}

void TGlottaModule::GlottaChange(TObject* sender) { OnChange(sender); }

void InitializeGlottaModuleUnit() {
  if (IsDesigning() && !GlottaModule) {
    RegisterGlottaModuleClasses();
    New<TGlottaModule>(nullptr);
  }
}

void FinalizeGlottaModuleUnit() { delete GlottaModule; }

Integer ServiceMessage(const String& name, MsgBox::TMsgBoxType type, MsgBox::TMsgBoxButtons buttons) {
  const String text = GlottaModule ? GlottaModule->GetString(name) : name;
  return MsgBox::MsgEx(text, "", type, buttons, 0, PrivateXelDomain);
}

void ShowGlottaHelp(Integer context) { Application->HelpContext(context); }

void RegisterGlottaModuleClasses() {
  RegisterMsgBoxClasses();
  RegisterConfigFileClasses();
  RegisterClasses({TGlottaModule::StaticClass()});
}

}  // namespace xel
