// The message dialog as a real Qt window on the offscreen platform, in English and German:
// its picture stays in the build folder to be looked at, and a click on a native button
// closes it with that button's result.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "ButtonPanel.h"
#include "MsgBox.h"
#include "QtWSControls.h"
#include "../QtTestEnvironment.h"
#include "QtWidgetSet.h"
#include "RegisterControls.h"

namespace xel {
namespace {

using namespace MsgBox;

[[maybe_unused]] testing::Environment* const kEnvironment = AddQtTestEnvironment([] {
  RegisterMsgBoxClasses();
});

TEST(QtMsgBoxTest, PictureInEachLanguageAndANativeClick) {
  struct {
    const char* Language;
    const char* Text;
    const char* Picture;
  } cases[] = {
      {"English", "The language file could not be written. Do you want to keep your changes and try again later?",
       "/msgbox-English.png"},
      {"Deutsch",
       "Die Sprachdatei konnte nicht geschrieben werden. M\xC3\xB6" "chten Sie Ihre \xC3\x84nderungen behalten und es "
       "sp\xC3\xA4ter erneut versuchen?",
       "/msgbox-Deutsch.png"},
  };
  for (const auto& c : cases) {
    std::unique_ptr<TMyMsgForm> holder(New<TMyMsgForm>(nullptr));
    holder->Glotta()->SetDomain("Picture Frame");
    holder->Glotta()->SetLanguage(c.Language);
    bool saved = false;
    bool iconDrawn = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = dynamic_cast<TMyMsgForm*>(Screen->ActiveForm());
      ASSERT_NE(dialog, nullptr);
      QApplication::processEvents();
      const String file = String(XEL_PICTURE_DIR) + c.Picture;
      saved = SaveControlImage(dialog, file);
      QImage picture(QString::fromStdString(file));
      // The icon's middle is not the face colour of the window.
      QPoint middle = QPoint(32, 32) * QtWidget(dialog)->devicePixelRatio();
      iconDrawn = !picture.isNull() && picture.pixelColor(middle) != picture.pixelColor(QPoint(2, 2));
      QTest::mouseClick(static_cast<QPushButton*>(QtWidget(dialog->FindButton(mbNo)->Button())), Qt::LeftButton);
    });
    EXPECT_EQ(MsgEx(c.Text, "", mtWarning, {mbYes, mbNo, mbCancel, mbHelp}, 0, "Picture Frame"), mrNo);
    EXPECT_TRUE(saved) << c.Language;
    EXPECT_TRUE(iconDrawn) << c.Language;
  }
}

}  // namespace
}  // namespace xel
