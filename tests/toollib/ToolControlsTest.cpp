// The small components of the tool library: the colour panel, the enumeration combo box,
// the link label, the label with relief, the string list component and the product notice.
#include <gtest/gtest.h>

#include <algorithm>

#include "ColorPanel.h"
#include "EnumComboBox.h"
#include "Forms.h"
#include "HeadlessWidgetSet.h"
#include "LabelEx.h"
#include "Streams.h"
#include "StrList.h"
#include "TextForms.h"
#include "URLLabel.h"
#include "XelInfo.h"

namespace xel {
namespace {

struct TChangeLog : TObject {
  int Changes = 0;
  void Changed(TObject*) { ++Changes; }
};

struct ToolControlsTest : testing::Test {
  static void SetUpTestSuite() {
    if (!WidgetSet()) InstallHeadlessWidgetSet();
    RegisterClasses({TLabel::StaticClass(), TEnumComboBox::StaticClass(), TStrList::StaticClass(),
                     TXelInfo::StaticClass(), TXelInfoPanel::StaticClass()});
  }
  ToolControlsTest() : Form(nullptr, TCreateNew{}) { Form.SetName("Form1"); }
  template <class T>
  T* Add(const char* name) {
    auto* control = new T(&Form);
    control->SetName(name);
    if constexpr (std::is_base_of_v<TControl, T>) control->SetParent(&Form);
    return control;
  }
  // The form written and read back into a new one.
  std::unique_ptr<TForm> RoundTrip(String* text = nullptr) {
    TStringStream out;
    out.WriteComponent(&Form);
    if (text) *text = ObjectBinaryToText(out.DataString());
    auto copy = std::make_unique<TForm>(nullptr, TCreateNew{});
    TStringStream in(out.DataString());
    in.ReadComponent(copy.get());
    return copy;
  }
  static size_t CountOf(const std::vector<String>& log, const String& start) {
    return static_cast<size_t>(std::count_if(log.begin(), log.end(), [&](const String& l) { return l.starts_with(start); }));
  }
  TForm Form;
  TChangeLog Log;
};

TEST_F(ToolControlsTest, ColorPanelPicksByClickAndArrowsAndFramesTheChoice) {
  auto* panel = Add<TColorPanel>("Colors");
  panel->OnChange = MakeMethod<&TChangeLog::Changed>(&Log);
  // 8 x 2 cells of 20 pixels with a gap of 2.
  struct TClick {
    Integer X, Y;
    TColor Color;
    int Changes;
  };
  const TClick clicks[] = {
      {12, 12, clBlack, 0},  // already chosen: no change
      {31, 31, clRed, 1},    {21, 5, clRed, 1},  // the gap between cells
      {155, 35, clWhite, 2},
  };
  for (const TClick& c : clicks) {
    Headless::MouseDown(panel, mbLeft, {}, c.X, c.Y);
    EXPECT_EQ(panel->GetSelectedColor(), c.Color) << c.X << "," << c.Y;
    EXPECT_EQ(Log.Changes, c.Changes);
  }
  Form.Show();
  panel->SetSelectedColor(clRed);
  panel->SetFocus();
  struct TKey {
    Word Key;
    TColor Color;
  };
  const TKey keys[] = {{VK_RIGHT, clLime}, {VK_DOWN, clLime}, {VK_UP, clGreen}, {VK_LEFT, clMaroon}, {VK_UP, clMaroon}};
  for (const TKey& k : keys) {
    Headless::PressKey(&Form, k.Key);
    EXPECT_EQ(panel->GetSelectedColor(), k.Color) << k.Key;
  }
  // One frame per cell and a second one around the choice; none for a colour not offered.
  std::vector<String> log = Headless::Paint(panel);
  EXPECT_EQ(CountOf(log, "Rectangle"), 17u);
  EXPECT_EQ(CountOf(log, "FillRect"), 17u);
  panel->SetSelectedColor(TColor(0x123456));
  EXPECT_EQ(panel->SelectedCell(), -1);
  EXPECT_EQ(CountOf(Headless::Paint(panel), "Rectangle"), 16u);
  EXPECT_EQ(panel->CellAt(150, 5), 7);
  panel->SetColumns(4);
  EXPECT_EQ(panel->CellAt(150, 5), 3);
  panel->SetColumns(0);
  EXPECT_EQ(panel->GetColumns(), 1);
}

TEST_F(ToolControlsTest, EnumComboBoxOffersTheBoundPropertysValuesAndWritesThePick) {
  auto* label = Add<TLabel>("Label1");
  auto* box = Add<TEnumComboBox>("Box");
  box->OnChange = MakeMethod<&TChangeLog::Changed>(&Log);
  label->SetAlignment(taRightJustify);
  box->SetComponent(label);
  box->SetPropName("Alignment");
  EXPECT_EQ(box->GetItems()->GetText(), "taLeftJustify\r\ntaRightJustify\r\ntaCenter\r\n");
  EXPECT_EQ(box->GetText(), "taRightJustify");
  box->SelectItem(2);
  EXPECT_EQ(label->GetAlignment(), taCenter);
  EXPECT_EQ(Log.Changes, 1);
  // A property that is no enumeration, or none, offers nothing.
  for (const char* name : {"Caption", "Nothing"}) {
    box->SetPropName(name);
    EXPECT_EQ(box->GetItems()->Count(), 0) << name;
    EXPECT_EQ(box->GetValue(), -1);
  }
  // Read from a form, it binds once the label exists.
  box->OnChange = {};
  box->SetPropName("Layout");
  label->SetLayout(tlBottom);
  std::unique_ptr<TForm> copy = RoundTrip();
  auto* copied = OwnedComponent<TEnumComboBox>(copy.get(), "Box");
  EXPECT_EQ(copied->GetComponent(), copy->FindComponent("Label1"));
  EXPECT_EQ(copied->GetItems()->Count(), 3);
  EXPECT_EQ(copied->GetValue(), static_cast<Integer>(tlBottom));
  // The bound component goes: so does the list.
  delete label;
  EXPECT_EQ(box->GetComponent(), nullptr);
  EXPECT_EQ(box->GetItems()->Count(), 0);
  // Unbound, a type given in code.
  box->SetEnumType(TypeInfo<TLabelStyle>());
  box->SetValue(lsShadow);
  EXPECT_EQ(box->GetText(), "lsShadow");
  box->SetValue(99);
  EXPECT_EQ(box->GetItemIndex(), -1);
}

TEST_F(ToolControlsTest, URLLabelOpensOnlyWebAndMailAddresses) {
  struct TCase {
    const char* URL;
    const char* Caption;
    const char* Target;
  };
  const TCase cases[] = {
      {"", "&www.example.org", "http://www.example.org"},
      {"https://example.org/a?b=1", "Home", "https://example.org/a?b=1"},
      {"info@example.org", "", "mailto:info@example.org"},
      {"mailto:info@example.org", "", "mailto:info@example.org"},
      {"example.org:8080/x", "", "http://example.org:8080/x"},
      {"  ftp://files.example.org ", "", "ftp://files.example.org"},
      {"javascript:alert(1)", "", ""},
      {"file:///etc/passwd", "", ""},
      {"http://a b", "", ""},
      {"http:/x", "", ""},
      {"mailto:", "", ""},
      {"", "", ""},
  };
  auto* link = Add<TURLLabel>("Link");
  EXPECT_EQ(link->GetCursor(), crHandPoint);
  EXPECT_TRUE(link->GetFont()->GetStyle().Contains(fsUnderline));
  for (const TCase& c : cases) {
    link->SetURL(c.URL);
    link->SetText(c.Caption);
    EXPECT_EQ(link->TargetURL(), c.Target) << c.URL << " " << c.Caption;
  }
  Form.Show();
  const size_t before = HeadlessWidgetSet()->HelpShown().size();
  link->SetURL("javascript:alert(1)");
  Headless::Click(link);
  EXPECT_EQ(HeadlessWidgetSet()->HelpShown().size(), before);
  link->SetURL("www.example.org");
  link->SetEnabled(false);
  Headless::Click(link);
  EXPECT_EQ(HeadlessWidgetSet()->HelpShown().size(), before);
  link->SetEnabled(true);
  Headless::Click(link);
  ASSERT_EQ(HeadlessWidgetSet()->HelpShown().size(), before + 1);
  EXPECT_EQ(HeadlessWidgetSet()->HelpShown().back(), "http://www.example.org");
}

TEST_F(ToolControlsTest, LabelExDrawsItsReliefBehindTheText) {
  auto* label = Add<TLabelEx>("Title");
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 100, 20);
  label->SetText("Hi");
  struct TCase {
    TLabelStyle Style;
    Integer Offset;
    std::vector<String> Places;  // where the text is drawn, in order
  };
  const TCase cases[] = {
      {lsNormal, 2, {"10,10"}},
      {lsRaised, 2, {"9,9", "11,11", "10,10"}},
      {lsLowered, 2, {"9,9", "11,11", "10,10"}},
      {lsShadow, 3, {"13,13", "10,10"}},
      {lsShadow, 40, {"20,20", "10,10"}},  // at most 10
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Style);
    label->SetStyle(c.Style);
    label->SetShadowOffset(c.Offset);
    std::vector<String> places;
    for (const String& line : Headless::Paint(&Form))
      if (line.starts_with("TextRect") && line.ends_with(" Hi")) {
        const size_t end = line.rfind(' ');
        places.push_back(line.substr(line.rfind(' ', end - 1) + 1, end - line.rfind(' ', end - 1) - 1));
      }
    EXPECT_EQ(places, c.Places);
  }
}

