// The forms of the headless suite as real Qt windows: state reaches the widgets, input on
// the widgets reaches the controls, modal loops end, and windows paint into images.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <thread>

#include "MainThread.h"
#include "QtWSControls.h"
#include "QtWidgetSet.h"
#include "SampleForm.h"
#include "WorkbenchForm.h"

namespace xel::test {
namespace {

template <class W>
W* Native(TWinControl* control) {
  auto* w = qobject_cast<W*>(QtWidget(control));
  if (!w) throw EInvalidOperation("no such widget for " + control->GetName());
  return w;
}

struct TCloseAsk : TObject {
  bool Allow = false;
  int Asked = 0;
  void Query(TObject*, bool& canClose) {
    ++Asked;
    canClose = Allow;
  }
};

struct QtFormsTest : testing::Test {
  void SetUp() override {
    Form.reset(New<TSampleForm>(nullptr));
    Form->Show();
    QApplication::processEvents();
  }
  std::unique_ptr<TSampleForm> Form;
};

TEST_F(QtFormsTest, TheFormsStateIsInItsWidgets) {
  QWidget* window = QtWidget(Form.get());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Sample");
  EXPECT_EQ(Native<QLineEdit>(Form->Edit1())->text(), "initial");
  EXPECT_EQ(Native<QPlainTextEdit>(Form->Memo1())->toPlainText(), "first line\nsecond line");
  auto* combo = Native<QComboBox>(Form->Combo1());
  EXPECT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->currentText(), "Deutsch");
  auto* bar = window->findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->actions().size(), 1);
  EXPECT_EQ(bar->actions()[0]->text(), "&File");
  // The client area keeps the form's client size below the menu bar.
  EXPECT_EQ(QtHandle(Form.get())->Container->size(), QSize(300, 200));

  // Later changes follow, a translation of the menu included.
  Form->Edit1()->SetText("changed");
  Form->OkButton()->SetEnabled(false);
  Form->SetText("Beispiel");
  Form->Find<TMenuItem>("FileMenu")->SetCaption("&Datei");
  Form->Combo1()->SetItemIndex(2);
  EXPECT_EQ(Native<QLineEdit>(Form->Edit1())->text(), "changed");
  EXPECT_FALSE(Native<QPushButton>(Form->OkButton())->isEnabled());
  EXPECT_EQ(window->windowTitle(), "Beispiel");
  EXPECT_EQ(bar->actions()[0]->text(), "&Datei");
  EXPECT_EQ(combo->currentText(), QString::fromUtf8("Français"));
}

TEST_F(QtFormsTest, InputOnTheWidgetsReachesTheControls) {
  auto* edit = Native<QLineEdit>(Form->Edit1());
  edit->setFocus();
  edit->setCursorPosition(edit->text().size());
  QTest::keyClicks(edit, "XY");
  EXPECT_EQ(Form->Edit1()->GetText(), "initialXY");
  EXPECT_EQ(Form->Edit1()->SelStart(), 9);
  EXPECT_EQ(Form->GetActiveControl(), Form->Edit1());
  // A menu shortcut typed into the edit runs the item once and types nothing.
  QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Form->Log, (std::vector<String>{"create:initial", "save"}));
  EXPECT_EQ(Form->Edit1()->GetText(), "initialXY");
  // Tab moves the focus the host's way.
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(Form->GetActiveControl(), Form->Memo1());
  auto* combo = Native<QComboBox>(Form->Combo1());
  emit combo->activated(0);
  EXPECT_EQ(Form->Combo1()->GetItemIndex(), 0);
  EXPECT_EQ(Form->Log.back(), "combo:English");
}

TEST(QtComboBoxTest, AnEditableBoxShowsTheTextItHadBeforeItsWindow) {
  std::unique_ptr<TForm> form(new TForm(nullptr, TCreateNew{}));
  auto* combo = new TComboBox(form.get());
  combo->SetParent(form.get());
  combo->GetItems()->Add("listed");
  combo->SetText("typed");
  form->Show();
  EXPECT_EQ(Native<QComboBox>(combo)->currentText(), "typed");
}

TEST_F(QtFormsTest, AModalDialogEndsWhenItsButtonIsClicked) {
  Form->Hide();
  TModalResult result = mrNone;
  QTimer::singleShot(0, [this] { QTest::mouseClick(Native<QPushButton>(Form->OkButton()), Qt::LeftButton); });
  result = Form->ShowModal();
  EXPECT_EQ(result, mrOk);
  EXPECT_FALSE(QtWidget(Form.get())->isVisible());
  // Escape on a focused edit answers with the cancel button.
  QTimer::singleShot(0, [this] { QTest::keyClick(Native<QLineEdit>(Form->Edit1()), Qt::Key_Escape); });
  EXPECT_EQ(Form->ShowModal(), mrCancel);
}

TEST_F(QtFormsTest, FreeingAControlFreesItsWidgetAndClosingAsksTheForm) {
  QPointer<QWidget> edit = QtWidget(Form->Edit1());
  ASSERT_FALSE(edit.isNull());
  delete Form->Edit1();
  EXPECT_TRUE(edit.isNull());
  TCloseAsk ask;
  Form->OnCloseQuery = MakeMethod<&TCloseAsk::Query>(&ask);
  QWidget* window = QtWidget(Form.get());
  window->close();  // as the window's close button does
  EXPECT_TRUE(Form->GetVisible());
  EXPECT_TRUE(window->isVisible());
  ask.Allow = true;
  window->close();
  EXPECT_FALSE(Form->GetVisible());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(ask.Asked, 2);
  Form->OnCloseQuery = nullptr;
}

