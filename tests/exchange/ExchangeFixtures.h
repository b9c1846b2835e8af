// A multilingual form as the translation editor leaves it: a window with a button, a
// memo, a list view, a status bar and a check box, its language component with languages,
// translated items and named strings.
#pragma once

#include <map>
#include <memory>

#include "ComCtrls.h"
#include "Forms.h"
#include "Glotta.h"
#include "ListView.h"
#include "StdCtrls.h"

namespace xel::test {

class TMainForm : public TForm {
  XEL_CLASS(TMainForm, TForm)
public:
  using TForm::TForm;
  void ButtonClick(TObject*) {}
  static auto PublishedMethods() { return MethodTable<TMainForm>({PublishedMethod<&TMainForm::ButtonClick>("ButtonClick")}); }
};

// Temporary files and folders of one test, removed with it.
class TScratch {
public:
  TScratch();
  ~TScratch();
  String Path(const String& name) const { return FDir + name; }
  String Write(const String& name, const String& text) const;

private:
  String FDir;
};

String ReadFile(const String& fileName);

class TFormFixture {
public:
  // Languages in slot order; the first is active. Each item's texts, one per language.
  explicit TFormFixture(std::vector<String> languages = {"English", "Deutsch"});
  ~TFormFixture();

  TMainForm* Form() const { return FForm.get(); }
  TGlotta* Glotta() const { return FGlotta; }
  TLanguageManager* Manager() const { return FGlotta->LanguageManager(); }
  template <class T>
  T* Get(const char* name) const {
    return static_cast<T*>(FForm->FindComponent(name));
  }

  // A translated item: "Caption", "Lines.Strings[1]", "Panels[0].Text", "Font.Name"; kind
  // is that of the property (string lines and texts are long strings).
  TConsistentLangPropertyEntry* Translate(TComponent* component, const String& path, const std::vector<String>& texts,
                                          TTypeKind kind = tkLString);
  TConsistentLangPropertyEntry* TranslateString(const String& name, const std::vector<String>& texts);
  // The value of an item in a language, as text ("<null>" for none).
  String Value(const String& component, const String& path, const String& language) const;
  String StringValue(const String& name, const String& language) const;

private:
  TMainEntry* EntryOf(TComponent* component);
  void Fill(TConsistentLangPropertyEntry* item, const std::vector<String>& texts);

  std::unique_ptr<TMainForm> FForm;
  TGlotta* FGlotta;
  std::vector<String> FLanguages;
};

// The manager's item named by a component name (or the form's class) and path; none when
// it has none.
TConsistentLangPropertyEntry* FindItem(TLanguageManager* m, const String& component, const String& path);

void RegisterExchangeFixtures();

}  // namespace xel::test
