// The form base and the button panel as real Qt windows: the window keeps the tracking sizes
// when the user sizes it, and the panel's native buttons sit where the layout put them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "ButtonPanel.h"
#include "QtWSControls.h"
#include "QtWidgetSet.h"
#include "SuperForm.h"

namespace xel {
namespace {

void Track(TMinMaxInfo* info, Integer x, Integer y) {
  info->SetSizeX(x);
  info->SetSizeY(y);
  info->SetEnabled(true);
}

TEST(QtSuperFormTest, TheWindowKeepsTheTrackingSizes) {
  std::unique_ptr<TSuperForm> form(New<TSuperForm>(nullptr));
  Track(form->GetSizeMinTrack(), 300, 200);
  Track(form->GetSizeMaxTrack(), 700, 500);
  form->Show();
  QApplication::processEvents();
  QWidget* window = QtWidget(form.get());
  ASSERT_NE(window, nullptr);
  // The window is the client area: the sizeable frame (4 + 4 across, 23 + 4 down) is off.
  EXPECT_EQ(window->minimumSize(), QSize(292, 173));
  EXPECT_EQ(window->maximumSize(), QSize(692, 473));

  // Sized by the user (here through Qt), the window stops at the limits and the form follows.
  window->resize(100, 50);
  QApplication::processEvents();
  EXPECT_EQ(window->size(), QSize(292, 173));
  EXPECT_EQ(form->Width(), 300);
  EXPECT_EQ(form->Height(), 200);
  window->resize(2000, 2000);
  QApplication::processEvents();
  EXPECT_EQ(form->Width(), 700);
  EXPECT_EQ(form->Height(), 500);
  window->resize(500, 300);
  QApplication::processEvents();
  EXPECT_EQ(form->Width(), 508);
  EXPECT_EQ(form->Height(), 327);
  EXPECT_NE(form->GetWindowStateData().find(" 508 327 0)"), String::npos) << form->GetWindowStateData();

  // New limits reach the open window.
  Track(form->GetSizeMinTrack(), 600, 200);
  QApplication::processEvents();
  EXPECT_EQ(window->minimumWidth(), 592);
  EXPECT_EQ(form->Width(), 600);
  EXPECT_EQ(window->width(), 592);
}

TEST(QtButtonPanelTest, TheNativeButtonsSitWhereTheLayoutPutThem) {
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  form->SetText("Buttons");
  form->SetBounds(100, 100, 420, 140);
  auto* panel = new TButtonPanel(form.get());
  panel->SetParent(form.get());
  panel->SetAlign(alBottom);
  panel->SetButtonAlignment(baCenter);
  for (TBitBtnKind kind : {bkOK, bkCancel, bkHelp}) panel->GetButtons()->Add()->SetKind(kind);
  form->Show();
  QApplication::processEvents();
  for (int i = 0; i < 3; ++i) {
    TExBitBtn* button = panel->GetButtons()->Items(i)->Button();
    auto* native = qobject_cast<QPushButton*>(QtWidget(button));
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(native->geometry(), QRect(button->Left(), button->Top(), button->Width(), button->Height()));
    EXPECT_EQ(native->text().toStdString(), button->GetText());
  }
  // 412 wide client, three of 75 with gaps of 8, centred.
  EXPECT_EQ(panel->GetButtons()->Items(0)->Button()->Left(), 85);

  auto path = std::filesystem::temp_directory_path() / "xel_button_panel.png";
  ASSERT_TRUE(SaveControlImage(form.get(), path.string()));
  QImage image(QString::fromStdString(path.string()));
  EXPECT_FALSE(image.isNull());
  if (!std::getenv("XEL_KEEP_PICTURES")) std::filesystem::remove(path);
}

}  // namespace
}  // namespace xel
