// The translation editor as a real Qt window on the offscreen platform, in English and in
// German; the pictures stay in the build folder to be looked at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "../QtTestEnvironment.h"
#include "Glotta.h"
#include "GlottaEditor.h"
#include "LanguageCheck.h"
#include "QtWSControls.h"
#include "QtWidgetSet.h"
#include "StdCtrls.h"

namespace xel {
namespace {

[[maybe_unused]] testing::Environment* const kEnvironment = AddQtTestEnvironment(RegisterGlottaEditorClasses, true);

TEST(QtGlottaEditorTest, TheEditorInEitherLanguage) {
  std::unique_ptr<TForm> root(new TForm(nullptr, TCreateNew{}));
  root->SetName("OrderForm");
  auto* glotta = New<TGlotta>(root.get());
  glotta->SetName("Glotta");
  TLanguageManager* m = glotta->LanguageManager();
  for (const char* name : {"English", "Deutsch", "Fran\xC3\xA7" "ais"}) {
    TLanguageEntry* l = m->Langs()->Add();
    l->SetName(name);
    l->SetSubIndex(m->Langs()->Count() - 1);
  }
  struct {
    const char* Name;
    const char* Texts[3];
  } buttons[] = {{"ButtonOrder", {"&Order", "&Bestellen", "&Commander"}},
                 {"ButtonCancel", {"&Cancel", "&Abbrechen", "&Annuler"}},
                 {"ButtonHelp", {"&Help", "&Hilfe", "&Aide"}}};
  std::vector<std::pair<TConsistentLangPropertyEntry*, const char* const*>> values;
  for (const auto& b : buttons) {
    auto* button = New<TButton>(root.get());
    button->SetName(b.Name);
    button->SetParent(root.get());
    TMainEntry* e = TMainEntry::Create(m->Comps(), button, b.Name, "TButton", {stPubPropObject});
    values.push_back({static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(e, "Caption", "", tkLString)),
                      b.Texts});
  }
  auto* memo = New<TMemo>(root.get());
  memo->SetName("MemoTerms");
  memo->SetParent(root.get());
  memo->GetLines()->SetText("Terms\nPayment within 30 days");
  TMainEntry* e = TMainEntry::Create(m->Comps(), memo, "MemoTerms", "TMemo", {stPubPropObject});
  TMainEntry* lines = TMainEntry::Create(e->GetItems(), nullptr, "Lines", "", {stTStringsObject});
  static const char* const kLine[] = {"Payment within 30 days", "Zahlbar innerhalb von 30 Tagen",
                                      "Paiement sous 30 jours"};
  values.push_back(
      {static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(lines, "Strings[1]", "", tkLString)), kLine});
  static const char* const kGreeting[] = {"Thank you for your order", "Danke f\xC3\xBCr Ihre Bestellung",
                                          "Merci pour votre commande"};
  values.push_back({m->AddString("ThankYou"), kGreeting});
  m->Init(cmInitAll);
  for (auto& [item, texts] : values)
    for (int slot = 0; slot < 3; ++slot) item->SetLangValue(slot, Variant(String(texts[slot])));

  for (const char* language : {"English", "Deutsch"}) {
    SCOPED_TRACE(language);
    std::unique_ptr<TGlottaEditorForm> editor(New<TGlottaEditorForm>(nullptr));
    editor->Init("", root.get(), glotta, m);
    if (String(language) == "English") editor->ItemEnglishClick(editor->Item("ItemEnglish"));
    else editor->ItemGermanClick(editor->Item("ItemGerman"));
    editor->Show();
    QApplication::processEvents();
    editor->Grid()->MoveTo(editor->FirstLangCol() + 1, 2);
    editor->AutoSizeGrid();
    QApplication::processEvents();
    EXPECT_EQ(editor->Grid()->GetRowCount(), 6);
    const String file = String(XEL_PICTURE_DIR) + "/editor-" + language + ".png";
    ASSERT_TRUE(SaveControlImage(editor.get(), file));
    QImage image(QString::fromStdString(file));
    EXPECT_GT(image.width(), 0);
    // Each menu of the menu bar as it drops down.
    for (const char* menu : {"MenuFile", "MenuEdit", "MenuSearch", "MenuView", "MenuSettings", "MenuHelp"}) {
      QMenu qmenu;
      FillQtMenu(&qmenu, editor->Item(menu));
      qmenu.adjustSize();
      const String picture = String(XEL_PICTURE_DIR) + "/editor-" + menu + "-" + language + ".png";
      ASSERT_TRUE(qmenu.grab().save(QString::fromStdString(picture), "PNG")) << picture;
    }
    editor->Hide();
  }
}

// Cells that break a check rule, marked; the cursor on one of them names it in the status bar.
TEST(QtGlottaEditorTest, TheEditorMarksCellsThatBreakARule) {
  std::unique_ptr<TForm> root(new TForm(nullptr, TCreateNew{}));
  root->SetName("OrderForm");
  auto* glotta = New<TGlotta>(root.get());
  glotta->SetName("Glotta");
  TLanguageManager* m = glotta->LanguageManager();
  for (const char* name : {"English", "Deutsch"}) {
    TLanguageEntry* l = m->Langs()->Add();
    l->SetName(name);
    l->SetSubIndex(m->Langs()->Count() - 1);
  }
  auto* button = New<TButton>(root.get());
  button->SetName("ButtonSave");
  button->SetParent(root.get());
  TMainEntry* e = TMainEntry::Create(m->Comps(), button, "ButtonSave", "TButton", {stPubPropObject});
  std::vector<std::pair<TConsistentLangPropertyEntry*, std::pair<const char*, const char*>>> values = {
      {static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(e, "Caption", "", tkLString)),
       {"&Save", "Speichern"}},
      {static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(e, "Hint", "", tkLString)),
       {"Saves the order.", "Speichert die Bestellung."}},
      {m->AddString("Saved"), {"Order %s saved", "Bestellung %d gespeichert"}},
      {m->AddString("Total"), {"Total: ", "Summe:"}},
      {m->AddString("Thanks"), {"Thank you", ""}},
  };
  m->Init(cmInitAll);
  for (auto& [item, texts] : values) {
    item->SetLangValue(0, Variant(String(texts.first)));
    item->SetLangValue(1, Variant(String(texts.second)));
  }
  std::unique_ptr<TGlottaEditorForm> editor(New<TGlottaEditorForm>(nullptr));
  editor->Init("", root.get(), glotta, m);
  editor->ItemEnglishClick(editor->Item("ItemEnglish"));
  editor->Show();
  QApplication::processEvents();
  editor->AutoSizeGrid();
  EXPECT_EQ(editor->Findings().size(), 4u);
  // The cursor on the placeholders' cell: the other marked cells show their colour.
  for (const auto& f : editor->Findings())
    if (f.Finding.Rule == crPlaceholders) editor->Grid()->MoveTo(f.Col, f.Row);
  EXPECT_TRUE(editor->StatusBar()->GetPanels()->Items(3)->GetText().starts_with("placeholders: "));
  QApplication::processEvents();
  const String file = String(XEL_PICTURE_DIR) + "/editor-findings.png";
  ASSERT_TRUE(SaveControlImage(editor.get(), file));
  EXPECT_GT(QImage(QString::fromStdString(file)).width(), 0);
  editor->Hide();
}

}  // namespace
}  // namespace xel
