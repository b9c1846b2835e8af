// The editor's dialogs as real Qt windows on the offscreen platform, in English and in German;
// the pictures stay in the build folder to be looked at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "../QtTestEnvironment.h"
#include "Glotta.h"
#include "GlottaCheck.h"
#include "GlottaEditor.h"
#include "GlottaImport.h"
#include "GlottaLanguages.h"
#include "GlottaList.h"
#include "GlottaParser.h"
#include "GlottaSearch.h"
#include "GlottaSetup.h"
#include "GlottaStatus.h"
#include "GlottaView.h"
#include "QtWidgetSet.h"

namespace xel {
namespace {

[[maybe_unused]] testing::Environment* const kEnvironment = AddQtTestEnvironment(RegisterGlottaEditorClasses, true);

// Shows the window in the language, fills it, and writes its picture.
template <class F>
void Picture(const char* name, const char* language, const std::function<void(F*)>& fill) {
  SCOPED_TRACE(String(name) + " " + language);
  std::unique_ptr<F> form(New<F>(nullptr));
  form->Glotta()->SetLanguage(language);
  fill(form.get());
  form->Show();
  QApplication::processEvents();
  const String file = String(XEL_PICTURE_DIR) + "/" + name + "-" + language + ".png";
  ASSERT_TRUE(SaveControlImage(form.get(), file));
  EXPECT_GT(QImage(QString::fromStdString(file)).width(), 0);
  form->Hide();
}

TEST(QtGlottaFormsTest, TheDialogsInEitherLanguage) {
  TComponent owner(nullptr);
  auto* glotta = new TGlotta(&owner);
  glotta->SetName("Glotta");
  for (const char* name : {"English", "Deutsch", "Fran\xC3\xA7" "ais"}) {
    TLanguageEntry* l = glotta->LanguageManager()->Langs()->Add();
    l->SetName(name);
    l->SetSubIndex(glotta->LanguageManager()->GetLangCount() - 1);
  }
  TStringList names;
  names.SetText("Greeting\nFarewell\nOrderConfirmed");
  const String source =
      "unit Unit1;\r\ninterface\r\nimplementation\r\nbegin\r\n  A := Glotta.GetString('Greting');\r\n"
      "  B := Glotta.GetString('Order' + Id);\r\n  C := Glotta.GetString('Farewel');\r\nend.\r\n";
  TGlottaParser scanner(glotta, &names, source);
  ASSERT_TRUE(scanner.Check(true));
  TStringList warnings, errors;
  warnings.SetText("[Deutsch] Button1.Hint='Bestellung absenden'\n[Deutsch] Memo1.Lines%9='Zeile'");
  errors.SetText("[Fran\xC3\xA7" "ais] Label7.Caption='Nom'\nUnknown language section");
  for (const char* language : {"English", "Deutsch"}) {
    Picture<TGlottaSearchForm>("search", language, [](TGlottaSearchForm* f) { f->EditPattern()->SetFieldText("Datei"); });
    Picture<TGlottaVerifyForm>("check", language, [&](TGlottaVerifyForm* f) {
      f->Init(nullptr, &names, &scanner, nullptr, nullptr);
      f->BtnAdd()->Click();
    });
    Picture<TGlottaSetupForm>("setup", language, [](TGlottaSetupForm* f) {
      f->EditDomain()->GetItems()->SetText("Main\nTools");
      f->EditDomain()->EditText("Tools");
    });
    Picture<TGlottaStatusForm>("status", language,
                               [&](TGlottaStatusForm* f) { f->Init(&warnings, &errors, nullptr); });
    Picture<TGlottaViewForm>("view", language, [&](TGlottaViewForm* f) {
      f->Glotta()->SetLanguage(language);
      f->Init();
    });
    Picture<TLanguageSelectForm>("languages", language,
                                 [&](TLanguageSelectForm* f) { f->Init(glotta->LanguageManager(), true, nullptr, nullptr); });
    Picture<TLanguageListForm>("language-table", language, [](TLanguageListForm* f) {
      f->SetSelectedName("Deutsch");
      f->FillList();
    });
    TStringList sections;  // the dialog works on the caller's list while it is open
    Picture<TGlottaImportForm>("import", language, [&](TGlottaImportForm* f) {
      sections.SetText("TOrderForm=English\nTOrderForm=Deutsch\nTOtherForm=Fran\xC3\xA7" "ais\n=Italiano");
      f->Init("/home/user/order.lng.txt", &sections, false, &owner, nullptr, nullptr);
    });
  }
}

}  // namespace
}  // namespace xel