TEST_F(ToolControlsTest, StrListKeepsItsSortedStringsInTheFormAndReportsChanges) {
  auto* list = Add<TStrList>("Words");
  list->OnChange = MakeMethod<&TChangeLog::Changed>(&Log);
  list->GetStrings()->Add("pear");
  list->GetStrings()->Add("Apple");
  EXPECT_EQ(Log.Changes, 2);
  list->SetSorted(true);
  list->SetDuplicates(dupError);
  EXPECT_EQ(list->GetStrings()->GetText(), "Apple\r\npear\r\n");
  EXPECT_THROW(list->GetStrings()->Add("apple"), Exception);
  list->OnChange = {};
  String text;
  std::unique_ptr<TForm> copy = RoundTrip(&text);
  EXPECT_NE(text.find("Sorted = True"), String::npos) << text;
  auto* copied = OwnedComponent<TStrList>(copy.get(), "Words");
  EXPECT_TRUE(copied->GetSorted());
  EXPECT_EQ(copied->GetDuplicates(), dupError);
  EXPECT_EQ(copied->GetStrings()->GetText(), "Apple\r\npear\r\n");
}

TEST_F(ToolControlsTest, ProductNoticeInTheInformationBoxAndOnThePanel) {
  struct TCase {
    const char* Name;
    const char* Version;
    const char* Copyright;
    const char* Notice;
  };
  const TCase cases[] = {
      {"Xel Glotta", "1.31", "Xel GbR", "Xel Glotta 1.31, Xel GbR"},
      {"Xel Glotta", "", "Xel GbR", "Xel Glotta, Xel GbR"},
      {"Tool", "2.0", "", "Tool 2.0"},
      {"", "", "", ""},
  };
  for (const TCase& c : cases) EXPECT_EQ((TXelProduct{c.Name, c.Version, c.Copyright}.Notice()), c.Notice);

  auto* info = Add<TXelInfo>("About");
  EXPECT_EQ(info->GetCaptionVersion(), "1.31");
  std::pair<String, String> shown;
  {
    TModalScript script([&](TCustomForm* box) {
      if (auto* message = dynamic_cast<TLabel*>(box->FindComponent("Message"))) shown = {message->GetText(), box->GetText()};
      Headless::PressKey(box, VK_RETURN);
    });
    info->Execute();
  }
  EXPECT_EQ(shown, (std::pair<String, String>{"Xel Glotta 1.31, Xel GbR", "Information"}));

  auto* panel = Add<TXelInfoPanel>("Banner");
  panel->SetCaptionVersion("2.0");
  std::vector<String> log = Headless::Paint(panel);
  auto drawn = [&](const String& text) {
    return std::any_of(log.begin(), log.end(), [&](const String& l) { return l.starts_with("TextRect") && l.ends_with(" " + text); });
  };
  EXPECT_TRUE(drawn("Xel Glotta 2.0"));
  EXPECT_TRUE(drawn("Xel GbR"));
  // Only what differs from the defaults is stored.
  String text;
  std::unique_ptr<TForm> copy = RoundTrip(&text);
  EXPECT_EQ(text.find("ProductName"), String::npos) << text;
  EXPECT_NE(text.find("CaptionVersion = '2.0'"), String::npos) << text;
  EXPECT_EQ(OwnedComponent<TXelInfoPanel>(copy.get(), "Banner")->GetCaptionVersion(), "2.0");
  EXPECT_EQ(OwnedComponent<TXelInfo>(copy.get(), "About")->GetCaptionVersion(), "1.31");
}

}  // namespace
}  // namespace xel
