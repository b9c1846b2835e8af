// Controls built in code: layout, inherited fonts, painting, menus, item lists, teardown.
#include <gtest/gtest.h>

#include "../core/RegistryCheck.h"

#include <memory>

#include "Forms.h"
#include "HeadlessWidgetSet.h"
#include "StdCtrls.h"
#include "TextForms.h"

namespace xel {
namespace {

TEST(ShortCutTest, TextsRoundTrip) {
  const struct {
    const char* Text;
    TShortCut Value;
  } cases[] = {{"Ctrl+S", static_cast<TShortCut>(scCtrl | 'S')},
               {"F6", static_cast<TShortCut>(VK_F1 + 5)},
               {"Shift+F9", static_cast<TShortCut>(scShift | (VK_F1 + 8))},
               {"Alt+X", static_cast<TShortCut>(scAlt | 'X')},
               {"Shift+Ctrl+Del", static_cast<TShortCut>(scShift | scCtrl | VK_DELETE)},
               {"Enter", VK_RETURN}};
  for (const auto& c : cases) {
    EXPECT_EQ(TextToShortCut(c.Text), c.Value) << c.Text;
    EXPECT_EQ(ShortCutToText(c.Value), c.Text);
  }
  EXPECT_EQ(TextToShortCut("ctrl+s"), TextToShortCut("Ctrl+S"));
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(TextToShortCut("Hyper+Q"), 0);
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(StripHotkey("Save &As && Close"), "Save As & Close");
  EXPECT_EQ(GetHotkey("Save &as"), 'A');
  EXPECT_EQ(GetHotkey("A && B"), 0);
}

struct TFormFixture : testing::Test {
  std::unique_ptr<TForm> Form{new TForm(nullptr)};
  template <class T>
  T* Add(const char* name) {
    auto* c = new T(Form.get());
    c->SetName(name);
    c->SetParent(Form.get());
    return c;
  }
};

TEST_F(TFormFixture, AlignedChildrenShareTheClientArea) {
  Form->SetBorderStyle(bsNone);
  Form->SetBounds(0, 0, 400, 300);
  auto* top = Add<TEdit>("Top");
  auto* bottom = Add<TButton>("Bottom");
  auto* left = Add<TListBox>("Left");
  auto* client = Add<TMemo>("Client");
  top->SetAlign(alTop);
  bottom->SetAlign(alBottom);
  left->SetAlign(alLeft);
  client->SetAlign(alClient);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 21));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 275, 400, 300));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 21, 121, 275));
  EXPECT_EQ(client->BoundsRect(), Rect(121, 21, 400, 275));
  Form->SetHeight(200);
  EXPECT_EQ(client->BoundsRect(), Rect(121, 21, 400, 175));
  bottom->Hide();
  EXPECT_EQ(client->BoundsRect(), Rect(121, 21, 400, 200));
}

TEST_F(TFormFixture, FontsFollowTheParentUntilSetAndAreStoredOnlyThen) {
  auto* box = Add<TGroupBox>("Box");
  auto* inner = new TLabel(Form.get());
  inner->SetName("Inner");
  inner->SetParent(box);
  auto* own = Add<TButton>("Own");
  own->GetFont()->SetStyle({fsBold});
  Form->GetFont()->SetName("Arial");
  Form->GetFont()->SetSize(12);
  EXPECT_EQ(inner->GetFont()->GetName(), "Arial");
  EXPECT_EQ(inner->GetFont()->GetHeight(), -16);
  EXPECT_TRUE(inner->GetParentFont());
  EXPECT_EQ(own->GetFont()->GetName(), "MS Sans Serif");
  EXPECT_FALSE(own->GetParentFont());

  TStringStream s;
  s.WriteComponent(Form.get());
  String text = ObjectBinaryToText(s.DataString());
  EXPECT_NE(text.find("    Font.Style = [fsBold]"), String::npos) << text;
  EXPECT_EQ(text.find("Font.Name = 'Arial'\n    "), String::npos) << text;  // only the form's
  // A child moved to another parent takes that parent's font.
  own->SetParentFont(true);
  EXPECT_EQ(own->GetFont()->GetName(), "Arial");
}

