#include "GlottaReg.h"

#include "Application.h"
#include "Dialogs.h"
#include "DsgnRegistry.h"
#include "GlottaModule.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /design/GlottaReg.cpp 1 11.12.26 0:30 XG $")

namespace xel {

namespace {

// What a list editor of Glotta offers: a list to choose from, for one component at a time.
TPropertyAttributes SingleChoice(TPropertyAttributes enumAttributes) {
  enumAttributes.Exclude(paMultiSelect);
  return enumAttributes;
}

TGlotta* FirstGlotta(const TPropertyEditor& editor) {
  return editor.PropCount() > 0 ? dynamic_cast<TGlotta*>(editor.GetComponent(0)) : nullptr;
}

}  // namespace

void TGlottaEditor::ExecuteVerb(int index) {
  switch (index) {
    case 0:
      if (auto* glotta = dynamic_cast<TGlotta*>(Component()))
        if (ExecuteGlottaEditor("", glotta) && Designer()) Designer()->Modified();
      break;
    case 1:
      ShowAboutBox();
      break;
    default:
      break;
  }
}

String TGlottaEditor::GetVerb(int index) {
  if (!GlottaModule) return String();
  switch (index) {
    case 0:
      return GlottaModule->GetString("EditLanguages");
    case 1:
      return GlottaModule->GetString("About");
    default:
      return String();
  }
}

TPropertyAttributes TDomainPropertyEditor::GetAttributes() { return SingleChoice(TEnumProperty::GetAttributes()); }

void TDomainPropertyEditor::GetValues(const TGetStrProc& proc) {
  TLanguageFrames* frames = DomainFrames();
  if (!frames) return;
  for (int i = 0; i < frames->Count(); ++i)
    if (!frames->Items(i)->Hidden()) proc(frames->Items(i)->Name());
}

TPropertyAttributes TLanguagePropertyEditor::GetAttributes() { return SingleChoice(TEnumProperty::GetAttributes()); }

void TLanguagePropertyEditor::GetValues(const TGetStrProc& proc) {
  TGlotta* glotta = FirstGlotta(*this);
  if (!glotta) return;
  TStringList languages;
  glotta->GetLanguages(&languages);
  for (int i = 0; i < languages.Count(); ++i) proc(languages[i]);
}

void TLanguagesPropertyEditor::Edit() {
  TGlotta* glotta = FirstGlotta(*this);
  if (glotta && ExecuteGlottaEditor("", glotta)) Modified();
}

void ShowAboutBox() {
  String notice = "Xel Glotta - multilingual applications, Xel GbR";
  if (GlottaModule) {
    try {
      notice = GlottaModule->GetString("AboutNotice");
    } catch (const EStringNotFound&) {
    }
  }
  Application->MessageBox(notice, "Information", MB_OK);
}

void RegisterGlotta() {
  RegisterComponents("XelTools", {TGlotta::StaticClass(), TLangComboBox::StaticClass()});
  RegisterComponentEditor(TGlotta::StaticClass(), ComponentEditorClass<TGlottaEditor>());
  RegisterPropertyEditor(TypeInfo<String>(), TGlotta::StaticClass(), "Domain",
                         PropertyEditorClass<TDomainPropertyEditor>());
  RegisterPropertyEditor(TypeInfo<String>(), TGlotta::StaticClass(), "Language",
                         PropertyEditorClass<TLanguagePropertyEditor>());
  RegisterPropertyEditor(TypeInfo<TComponent*>(), TGlotta::StaticClass(), "Languages",
                         PropertyEditorClass<TLanguagesPropertyEditor>());
}

}  // namespace xel