TEST_F(QtFormsTest, AWindowPaintsIntoAPng) {
  auto path = std::filesystem::temp_directory_path() / "xel_sample_form.png";
  ASSERT_TRUE(SaveControlImage(Form.get(), path.string()));
  QImage image(QString::fromStdString(path.string()));
  ASSERT_FALSE(image.isNull());
  QWidget* window = QtWidget(Form.get());
  EXPECT_EQ(image.size(), window->size() * window->devicePixelRatio());
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3)
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 8);  // text, frames and the face colour, not a blank
  std::filesystem::remove(path);
}

// The common dialogs are Qt's; a timer answers them as a user would.
TEST(QtDialogsTest, FileFolderAndFontDialogsHandTheirChoiceBack) {
  auto dir = std::filesystem::temp_directory_path() / "xel_qt_dialogs";
  std::filesystem::create_directories(dir);
  QStringList filters;
  QTimer::singleShot(50, [&] {
    auto* fd = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(fd, nullptr);
    filters = fd->nameFilters();
    // Typed into the name field and confirmed with Enter, as a user does.
    auto* name = fd->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText("chosen.txt");
    QTest::keyClick(name, Qt::Key_Return);
  });
  TSaveDialog save(nullptr);
  save.SetFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*");
  save.SetInitialDir(dir.string());
  ASSERT_TRUE(save.Execute());
  EXPECT_EQ(save.GetFileName(), (dir / "chosen.txt").string());
  EXPECT_EQ(filters, (QStringList{"Text files (*.txt)", "All files (*)"}));

  TSelectDirectoryDialog folder(nullptr);
  folder.SetDirectory(dir.string());
  QTimer::singleShot(50, [] {
    if (auto* fd = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) fd->reject();
  });
  EXPECT_FALSE(folder.Execute());  // cancelled: nothing chosen

  TFontDialog font(nullptr);
  font.GetFont()->SetHeight(-12);
  QFont picked;
  QTimer::singleShot(50, [&] {
    auto* fdlg = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(fdlg, nullptr);
    QFont f = fdlg->currentFont();
    f.setPointSize(15);
    fdlg->setCurrentFont(f);
    picked = fdlg->currentFont();
    static_cast<QDialog*>(fdlg)->accept();
  });
  ASSERT_TRUE(font.Execute());
  EXPECT_EQ(font.GetFont()->GetName(), HostString(picked.family()));
  EXPECT_EQ(font.GetFont()->GetHeight(), -20);  // 15 points at 96 pixels an inch
  EXPECT_EQ(font.GetFont()->GetStyle().Contains(fsBold), picked.bold());
  std::filesystem::remove_all(dir);
}

// The workbench of the headless suite: the owner-drawn grid with its native in-place editor.
TEST(QtWorkbenchTest, GridEditingWithEnterAndEscape) {
  std::unique_ptr<TWorkbenchForm> form(New<TWorkbenchForm>(nullptr));
  form->Show();
  QApplication::processEvents();
  TStringGrid* grid = form->Grid();
  QWidget* gridWidget = QtWidget(grid);
  ASSERT_NE(gridWidget, nullptr);
  TRect cell = grid->CellRect(0, 1);
  QTest::mouseClick(gridWidget, Qt::LeftButton, {}, QPoint(cell.Left + 3, cell.Top + 3));
  EXPECT_EQ(grid->Col(), 0);
  EXPECT_EQ(form->GetActiveControl(), grid);
  QTest::keyClicks(gridWidget, "H");
  ASSERT_TRUE(grid->GetEditorMode());
  auto* editor = Native<QLineEdit>(grid->InplaceEditor());
  EXPECT_TRUE(editor->isVisible());
  QTest::keyClicks(editor, "ello");
  EXPECT_EQ(grid->Cells(0, 1), "Hello");
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_FALSE(grid->GetEditorMode());
  EXPECT_FALSE(editor->isVisible());
  QTest::keyClick(gridWidget, Qt::Key_Right);
  QTest::keyClicks(gridWidget, "Hallo");
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_EQ(grid->Cells(1, 1), "");
  EXPECT_EQ(grid->Cells(0, 1), "Hello");
  EXPECT_EQ(form->Status()->GetPanels()->Items(0)->GetText(), "Modified");
  QTest::keyClick(gridWidget, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(form->Log, std::vector<String>{"save"});
}

TEST(QtMainThreadTest, ACallQueuedByAnotherThreadWakesTheSleepingLoop) {
  bool ran = false;
  // Should the wake fail, the loop still ends, and the test with it.
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { Application->Terminate(); });
  guard.start(20000);
  std::thread worker([&ran] {
    QueueMainThreadCall([&ran] {
      ran = true;
      Application->Terminate();
    });
  });
  Application->Run();  // sleeps until an event comes; no other event is due
  worker.join();
  guard.stop();
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace xel::test
