// The button panel: where the buttons go for each count and alignment, how a short panel
// shares its length, when it lays out again, what the buttons do, and its form stream.
#include <gtest/gtest.h>

#include <memory>

#include "ButtonPanel.h"
#include "Forms.h"
#include "HeadlessWidgetSet.h"
#include "RegisterControls.h"
#include "TextForms.h"

namespace xel {

// A form whose handlers a stream can name.
class TButtonTestForm : public TForm {
  XEL_CLASS(TButtonTestForm, TForm)
public:
  using TForm::TForm;
  void ApplyClick(TObject*) { Log.push_back("apply"); }
  void PanelClick(TObject*, TButtonItem* item) { Log.push_back("panel:" + item->GetCaption()); }
  static auto PublishedMethods() {
    return MethodTable<TButtonTestForm>({PublishedMethod<&TButtonTestForm::ApplyClick>("ApplyClick"),
                                         PublishedMethod<&TButtonTestForm::PanelClick>("PanelClick")});
  }
  std::vector<String> Log;
};

namespace {

struct ButtonPanelTest : testing::Test {
  static void SetUpTestSuite() {
    RegisterControlClasses();
    RegisterButtonPanelClasses();
    RegisterClass(TButtonTestForm::StaticClass());
    if (!WidgetSet()) InstallHeadlessWidgetSet();
  }
  ButtonPanelTest() : Form(nullptr, TCreateNew{}) {
    Form.SetName("ButtonTestForm");
    Panel = new TButtonPanel(&Form);
    Panel->SetName("Buttons1");
    Panel->SetParent(&Form);
    Panel->SetBounds(0, 0, 400, 41);
  }
  void AddButtons(int count) {
    for (int i = 0; i < count; ++i) Panel->GetButtons()->Add()->SetCaption("B" + IntToStr(i + 1));
  }
  TExBitBtn* Button(int i) const { return Panel->GetButtons()->Items(i)->Button(); }
  // The positions along the panel of the visible buttons.
  std::vector<Integer> Starts(bool vertical = false) const {
    std::vector<Integer> starts;
    for (int i = 0; i < Panel->GetButtons()->Count(); ++i)
      if (Button(i)->GetVisible()) starts.push_back(vertical ? Button(i)->Top() : Button(i)->Left());
    return starts;
  }
  TButtonTestForm Form;
  TButtonPanel* Panel;
};

TEST_F(ButtonPanelTest, OneToFourButtonsInEachAlignment) {
  // 75 by 25 with gaps of 8 on a panel 400 wide and 41 high.
  struct TCase {
    int Count;
    TButtonAlignment Alignment;
    std::vector<Integer> Lefts;
  } cases[] = {
      {1, baLeft, {8}},
      {1, baRight, {317}},
      {1, baCenter, {162}},
      {2, baLeft, {8, 91}},
      {2, baRight, {234, 317}},
      {2, baCenter, {121, 204}},
      {3, baLeft, {8, 91, 174}},
      {3, baRight, {151, 234, 317}},
      {3, baCenter, {79, 162, 245}},
      {4, baLeft, {8, 91, 174, 257}},
      {4, baRight, {68, 151, 234, 317}},
      {4, baCenter, {38, 121, 204, 287}},
  };
  for (const TCase& c : cases) {
    Panel->GetButtons()->Clear();
    Panel->SetButtonAlignment(c.Alignment);
    AddButtons(c.Count);
    EXPECT_EQ(Starts(), c.Lefts) << c.Count << " " << GetEnumName(TypeInfo<TButtonAlignment>(), c.Alignment);
    for (int i = 0; i < c.Count; ++i) {
      EXPECT_EQ(Button(i)->Top(), 8);
      EXPECT_EQ(Button(i)->Width(), 75);
      EXPECT_EQ(Button(i)->Height(), 25);
      EXPECT_EQ(Button(i)->Parent(), Panel);
    }
  }
}

TEST_F(ButtonPanelTest, SizesAndShortPanels) {
  struct TCase {
    Integer Width, Height, DimX, DimY, Dist;
    int Count;
    TButtonAlignment Alignment;
    std::vector<Integer> Starts;
    TRect First;  // the first button's bounds
  } cases[] = {
      // Three of 128 by 32 on 472 pixels, aligned right, start at 472 - 136 * 3.
      {472, 41, 128, 32, 8, 3, baRight, {64, 200, 336}, Bounds(64, 4, 128, 32)},
      // Too short for the gaps: they shrink to (410 - 400) div 5.
      {410, 41, 100, 25, 8, 4, baLeft, {2, 104, 206, 308}, Bounds(2, 8, 100, 25)},
      // Too short for the buttons: they share the length without gaps.
      {300, 41, 100, 25, 8, 4, baLeft, {0, 75, 150, 225}, Bounds(0, 8, 75, 25)},
      // A panel thinner than the buttons gives them its own thickness.
      {400, 20, 75, 25, 8, 2, baCenter, {121, 204}, Bounds(121, 0, 75, 20)},
      // Higher than wide: a column, ButtonDimY along it, centred across.
      {100, 300, 75, 25, 8, 3, baLeft, {8, 41, 74}, Bounds(12, 8, 75, 25)},
      {100, 300, 75, 25, 8, 3, baRight, {201, 234, 267}, Bounds(12, 201, 75, 25)},
      // Square counts as a column.
      {60, 60, 75, 25, 5, 1, baCenter, {17}, Bounds(0, 17, 60, 25)},
  };
  for (const TCase& c : cases) {
    Panel->BeginUpdateButtons();
    Panel->GetButtons()->Clear();
    Panel->SetBounds(0, 0, c.Width, c.Height);
    Panel->SetButtonDimX(c.DimX);
    Panel->SetButtonDimY(c.DimY);
    Panel->SetButtonDist(c.Dist);
    Panel->SetButtonAlignment(c.Alignment);
    AddButtons(c.Count);
    Panel->EndUpdateButtons();
    EXPECT_EQ(Starts(c.Height >= c.Width), c.Starts) << c.Width << "x" << c.Height;
    EXPECT_EQ(Button(0)->BoundsRect(), c.First) << c.Width << "x" << c.Height;
  }
}

TEST_F(ButtonPanelTest, ChangesLayTheButtonsOutAgain) {
  Panel->SetButtonAlignment(baLeft);
  AddButtons(3);
  // Hiding an item closes its gap; showing it opens it again.
  Panel->GetButtons()->Items(1)->SetVisible(false);
  EXPECT_FALSE(Button(1)->GetVisible());
  EXPECT_EQ(Starts(), (std::vector<Integer>{8, 91}));
  EXPECT_EQ(Button(2)->Left(), 91);
  Panel->GetButtons()->Items(1)->SetVisible(true);
  EXPECT_EQ(Starts(), (std::vector<Integer>{8, 91, 174}));

  // A caption change lays out again (here it puts back a button moved behind its back).
  Button(0)->SetLeft(300);
  Panel->GetButtons()->Items(0)->SetCaption("&Apply");
  EXPECT_EQ(Button(0)->Left(), 8);
  EXPECT_EQ(Panel->GetButtons()->Items(0)->GetDisplayName(), "&Apply");

  // Between BeginUpdateButtons and EndUpdateButtons nothing moves; at the end, all at once.
  Panel->BeginUpdateButtons();
  Panel->SetButtonAlignment(baRight);
  Panel->SetButtonDist(10);
  EXPECT_EQ(Starts(), (std::vector<Integer>{8, 91, 174}));
  Panel->EndUpdateButtons();
  EXPECT_EQ(Starts(), (std::vector<Integer>{145, 230, 315}));

  // The panel follows its form's width when aligned to the bottom.
  Panel->SetAlign(alBottom);
  Form.SetClientWidth(500);
  EXPECT_EQ(Panel->Width(), 500);
  EXPECT_EQ(Starts(), (std::vector<Integer>{245, 330, 415}));

  // Deleting an item frees its button and closes the row.
  Panel->GetButtons()->Delete(2);
  EXPECT_EQ(Panel->ControlCount(), 2);
  EXPECT_EQ(Starts(), (std::vector<Integer>{330, 415}));
}

TEST_F(ButtonPanelTest, KindsCaptionsResultsAndClicks) {
  TButtonCollection* buttons = Panel->GetButtons();
  struct TCase {
    TBitBtnKind Kind;
    const char* Caption;
    TModalResult Result;
    bool Default, Cancel;
  } cases[] = {{bkOK, "OK", mrOk, true, false},
               {bkCancel, "Cancel", mrCancel, false, true},
               {bkYes, "&Yes", mrYes, true, false},
               {bkHelp, "&Help", mrNone, false, false}};
  for (const TCase& c : cases) {
    TButtonItem* item = buttons->Add();
    item->SetKind(c.Kind);
    EXPECT_EQ(item->GetCaption(), c.Caption);
    EXPECT_EQ(item->GetModalResult(), c.Result);
    EXPECT_EQ(item->GetDefault(), c.Default);
    EXPECT_EQ(item->GetCancel(), c.Cancel);
    EXPECT_EQ(item->Button()->GetText(), c.Caption);
  }
  TButtonItem* apply = buttons->Add();
  apply->SetCaption("&Apply");
  apply->SetModalResult(mrRetry);
  apply->SetOnClick(MakeMethod<&TButtonTestForm::ApplyClick>(&Form));
  Panel->OnButtonClick = MakeMethod<&TButtonTestForm::PanelClick>(&Form);

  // A click runs the button's own click, then the panel's event; the form gets the result.
  TModalResult result = mrNone;
  {
    TModalScript script([&](TCustomForm*) { Headless::Click(apply->Button()); });
    result = Form.ShowModal();
  }
  EXPECT_EQ(result, mrRetry);
  EXPECT_EQ(Form.Log, (std::vector<String>{"apply", "panel:&Apply"}));
  // Escape answers through the cancel button, which reports to the panel as well.
  Form.Log.clear();
  {
    TModalScript script([&](TCustomForm* f) { Headless::PressKey(f, VK_ESCAPE); });
    result = Form.ShowModal();
  }
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(Form.Log, std::vector<String>{"panel:Cancel"});
  // A disabled button does nothing.
  Form.Log.clear();
  apply->SetEnabled(false);
  apply->Button()->Click();
  EXPECT_TRUE(Form.Log.empty());
}

TEST_F(ButtonPanelTest, TheFormStreamKeepsTheButtonsAndTellsAnEmptyCollectionApart) {
  TButtonCollection* buttons = Panel->GetButtons();
  buttons->Add()->SetKind(bkOK);
  TButtonItem* apply = buttons->Add();
  apply->SetCaption("&Apply");
  apply->SetOnClick(MakeMethod<&TButtonTestForm::ApplyClick>(&Form));
  Panel->SetButtonAlignment(baCenter);
  Panel->OnButtonClick = MakeMethod<&TButtonTestForm::PanelClick>(&Form);
  TStringStream s;
  s.WriteComponent(&Form);
  String text = ObjectBinaryToText(s.DataString());
  EXPECT_NE(text.find("    ButtonAlignment = baCenter\r\n    Buttons = <\r\n      item\r\n        Kind = bkOK\r\n"),
            String::npos)
      << text;
  EXPECT_NE(text.find("        Caption = '&Apply'\r\n"), String::npos) << text;
  EXPECT_NE(text.find("        OnClick = ApplyClick\r\n"), String::npos) << text;
  EXPECT_EQ(text.find("ButtonsEmpty"), String::npos) << text;
  EXPECT_EQ(text.find("object TExBitBtn"), String::npos) << text;  // the buttons are the items'

  TButtonTestForm copy(nullptr, TCreateNew{});
  TStringStream in(s.DataString());
  in.ReadComponent(&copy);
  auto* panel = OwnedComponent<TButtonPanel>(&copy, "Buttons1");
  ASSERT_EQ(panel->GetButtons()->Count(), 2);
  TButtonItem* ok = panel->GetButtons()->Items(0);
  EXPECT_EQ(ok->GetCaption(), "OK");
  EXPECT_EQ(ok->GetModalResult(), mrOk);
  EXPECT_TRUE(ok->GetDefault());
  EXPECT_EQ(panel->GetButtons()->Items(1)->GetCaption(), "&Apply");
  EXPECT_EQ(panel->GetButtons()->Items(0)->Button()->Left(), 121);  // laid out once loaded
  panel->GetButtons()->Items(1)->Button()->Click();
  EXPECT_EQ(copy.Log, (std::vector<String>{"apply", "panel:&Apply"}));

  // Emptied, the panel writes ButtonsEmpty instead of the collection; read into a panel that
  // has buttons (as one inherited from an ancestor form does), it clears them.
  buttons->Clear();
  Panel->OnButtonClick = nullptr;  // written alone, the panel has no form to name it
  TStringStream empty;
  empty.WriteComponent(Panel);
  String emptyText = ObjectBinaryToText(empty.DataString());
  EXPECT_NE(emptyText.find("  ButtonsEmpty = True\r\n"), String::npos) << emptyText;
  EXPECT_EQ(emptyText.find("Buttons = <"), String::npos) << emptyText;
  TStringStream again(empty.DataString());
  again.ReadComponent(panel);
  EXPECT_EQ(panel->GetButtons()->Count(), 0);
  EXPECT_EQ(panel->ControlCount(), 0);
}

}  // namespace
}  // namespace xel
