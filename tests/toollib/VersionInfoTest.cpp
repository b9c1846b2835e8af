// The version window over the registry as the package fills it, plus a few headers of its
// own: fields, counts, the sort of every column both ways, saving, keys and its languages.
#include <gtest/gtest.h>


#include "Glotta.h"
#include "HeadlessWidgetSet.h"
#include "RegisterControls.h"
#include "SysUtils.h"
#include "TempFolder.h"
#include "VersionControl.h"
#include "VersionInfo.h"

// Headers of units that do not exist: revisions 9 and 10, and one without its closing " $".
[[maybe_unused]] const bool kTestHeaders = [] {
  xel::UnitVersion("$Header: /tests/toollib/Nine.cpp 9 05.07.99 9:03 AB $");
  xel::UnitVersion("$Header: /tests/toollib/Ten.cpp 10 10.09.99 15:15 ab $");
  xel::UnitVersion("$Header: /tests/toollib/Unclosed.cpp 3 10.09.99 15:15 AB");
  return true;
}();

namespace xel {
namespace {

struct TEnvironment : testing::Environment {
  void SetUp() override {
    RegisterCoreClasses();
    RegisterControlClasses();
    RegisterGlottaClasses();
    RegisterVersionInfoClasses();
    InstallHeadlessWidgetSet();
  }
};
[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new TEnvironment);

TListItem* Row(TListView* list, const String& caption) {
  for (int i = 0; i < list->ItemCount(); ++i)
    if (list->Item(i)->Caption() == caption) return list->Item(i);
  return nullptr;
}

String Cell(TListItem* item, int column) { return column == 0 ? item->Caption() : item->SubItems()->Get(column - 1); }

TEST(VersionInfoTest, OneRowPerParsedHeaderAndTheCountsInTheStatusBar) {
  std::unique_ptr<TVersionInfoForm> form(New<TVersionInfoForm>(nullptr));
  TListView* list = form->List();
  TStringList headers;
  GetUnitVersions(&headers);
  EXPECT_EQ(list->ItemCount() + form->InvalidCount(), headers.Count());
  EXPECT_EQ(form->InvalidCount(), 1);  // only Unclosed.cpp lacks its " $"
  EXPECT_EQ(Row(list, "Unclosed.cpp"), nullptr);
  ASSERT_NE(Row(list, "VersionInfo.cpp"), nullptr);

  TListItem* nine = Row(list, "Nine.cpp");
  ASSERT_NE(nine, nullptr);
  EXPECT_EQ(nine->SubItems()->GetText(), "9\r\n1999-07-05  09:03\r\nAB\r\n/tests/toollib\r\n");
  EXPECT_EQ(form->GetText(), "Xel Version Control");
  TStatusPanels* panels = form->StatusBar()->GetPanels();
  EXPECT_EQ(panels->Items(0)->GetText(), "Valid header entries: " + IntToStr(list->ItemCount()));
  EXPECT_EQ(panels->Items(1)->GetText(), "Invalid header entries: 1");
}

// Each column by a click on its header, then again for the reverse order: rows stay in
// the column's order (revisions as numbers, other texts by their bytes).
TEST(VersionInfoTest, EveryColumnSortsBothWays) {
  std::unique_ptr<TVersionInfoForm> form(New<TVersionInfoForm>(nullptr));
  TListView* list = form->List();
  auto ordered = [&](int column, bool descending) {
    for (int i = 1; i < list->ItemCount(); ++i) {
      String a = Cell(list->Item(i - 1), column), b = Cell(list->Item(i), column);
      int c = column == 1 ? (StrToInt(a) > StrToInt(b)) - (StrToInt(a) < StrToInt(b)) : CompareStr(a, b);
      if (descending ? c < 0 : c > 0) return ::testing::AssertionFailure() << a << " before " << b;
    }
    return ::testing::AssertionSuccess();
  };
  Integer x = 0;
  for (int column = 0; column < 5; ++column) {
    const Integer width = list->GetColumns()->Items(column)->GetWidth();
    for (bool descending : {false, true}) {
      Headless::MouseDown(list, mbLeft, {}, x + width / 2, 2);
      Headless::MouseUp(list, mbLeft, {}, x + width / 2, 2);
      EXPECT_EQ(form->SortColumn(), column);
      EXPECT_EQ(form->Descending(), descending);
      EXPECT_TRUE(ordered(column, descending)) << "column " << column;
    }
    x += width;
  }
  form->SortBy(1);
  EXPECT_LT(Row(list, "Nine.cpp")->Index(), Row(list, "Ten.cpp")->Index());  // 9 before 10, not as texts
}

class VersionInfoFileTest : public test::TTempFolderTest {};

TEST_F(VersionInfoFileTest, SavesTheListAndSaysWhenItCannot) {
  std::unique_ptr<TVersionInfoForm> form(New<TVersionInfoForm>(nullptr));
  const String dir = Dir.substr(0, Dir.size() - 1);
  String asked;
  {
    TDialogScript answer([&](TCommonDialog* d) {
      auto* save = static_cast<TSaveDialog*>(d);
      asked = save->GetFileName() + "|" + save->GetDefaultExt();
      save->SetFileName(dir + "/units.ver");
      return true;
    });
    form->SaveAsClick(nullptr);
  }
  EXPECT_EQ(asked, "VerInf.txt|ver");
  const String text = ReadTextFile(dir + "/units.ver", true);
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "Unit\tVersion\tLast change\tLast user\tArchives");
  EXPECT_NE(text.find("\r\nNine.cpp\t9\t1999-07-05  09:03\tAB\t/tests/toollib\r\n"), String::npos);

