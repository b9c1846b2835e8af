// Panels, splitters, timers, glyph buttons, pictures, dialogs and the clipboard.
#include <gtest/gtest.h>

#include <memory>

#include "Buttons.h"
#include "Clipbrd.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "HeadlessWidgetSet.h"
#include "TextForms.h"

namespace xel {
namespace {

struct TCounter : TObject {
  int Count = 0;
  void Tick(TObject*) { ++Count; }
};

struct ExtraFixture : testing::Test {
  std::unique_ptr<TForm> Form{new TForm(nullptr, TCreateNew{})};
  template <class T>
  T* Add(const char* name, TWinControl* parent = nullptr) {
    auto* c = new T(Form.get());
    c->SetName(name);
    c->SetParent(parent ? parent : Form.get());
    return c;
  }
};

TEST_F(ExtraFixture, SplitterResizesItsNeighbourDownToTheMinimum) {
  Form->SetBorderStyle(bsNone);
  Form->SetBounds(0, 0, 400, 300);
  auto* left = Add<TPanel>("Left");
  left->SetAlign(alLeft);
  left->SetWidth(100);
  auto* splitter = Add<TSplitter>("Split");
  splitter->SetLeft(100);  // right of the panel, as the designer drops it
  auto* rest = Add<TMemo>("Rest");
  rest->SetAlign(alClient);
  ASSERT_EQ(splitter->FindControl(), left);
  TCounter moved;
  splitter->OnMoved = MakeMethod<&TCounter::Tick>(&moved);
  Form->Show();
  Headless::MouseDown(splitter, mbLeft, {ssLeft}, 1, 50);
  splitter->MouseMove({ssLeft}, 41, 50);
  EXPECT_EQ(left->Width(), 140);
  splitter->MouseMove({ssLeft}, -500, 50);
  EXPECT_EQ(left->Width(), 30);
  Headless::MouseUp(splitter, mbLeft, {}, -500, 50);
  EXPECT_EQ(moved.Count, 1);
  EXPECT_EQ(rest->Left(), left->Width() + splitter->Width());
  // Panel client area: inside its raised bevel.
  EXPECT_EQ(left->GetClientRect(), Rect(1, 1, 29, 299));
}

TEST_F(ExtraFixture, TimersRunOnlyWhileEnabledAndAssigned) {
  auto* timer = new TTimer(Form.get());
  TCounter ticks;
  EXPECT_TRUE(HeadlessWidgetSet()->RunningTimers().empty());  // no OnTimer yet
  timer->OnTimer = MakeMethod<&TCounter::Tick>(&ticks);
  timer->SetInterval(250);
  ASSERT_EQ(HeadlessWidgetSet()->RunningTimers().size(), 1u);
  HeadlessWidgetSet()->FireTimers();
  timer->SetEnabled(false);
  HeadlessWidgetSet()->FireTimers();
  EXPECT_EQ(ticks.Count, 1);
  timer->SetEnabled(true);
  delete timer;  // a freed timer stops
  EXPECT_TRUE(HeadlessWidgetSet()->RunningTimers().empty());
}

TEST_F(ExtraFixture, SpeedButtonGroupsAndBitButtonKinds) {
  auto* a = Add<TSpeedButton>("A");
  auto* b = Add<TSpeedButton>("B");
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  Form->Show();
  Headless::Click(a);
  Headless::Click(b);
  EXPECT_FALSE(a->GetDown());
  EXPECT_TRUE(b->GetDown());
  Headless::Click(b);  // the last one down stays down
  EXPECT_TRUE(b->GetDown());
  b->SetAllowAllUp(true);
  Headless::Click(b);
  EXPECT_FALSE(b->GetDown());

  auto* ok = Add<TBitBtn>("OkBtn");
  ok->SetKind(bkOK);
  EXPECT_EQ(ok->GetText(), "OK");
  EXPECT_EQ(ok->GetModalResult(), mrOk);
  EXPECT_TRUE(ok->GetDefault());
  EXPECT_FALSE(ok->IsCustomCaption());
  ok->SetText("&Accept");
  EXPECT_TRUE(ok->IsCustomCaption());
  ok->GetGlyph()->SetSolid(16, 16, clRed);

  TStringStream s;
  s.WriteComponent(Form.get());
  String text = ObjectBinaryToText(s.DataString());
  EXPECT_NE(text.find("Kind = bkOK"), String::npos);
  EXPECT_NE(text.find("Caption = '&Accept'"), String::npos);
  EXPECT_EQ(text.find("ModalResult = 1"), String::npos);  // the kind's own result is not stored
  TForm copy(nullptr, TCreateNew{});
  s.SetPosition(0);
  s.ReadComponent(&copy);
  auto* glyph = static_cast<TBitBtn*>(copy.FindComponent("OkBtn"))->GetGlyph();
  EXPECT_EQ(glyph->Width(), 16);
  EXPECT_EQ(glyph->Pixel(3, 4), clRed);
}

TEST_F(ExtraFixture, ImagesStoreTheirPictureWithItsClass) {
  auto* image = Add<TImage>("Image1");
  image->SetAutoSize(true);
  image->GetPicture()->Bitmap()->SetSolid(20, 10, clBlue);
  EXPECT_EQ(image->Width(), 20);
  EXPECT_EQ(image->Height(), 10);
  TStringStream s;
  s.WriteComponent(Form.get());
  EXPECT_NE(s.DataString().find(String("\x07TBitmap")), String::npos);
  TForm copy(nullptr, TCreateNew{});
  s.SetPosition(0);
  s.ReadComponent(&copy);
  TPicture* p = static_cast<TImage*>(copy.FindComponent("Image1"))->GetPicture();
  ASSERT_NE(dynamic_cast<TBitmap*>(p->Graphic()), nullptr);
  EXPECT_EQ(static_cast<TBitmap*>(p->Graphic())->Pixel(19, 9), clBlue);
  auto log = Headless::Paint(&copy);
  EXPECT_NE(std::find(log.begin(), log.end(), "Draw 0,0 TBitmap 20x10"), log.end());
  EXPECT_THROW(TBitmap().LoadFromBytes("not a bitmap"), EInvalidGraphic);
}

TEST(DialogsTest, FileDialogsAskTheScriptAndApplyTheirRules) {
  TOpenDialog dialog(nullptr);
  dialog.SetFilter("Text files (*.txt)|*.txt|Forms (*.dfm;*.xfm)|*.dfm; *.xfm|All files (*.*)|*.*");
  auto filters = dialog.Filters();
  ASSERT_EQ(filters.size(), 3u);
  EXPECT_EQ(filters[1].Description, "Forms (*.dfm;*.xfm)");
  EXPECT_EQ(filters[1].Masks, (std::vector<String>{"*.dfm", "*.xfm"}));
  EXPECT_THROW(dialog.Execute(), EInvalidOperation);  // nobody answers

  dialog.SetDefaultExt("txt");
  dialog.SetOptions({ofFileMustExist});
  const String notes = "/tmp/xel-dialog-notes";
  WriteFileAtomically(notes + ".txt", "x");
  String message;
  {
    TDialogScript script([&](TCommonDialog* d) {
      auto* open = static_cast<TOpenDialog*>(d);
      EXPECT_FALSE(open->AcceptFileName("/nonexistent/notes", message));
      EXPECT_EQ(message, "/nonexistent/notes.txt\nFile not found.");
      return open->AcceptFileName(notes, message);
    });
    EXPECT_TRUE(dialog.Execute());
  }
  DeleteFile(notes + ".txt");
  EXPECT_EQ(message, "");
  EXPECT_EQ(dialog.GetFileName(), notes + ".txt");

  TSaveDialog save(nullptr);
  save.SetDefaultExt(".lng");
  EXPECT_TRUE(save.AcceptFileName("/tmp/strings", message));
  EXPECT_EQ(save.GetFileName(), "/tmp/strings.lng");

  String dir = "/tmp";
  TDialogScript script([](TCommonDialog* d) {
    static_cast<TSelectDirectoryDialog*>(d)->SetDirectory("/var");
    return true;
  });
  EXPECT_TRUE(SelectDirectory("Choose", "/", dir));
  EXPECT_EQ(dir, "/var");
}

TEST(DialogsTest, MessageDialogsAreModalFormsWithNamedButtons) {
  std::vector<String> seen;
  TModalScript script([&](TCustomForm* form) {
    seen.push_back(form->GetText() + ": " + static_cast<TLabel*>(form->FindComponent("Message"))->GetText());
    for (const char* name : {"Yes", "No", "Cancel", "OK"})
      if (form->FindComponent(name)) seen.push_back(name);
    Headless::PressKey(form, VK_ESCAPE);  // the cancel role: Cancel, or No without Cancel
    if (form->ModalResult() == mrNone) Headless::PressKey(form, VK_RETURN);
  });
  EXPECT_EQ(MessageDlg("Save changes?", mtConfirmation, {mbYes, mbNo, mbCancel}, 0), mrCancel);
  EXPECT_EQ(Application->MessageBox("Really?", "Question", MB_YESNO | MB_ICONQUESTION), mrNo);
  EXPECT_EQ(Application->MessageBox("Done.", "", MB_OK), mrOk);
  EXPECT_EQ(seen, (std::vector<String>{"Confirm: Save changes?", "Yes", "No", "Cancel", "Question: Really?", "Yes",
                                       "No", Application->Title() + ": Done.", "OK"}));
}

TEST(ClipboardTest, TextGoesThroughTheWidgetSet) {
  Clipboard()->SetAsText("copied");
  EXPECT_EQ(HeadlessWidgetSet()->GetClipboardText(), "copied");
  EXPECT_TRUE(Clipboard()->HasText());
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasText());
}

}  // namespace
}  // namespace xel
