#include <gtest/gtest.h>

#include "ButtonPanel.h"
#include "ExchangeFixtures.h"
#include "GlottaDocument.h"
#include "LanguageExport.h"
#include "ResFile.h"
#include "TextForms.h"

namespace xel::test {
namespace {

String FormStream(TFormFixture& f) {
  TStringStream s;
  s.WriteComponent(f.Form());
  return s.DataString();
}

class GlottaDocumentTest : public testing::Test {
protected:
  void SetUp() override {
    f.Translate(f.Get<TButton>("Button1"), "Caption", {"OK", "Gut"});
    f.Translate(f.Get<TMemo>("Memo1"), "Lines.Strings[1]", {"second line", "zweite Zeile"});
    f.TranslateString("Greeting", {"Hello", "Hallo"});
    f.Get<TButton>("Button1")->OnClick = MakeMethod<&TMainForm::ButtonClick>(f.Form());
  }
  TScratch scratch;
  TFormFixture f;
};

TEST_F(GlottaDocumentTest, FormsOfEveryFormatReadAndWriteBackUnchanged) {
  const String binary = FormStream(f);
  const String exported = ExportLanguagesToText(f.Manager());
  TStringStream resource;
  Int64 fixup;
  resource.WriteResourceHeader("TMAINFORM", fixup);
  resource.WriteBuffer(binary.data(), static_cast<Int64>(binary.size()));
  resource.FixupResourceHeader(fixup);
  struct TCase {
    const char* File;
    String Data;
    TGlottaDocumentFormat Format;
  } cases[] = {
      {"form.txt", ObjectBinaryToText(binary), dfText},
      {"form.dfm", binary, dfBinary},
      {"form.res", resource.DataString(), dfComponentResource},
  };
  for (const TCase& c : cases) {
    TGlottaDocument doc(scratch.Write(c.File, c.Data));
    EXPECT_EQ(doc.FileFormat(), c.Format) << c.File;
    EXPECT_EQ(doc.Root()->ClassName(), "TMainForm");
    ASSERT_NE(doc.Glotta(), nullptr);
    EXPECT_EQ(ExportLanguagesToText(doc.Glotta()->LanguageManager()), exported) << c.File;
    EXPECT_EQ(doc.SaveToString(), c.Data) << c.File;
    EXPECT_TRUE(doc.LostItems().empty());
  }
  EXPECT_NE(ObjectBinaryToText(binary).find("OnClick = ButtonClick"), String::npos);
}

// A collection item's handler (a button panel's button) is bound again for writing, as a
// component's is; nested in the item's collection, it would otherwise be written as none.
TEST_F(GlottaDocumentTest, HandlersOfCollectionItemsAreWrittenBack) {
  RegisterButtonPanelClasses();
  auto* panel = New<TButtonPanel>(f.Form());
  panel->SetName("ButtonPanel1");
  panel->SetParent(f.Form());
  for (const char* caption : {"&OK", "&Save"}) panel->GetButtons()->Add()->SetCaption(caption);
  panel->GetButtons()->Items(1)->SetOnClick(MakeMethod<&TMainForm::ButtonClick>(f.Form()));
  const String binary = FormStream(f);
  const String text = ObjectBinaryToText(binary);
  // The button's handler and the item's.
  ASSERT_NE(text.find("OnClick = ButtonClick"), text.rfind("OnClick = ButtonClick")) << text;
  for (const auto& [file, data] : {std::pair<const char*, String>{"panel.txt", text}, {"panel.dfm", binary}}) {
    TGlottaDocument doc(scratch.Write(file, data));
    EXPECT_EQ(doc.SaveToString(), data) << file;
  }
}

TEST_F(GlottaDocumentTest, LanguageFilesHoldAComponentWithoutOwnerForm) {
  TComponent holder(nullptr);
  auto* g = new TGlotta(&holder);
  g->SetName("UnitStrings");
  TLanguageManager* m = g->LanguageManager();
  for (const char* name : {"English", "Deutsch"}) m->Langs()->Add()->SetName(name);
  m->Langs()->Items(1)->SetSubIndex(1);
  m->Langs()->Items(0)->SetSubIndex(0);
  TConsistentLangPropertyEntry* s = m->AddString("Ready");
  m->Init(cmInitAll);
  s->SetLangValue(1, Variant("Bereit"));
  TStringStream stream;
  stream.WriteComponent(g);
  TResourceFile rf;
  rf.Put("UNITSTRINGS", std::vector<Byte>(stream.DataString().begin(), stream.DataString().end()));
  rf.Put("OTHER", {1, 2, 3});
  TStringStream file;
  rf.SaveToStream(&file);

  TGlottaDocument doc(scratch.Write("unit.lng", file.DataString()));
  EXPECT_EQ(doc.FileFormat(), dfResourceFile);
  ASSERT_EQ(doc.Glotta(), doc.Root());
  EXPECT_FALSE(doc.Glotta()->LanguageManager()->HasOwner());
  EXPECT_EQ(ExportLanguagesToText(doc.Glotta()->LanguageManager()),
            "[.English]\r\nUnitStrings.#Ready=''\r\n\r\n[.Deutsch]\r\nUnitStrings.#Ready='Bereit'\r\n\r\n");
  EXPECT_EQ(doc.SaveToString(), file.DataString());
}

TEST_F(GlottaDocumentTest, ItemsOfComponentsThatAreGoneAreNamed) {
  auto* extra = new TButton(f.Form());
  extra->SetName("Button2");
  extra->SetParent(f.Form());
  f.Translate(extra, "Caption", {"Extra", "Mehr"});
  String text = ObjectBinaryToText(FormStream(f));
  size_t at = text.find("object Button2: TButton");
  ASSERT_NE(at, String::npos);
  text.replace(at, 23, "object Button3: TButton");
  TGlottaDocument doc(scratch.Write("form.txt", text));
  EXPECT_EQ(doc.LostItems(), std::vector<String>{"Button2.Caption"});
}

// The tool knows neither root class: a data module stays one (a form's properties would
// keep it from loading), and a form that stores no client size is still a form.
TEST_F(GlottaDocumentTest, DataModulesAndFormsKeepTheirKind) {
  const String module =
      "object Strings: TStringsModule\r\n  OnCreate = StringsCreate\r\n  object Glotta: TGlotta\r\n  end\r\nend\r\n";
  TGlottaDocument doc(scratch.Write("module.txt", module));
  EXPECT_EQ(ClassCast<TControl>(doc.Root()), nullptr);
  const String saved = doc.SaveToString();
  EXPECT_EQ(saved.find("Client"), String::npos) << saved;
  EXPECT_EQ(saved.find("Caption"), String::npos) << saved;
  EXPECT_NE(saved.find("OnCreate = StringsCreate"), String::npos) << saved;

  const String form = "object Small: TSmallForm\r\n  object Panel1: TPanel\r\n    object Button1: TButton\r\n    end\r\n"
                      "  end\r\nend\r\n";
  TGlottaDocument formDoc(scratch.Write("form.txt", form));
  ASSERT_NE(ClassCast<TCustomForm>(formDoc.Root()), nullptr);
  auto* button = ClassCast<TControl>(formDoc.Root()->FindComponent("Button1"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Parent(), formDoc.Root()->FindComponent("Panel1"));
}

TEST_F(GlottaDocumentTest, UnreadableFilesAreReported) {
  EXPECT_THROW(TGlottaDocument(scratch.Write("x.dfm", "neither form nor resource")), EReadError);
  EXPECT_THROW(TGlottaDocument(scratch.Path("missing.dfm")), Exception);
  const String text = "object Form1: TForm1\r\n  object X: TUnknownThing\r\n  end\r\nend\r\n";
  try {
    TGlottaDocument doc(scratch.Write("y.txt", text));
    FAIL();
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("TUnknownThing"), String::npos) << e.Message();
  }
}

}  // namespace
}  // namespace xel::test