  String shown;
  {
    TDialogScript answer([&](TCommonDialog* d) {
      static_cast<TSaveDialog*>(d)->SetFileName(dir + "/missing/folder/units.ver");
      return true;
    });
    TModalScript message([&](TCustomForm* f) {
      for (int i = 0; i < f->ComponentCount(); ++i)
        if (auto* label = ClassCast<TLabel>(f->Components(i))) shown = label->GetText();
      f->SetModalResult(mrOk);
    });
    form->SaveAsClick(nullptr);
  }
  EXPECT_EQ(shown, "Error writing file.");
}

TEST(VersionInfoTest, EscapeInTheListAndCloseEndTheModalWindow) {
  TVersionInfo info(nullptr);
  int shown = 0;
  TModalScript escape([&](TCustomForm* f) {
    auto* form = ClassCast<TVersionInfoForm>(f);
    if (!form) return;
    ++shown;
    if (shown == 1) {
      form->SetActiveControl(form->List());
      Headless::PressKey(form, VK_ESCAPE);
      EXPECT_EQ(form->ModalResult(), mrCancel);
    } else {
      form->CloseClick(nullptr);
    }
  });
  info.Execute();
  info.Execute();
  EXPECT_EQ(shown, 2);
}

TEST(VersionInfoTest, SpeaksGermanWithItsDomain) {
  std::unique_ptr<TVersionInfoForm> form(New<TVersionInfoForm>(nullptr));
  TGlotta* glotta = form->Glotta();
  EXPECT_EQ(glotta->GetDomain(), ".Private Xel Domain");
  glotta->SetLanguage("Deutsch");
  EXPECT_EQ(form->GetText(), "Xel Versionskontrolle");
  EXPECT_EQ(form->List()->GetColumns()->Items(2)->GetCaption(), "Letzte \xC3\x84nderung");
  EXPECT_EQ(form->StatusBar()->GetPanels()->Items(1)->GetText(), "Ung\xC3\xBCltige Kopfeintr\xC3\xA4ge: 1");
  // A second window of the domain comes up in the domain's language.
  std::unique_ptr<TVersionInfoForm> second(New<TVersionInfoForm>(nullptr));
  EXPECT_EQ(second->GetText(), "Xel Versionskontrolle");
  glotta->SetLanguage("English");
  EXPECT_EQ(second->GetText(), "Xel Version Control");
}

}  // namespace
}  // namespace xel