TEST_F(TFormFixture, CaptionFollowsTheNameUntilChanged) {
  auto* b = Add<TButton>("Button1");
  EXPECT_EQ(b->GetText(), "Button1");
  b->SetName("OkButton");
  EXPECT_EQ(b->GetText(), "OkButton");
  b->SetText("OK");
  b->SetName("Ok2");
  EXPECT_EQ(b->GetText(), "OK");
  auto* memo = Add<TMemo>("Memo1");
  EXPECT_EQ(memo->GetText(), "");  // memos do not take their name
}

TEST_F(TFormFixture, GraphicChildrenPaintInTheirParentsCoordinates) {
  auto* label = Add<TLabel>("Label1");
  label->SetText("&Hi");
  label->SetBounds(10, 20, label->Width(), label->Height());
  auto log = Headless::Paint(Form.get());
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], "FillRect 10,20,22,33 clBtnFace");
  EXPECT_EQ(log[1], "TextRect 10,20,22,33 10,20 Hi");
}

TEST_F(TFormFixture, CheckAndRadioStatesAndClicks) {
  auto* check = Add<TCheckBox>("Check");
  auto* r1 = Add<TRadioButton>("R1");
  auto* r2 = Add<TRadioButton>("R2");
  Form->Show();
  struct TCounter : TObject {
    int Clicks = 0;
    void Click(TObject*) { ++Clicks; }
  } counter;
  check->OnClick = MakeMethod<&TCounter::Click>(&counter);
  check->SetAllowGrayed(true);
  Headless::Click(check);
  EXPECT_EQ(check->GetState(), cbGrayed);
  Headless::Click(check);
  EXPECT_EQ(check->GetState(), cbChecked);
  Headless::PressKey(Form.get(), VK_SPACE);
  EXPECT_EQ(check->GetState(), cbUnchecked);
  EXPECT_EQ(counter.Clicks, 3);
  check->SetEnabled(false);
  Headless::Click(check);
  EXPECT_EQ(counter.Clicks, 3);

  Headless::Click(r1);
  Headless::Click(r2);
  EXPECT_FALSE(r1->GetChecked());
  EXPECT_TRUE(r2->GetChecked());
}

TEST_F(TFormFixture, PopupMenuOnRightClickAndItsShortcuts) {
  auto* edit = Add<TEdit>("Edit1");
  auto* popup = new TPopupMenu(Form.get());
  auto* copy = new TMenuItem(Form.get());
  copy->SetCaption("&Copy");
  copy->SetShortCut(TextToShortCut("Ctrl+C"));
  popup->Items()->Add(copy);
  auto* radioA = new TMenuItem(Form.get());
  auto* radioB = new TMenuItem(Form.get());
  for (auto* r : {radioA, radioB}) {
    r->SetRadioItem(true);
    r->SetGroupIndex(1);
    popup->Items()->Add(r);
  }
  edit->SetPopupMenu(popup);
  struct TRecorder : TObject {
    std::vector<String> Log;
    void Copy(TObject*) { Log.push_back("copy"); }
  } rec;
  copy->OnClick = MakeMethod<&TRecorder::Copy>(&rec);
  TPoint shownAt;
  HeadlessWidgetSet()->SetPopupHandler([&](TPopupMenu* m, TPoint p) {
    shownAt = p;
    m->Items()->Items(0)->Click();
  });
  Form->SetBounds(50, 60, 200, 100);
  Form->Show();
  edit->SetBounds(5, 5, 100, 21);
  Headless::MouseDown(edit, mbRight, {ssRight}, 3, 4);
  Headless::MouseUp(edit, mbRight, {}, 3, 4);
  HeadlessWidgetSet()->SetPopupHandler(nullptr);
  EXPECT_EQ(popup->PopupComponent(), edit);
  EXPECT_EQ(shownAt, Point(50 + 4 + 5 + 3, 60 + 23 + 5 + 4));
  Headless::PressKey(Form.get(), 'C', {ssCtrl});
  EXPECT_EQ(rec.Log, (std::vector<String>{"copy", "copy"}));

  radioA->SetChecked(true);
  radioB->SetChecked(true);
  EXPECT_FALSE(radioA->GetChecked());
  // Freeing the menu clears the control's reference.
  delete popup;
  EXPECT_EQ(edit->GetPopupMenu(), nullptr);
}

