// The tool library's windows as real Qt windows on the offscreen platform, in English and
// German; the pictures stay in the build folder to be looked at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "Glotta.h"
#include "../QtTestEnvironment.h"
#include "QtWidgetSet.h"
#include "RegisterControls.h"
#include "VersionInfo.h"

namespace xel {
namespace {

[[maybe_unused]] testing::Environment* const kEnvironment = AddQtTestEnvironment([] {
  RegisterControlClasses();
  RegisterGlottaClasses();
  RegisterVersionInfoClasses();
});

TEST(QtToolFormsTest, TheVersionWindowInBothLanguages) {
  std::unique_ptr<TVersionInfoForm> form(New<TVersionInfoForm>(nullptr));
  form->SortBy(0);
  form->Show();
  for (const char* language : {"English", "Deutsch"}) {
    form->Glotta()->SetLanguage(language);
    QApplication::processEvents();
    const String file = String(XEL_PICTURE_DIR) + "/version-info-" + language + ".png";
    ASSERT_TRUE(SaveControlImage(form.get(), file));
    QImage image(QString::fromStdString(file));
    EXPECT_EQ(image.width(), form->GetClientWidth() * image.devicePixelRatio()) << language;
  }
  form->Glotta()->SetLanguage("English");
}

}  // namespace
}  // namespace xel
