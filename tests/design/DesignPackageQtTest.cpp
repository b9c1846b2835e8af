// The design package's visible parts as real Qt windows on the offscreen platform: the
// designer's palette pages with the package's bitmaps, and the size editor in English and
// German. The pictures stay in the build folder to be looked at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <filesystem>

#include "Designer.h"
#include "Glotta.h"
#include "../QtTestEnvironment.h"
#include "QtWidgetSet.h"
#include "RegisterControls.h"
#include "SuperFormEditor.h"

namespace xel {
namespace {

[[maybe_unused]] testing::Environment* const kEnvironment = AddQtTestEnvironment([] {
  RegisterControlClasses();
  RegisterGlottaClasses();
});

TEST(DesignPackageQtTest, PalettePagesShowTheClassBitmaps) {
  String pattern = std::filesystem::temp_directory_path().string() + "/xel-design-qt-XXXXXX";
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  setenv("XEL_REGISTRY_DIR", (pattern + "/registry").c_str(), 1);
  {
    TDesigner designer;
    String error;
    ASSERT_TRUE(designer.Packages().Load(XEL_DESIGN_PACKAGE, error)) << error;
    designer.RefreshPalette();
    designer.MainForm()->Show();
    for (const char* page : {"XelTools", "Xel"}) {
      TComboBox* pages = static_cast<TComboBox*>(designer.MainForm()->FindComponent("PalettePages"));
      pages->SetItemIndex(pages->GetItems()->IndexOf(page));
      designer.PalettePageChange(nullptr);
      ASSERT_FALSE(designer.PaletteShown().empty()) << page;
      QApplication::processEvents();
      const String file = String(XEL_PICTURE_DIR) + "/palette-" + page + ".png";
      ASSERT_TRUE(SaveControlImage(designer.MainForm(), file));
      // The first row's bitmap is drawn: its pixels are not all of the background.
      QImage image(QString::fromStdString(file));
      const double ratio = image.devicePixelRatio();
      const QRgb background = image.pixel(static_cast<int>(4 * ratio), static_cast<int>(200 * ratio));
      int other = 0;
      for (int y = 30; y < 54; ++y)
        for (int x = 2; x < 26; ++x)
          other += image.pixel(static_cast<int>(x * ratio), static_cast<int>(y * ratio)) != background;
      EXPECT_GT(other, 20) << page;
    }
  }
  std::filesystem::remove_all(pattern);
}

TEST(DesignPackageQtTest, SizeEditorInBothLanguages) {
  RegisterSuperFormEditorClasses();
  std::unique_ptr<TSuperForm> edited(new TSuperForm(nullptr, TCreateNew{}));
  std::unique_ptr<TSuperFormEditorForm> form(New<TSuperFormEditorForm>(nullptr));
  form->Init(edited.get());
  form->Show();
  auto* glotta = OwnedComponent<TGlotta>(form.get(), "Glotta");
  for (const char* language : {"English", "Deutsch"}) {
    glotta->SetLanguage(language);
    QApplication::processEvents();
    const String file = String(XEL_PICTURE_DIR) + "/size-editor-" + language + ".png";
    ASSERT_TRUE(SaveControlImage(form.get(), file));
  }
  EXPECT_EQ(form->GetText(), "Grenzen der Fenstergr\xC3\xB6\xC3\x9F" "e");
  glotta->SetLanguage("English");
}

}  // namespace
}  // namespace xel