TEST_F(TFormFixture, ListBoxSelectsByMouseAndKeys) {
  auto* list = Add<TListBox>("List");
  list->GetItems()->SetText("b\na\nc\n");
  list->SetSorted(true);
  EXPECT_EQ(list->GetItems()->Strings(0), "a");
  Form->Show();
  Headless::MouseDown(list, mbLeft, {ssLeft}, 5, 17);  // the second row
  EXPECT_EQ(list->GetItemIndex(), 1);
  Headless::PressKey(Form.get(), VK_END);
  EXPECT_EQ(list->GetItemIndex(), 2);
  EXPECT_TRUE(list->Selected(2));
  list->SetMultiSelect(true);
  list->SetSelected(0, true);
  list->SetSelected(1, true);
  EXPECT_EQ(list->SelCount(), 2);
  EXPECT_THROW(list->Selected(3), EListError);
}

// Tab order as a form's stream sets it (each control in turn), rearranged, and after a
// control in the middle leaves.
TEST_F(TFormFixture, TabOrderMovesControlsAndClosesGaps) {
  auto* a = Add<TEdit>("A");
  auto* b = Add<TEdit>("B");
  auto* c = Add<TEdit>("C");
  auto* d = Add<TEdit>("D");
  auto order = [&] {
    String names;
    for (TWinControl* w : Form->GetTabOrderList()) names += w->GetName();
    return names;
  };
  EXPECT_EQ(order(), "ABCD");
  EXPECT_EQ(c->GetTabOrder(), 2);
  d->SetTabOrder(0);
  EXPECT_EQ(order(), "DABC");
  a->SetTabOrder(99);  // beyond the end: last
  EXPECT_EQ(order(), "DBCA");
  b->SetTabOrder(2);
  EXPECT_EQ(order(), "DCBA");
  EXPECT_EQ(b->GetTabOrder(), 2);
  EXPECT_EQ(d->GetTabOrder(), 0);
  delete c;
  EXPECT_EQ(order(), "DBA");
  EXPECT_EQ(a->GetTabOrder(), 2);
  a->SetParent(nullptr);
  EXPECT_EQ(a->GetTabOrder(), -1);
  EXPECT_EQ(order(), "DB");
  delete a;
}

TEST(TeardownTest, OwnersFreeAndParentsLetGo) {
  EXPECT_EQ(HeadlessWidgetSet()->HandleCount(), 0);
  auto* form = new TForm(nullptr);
  auto* panelOwner = new TComponent(nullptr);
  auto* box = new TGroupBox(panelOwner);  // owned elsewhere, shown on the form
  box->SetParent(form);
  auto* button = new TButton(form);
  button->SetParent(box);
  form->SetActiveControl(button);
  form->Show();
  EXPECT_EQ(HeadlessWidgetSet()->HandleCount(), 3);
  EXPECT_TRUE(button->Focused());
  // Freeing the box frees nothing it does not own; its child goes with the form.
  delete panelOwner;
  EXPECT_EQ(button->Parent(), nullptr);
  EXPECT_EQ(form->GetActiveControl(), nullptr);
  EXPECT_EQ(HeadlessWidgetSet()->HandleCount(), 1);
  button->SetParent(form);
  EXPECT_EQ(HeadlessWidgetSet()->HandleCount(), 2);
  delete form;
  EXPECT_EQ(HeadlessWidgetSet()->HandleCount(), 0);
  EXPECT_EQ(Screen->FormCount(), 0);
}


TEST(RegistryWideTest, EveryRegisteredClassHasSoundProperties) { EXPECT_GT(test::CheckRegisteredClasses(), 100); }

}  // namespace
}  // namespace xel
